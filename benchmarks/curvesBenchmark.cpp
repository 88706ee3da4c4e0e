// A detail dialog redraws its graph (draw, show, erase) on every change of a setting,
// and the output display redraws eight bars every 30 ms.
#include "curves/axisOutputDisplayGraph.h"
#include "curves/curveGraphs.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"

#include <benchmark/benchmark.h>

namespace {

struct nowhere : pixelSink {
    void show(const pixelBmp& bmp) override { benchmark::DoNotOptimize(bmp.data.data()); }
};

void axisGraphCycle(benchmark::State& state) {
    settings::init();
    modifySetting::reset();
    modifySetting::tempAxis.asymmetry.value = static_cast<float>(state.range(0)) / 10;
    pixelBmp bmp;
    curveGraphs::setUpAxisGraph(bmp);
    nowhere window;
    for (auto _ : state)
        curveGraphs::singleAxisDialogUpdateGraph(window, bmp);
}
BENCHMARK(axisGraphCycle)->Arg(10)->Arg(2)->Unit(benchmark::kMicrosecond);

void knobGraphCycle(benchmark::State& state) {
    settings::init();
    modifySetting::reset();
    pixelBmp bmp;
    curveGraphs::setUpKnobGraph(bmp);
    nowhere window;
    for (auto _ : state)
        curveGraphs::singleKnobDialogUpdateGraph(window, bmp);
}
BENCHMARK(knobGraphCycle)->Unit(benchmark::kMicrosecond);

void eightLiveBars(benchmark::State& state) {
    std::int32_t values[8] = {0, 100, 300, 511, 700, 900, 1022, 40};
    axisOutputDisplayGraph bars[8];
    for (int i = 0; i < 8; ++i)
        bars[i].setUp(93, 30 * i, &values[i]);
    nowhere window;
    for (auto _ : state)
        for (auto& bar : bars)
            bar.draw(window);
}
BENCHMARK(eightLiveBars)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
