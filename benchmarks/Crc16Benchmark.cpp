// The table-driven CRC-16/XMODEM of the monitor client, over the sizes it meets: an
// XMODEM block, a buffer-write chunk and a whole 256 KiB image (the local side of the
// flasher's checksum verification).

#include "firmwareuploader/Samba.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

void crc16(benchmark::State& state) {
    std::vector<std::uint8_t> data(static_cast<std::size_t>(state.range(0)));
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 31 + 7);
    for (auto _ : state)
        benchmark::DoNotOptimize(Samba::crc16Calc(data.data(), static_cast<int>(data.size())));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(crc16)->Arg(128)->Arg(4096)->Arg(256 * 1024);

} // namespace

BENCHMARK_MAIN();
