// Flashing a 256 KiB image through the simulated boot monitor on a pseudo-terminal:
// erase, write and verify as the update sequence does them, with the monitor's
// buffer-write and checksum extensions and without (page by page through the copy
// applet, verified by reading back), over USB (raw blocks) and a plain line (XMODEM).

#include "CountingSerialPort.h"

#include "firmwareuploader/FlashFactory.h"
#include "firmwareuploader/Flasher.h"
#include "firmwareuploader/PosixSerialPort.h"
#include "firmwareuploader/Samba.h"
#include "sim/bootmonitor/BootMonitor.h"
#include "sim/bootmonitor/TargetMemory.h"
#include "sim/targets/TargetChips.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t imageSize = 256 * 1024;

std::string writeImage() {
    std::string path = (std::filesystem::temp_directory_path() /
                        ("flash-benchmark-" + std::to_string(::getpid()) + ".bin"))
                           .string();
    std::vector<char> bytes(imageSize);
    std::uint32_t state = 12345;
    for (auto& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<char>(state >> 16);
    }
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
    return path;
}

// state.range(0): monitor extensions on; state.range(1): USB link.
void flashImage(benchmark::State& state) {
    const bool extensions = state.range(0) != 0;
    const bool usb = state.range(1) != 0;
    const std::string image = writeImage();

    sim::TargetMemory target;
    auto controller = sim::installEefcChip(target);
    sim::BootMonitorOptions options;
    options.extensions = extensions;
    options.transport =
        usb ? sim::BootMonitorOptions::link::usb : sim::BootMonitorOptions::link::serial;
    options.registerPort = false;
    sim::BootMonitor monitor(target, options);

    CountingSerialPort::counts tally;
    Samba samba;
    auto port = std::make_unique<CountingSerialPort>(
        std::make_unique<PosixSerialPort>(monitor.portName(), usb), tally);
    if (!samba.connect(std::move(port), 115200)) {
        state.SkipWithError("the simulated monitor did not connect");
        return;
    }
    Flash::Ptr flash = FlashFactory().create(samba, samba.chipId());
    Flasher flasher(flash);

    CountingSerialPort::counts total;
    bool verified = true;
    // The progress bars would drown the report.
    std::fflush(stdout);
    const int savedStdout = ::dup(STDOUT_FILENO);
    const int devNull = ::open("/dev/null", O_WRONLY);
    ::dup2(devNull, STDOUT_FILENO);
    for (auto _ : state) {
        tally = {};
        flasher.erase();
        flasher.write(image);
        verified = verified && flasher.verify(image);
        total.bytesToTarget += tally.bytesToTarget;
        total.bytesFromTarget += tally.bytesFromTarget;
        total.roundTrips += tally.roundTrips;
    }
    std::fflush(stdout);
    ::dup2(savedStdout, STDOUT_FILENO);
    ::close(savedStdout);
    ::close(devNull);
    std::filesystem::remove(image);
    if (!verified)
        state.SkipWithError("the flash did not verify");

    const double runs = static_cast<double>(state.iterations());
    state.counters["to_target_bytes"] = static_cast<double>(total.bytesToTarget) / runs;
    state.counters["from_target_bytes"] = static_cast<double>(total.bytesFromTarget) / runs;
    state.counters["round_trips"] = static_cast<double>(total.roundTrips) / runs;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * imageSize);
}

BENCHMARK(flashImage)
    ->ArgNames({"extensions", "usb"})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
