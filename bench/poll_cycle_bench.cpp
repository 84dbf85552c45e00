// The poll loop's own cost per cycle: a simulated dongle that has an input report ready every
// cycle and never waits, a panel that does nothing, and nobody listening to the diagnostics.
#include <benchmark/benchmark.h>

#include "app/sonvik_app.h"
#include "hid/simulated/simulated_dongle.h"
#include "poll/poll_loop.h"
#include "support/null_panel.h"

namespace {

using namespace sonvik;

CSimulatedDongle::Options InstantOptions() {
    CSimulatedDongle::Options options;
    options.readWait = std::chrono::milliseconds(0);
    return options;
}

void BM_PollCycleWithAnInputReport(benchmark::State& state) {
    CSimulatedDongle dongle(InstantOptions());
    test::NullPanel panel;
    CSonvikApp app;
    app.m_pDlg = &panel;
    app.m_pTransport = &dongle;
    app.m_nProductId = 0;
    app.m_sleep = [](std::chrono::milliseconds) {};
    RunPollCycle(app);  // opens and synchronises the dongle

    DongleReport report{};
    report[0] = kReportId;
    report[1] = DongleStateReport;
    std::uint8_t nState = 0;
    for (auto _ : state) {
        report[2] = nState = static_cast<std::uint8_t>((nState + 1) % 5);  // a new state each cycle
        dongle.QueueInputReport(report);
        RunPollCycle(app);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PollCycleWithAnInputReport);

}  // namespace

BENCHMARK_MAIN();
