// Poll cycles per second with the real Qt panel (offscreen) on the main thread and the loop on a
// worker, the simulated dongle delivering an input report every cycle: every panel operation
// crosses to the window's thread and back, as in the program.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <thread>

#include "app/qt/panel_window.h"
#include "app/qt/sonvik_dlg.h"
#include "poll_cycles.h"

namespace {

using namespace sonvik;

qt::CSonvikDlg* g_pDlg = nullptr;

void BM_PollCycleThroughTheQtPanel(benchmark::State& state) {
    bench::RunPollCycles(state, *g_pDlg);
}
BENCHMARK(BM_PollCycleThroughTheQtPanel)->UseRealTime();

// One panel operation that paints nothing: the cost of the crossing itself.
void BM_PanelRoundTrip(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(g_pDlg->IsRoaming());
    }
}
BENCHMARK(BM_PanelRoundTrip)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    qt::CSonvikDlg dlg;
    g_pDlg = &dlg;
    std::thread runner;
    dlg.m_onWindowShown = [&](qt::CPanelWindow&) {
        runner = std::thread([&] {
            benchmark::RunSpecifiedBenchmarks();
            dlg.CloseWindow();
        });
    };
    dlg.DoModal();
    runner.join();
    benchmark::Shutdown();
    return 0;
}
