// The main window's cost: building it at start-up, and showing the whole model in it,
// which a HID receive does after every packet.
#include "settings/settings.h"
#include "ui/mainWindow.h"
#include "ui/mainWindowLayout.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

void createMainWindow(benchmark::State& state) {
    for (auto _ : state) {
        mainWindow window;
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(createMainWindow)->Unit(benchmark::kMillisecond);

void showAllSettings(benchmark::State& state) {
    mainWindow window;
    settings::numModes = 3;
    for (auto _ : state)
        window.layout().setAllValuesFromSettings();
}
BENCHMARK(showAllSettings)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The configuration of whoever runs it stays untouched.
    setenv("XDG_CONFIG_HOME", "/nonexistent-marlovan-benchmark", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
