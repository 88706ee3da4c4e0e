// The counting pass runs before every send, so it must stay cheap.
#include "settings/prebuiltSettings.h"
#include "settings/settings.h"
#include "settings/settingsParser.h"

#include <benchmark/benchmark.h>

namespace {

// Three modes whose every feature and axis differs: the largest block.
void differentModes() {
    settings::init();
    settings::numModes = 3;
    for (int m = 0; m < settings::modeCount; ++m) {
        auto& mode = settings::modes[m];
        mode.autofire.enabled = true;
        mode.autofire.button = static_cast<std::uint8_t>(m);
        mode.disabledButtons.buttons = static_cast<std::uint32_t>(m);
        mode.smoothing.set(static_cast<float>(m));
        for (int a = 0; a < settings::axisCount; ++a) {
            mode.axes[a].sensitivity.set(static_cast<float>(a + m));
            mode.axes[a].curvature.knobControlled = true;
        }
    }
}

void setUp(const benchmark::State& state) {
    if (state.range(0) == 0) {
        settings::init();
    } else {
        differentModes();
    }
}

void countPackets(benchmark::State& state) {
    setUp(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(prebuiltSettings::settingsCounter::countPackets());
    }
}
BENCHMARK(countPackets)->Arg(0)->Arg(1);

void prebuildAllSettings(benchmark::State& state) {
    setUp(state);
    for (auto _ : state) {
        prebuiltSettings::upToDate = false;
        benchmark::DoNotOptimize(prebuiltSettings::prebuildAllSettings());
    }
}
BENCHMARK(prebuildAllSettings)->Arg(0)->Arg(1);

void parseAllPrebuilt(benchmark::State& state) {
    setUp(state);
    prebuiltSettings::upToDate = false;
    prebuiltSettings::prebuildAllSettings();
    for (auto _ : state) {
        prebuiltSettings::parseAllPrebuilt();
        benchmark::DoNotOptimize(settings::numModes);
    }
}
BENCHMARK(parseAllPrebuilt)->Arg(0)->Arg(1);

} // namespace
