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
#include "app/sonvik_app.h"
#include "hid/simulated/simulated_dongle.h"
#include "poll/poll_loop.h"

namespace {

using namespace sonvik;

qt::CSonvikDlg* g_pDlg = nullptr;

void BM_PollCycleThroughTheQtPanel(benchmark::State& state) {
    CSimulatedDongle::Options options;
    options.readWait = std::chrono::milliseconds(0);
    CSimulatedDongle dongle(options);
    CSonvikApp app;
    app.m_pDlg = g_pDlg;
    app.m_pTransport = &dongle;
    app.m_nProductId = 0;
    app.m_sleep = [](std::chrono::milliseconds) {};
    RunPollCycle(app);
    DongleReport report{};
    report[0] = kReportId;
    std::uint8_t nState = 0;
    for (auto _ : state) {
        report[2] = nState = static_cast<std::uint8_t>((nState + 1) % 5);  // a new state each cycle
        dongle.QueueInputReport(report);
        RunPollCycle(app);
    }
    state.counters["cycles_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
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
