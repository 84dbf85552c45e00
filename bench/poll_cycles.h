#pragma once

#include <benchmark/benchmark.h>

#include "app/sonvik_app.h"
#include "hid/simulated/simulated_dongle.h"
#include "poll/poll_loop.h"

namespace sonvik::bench {

// Runs the poll loop once per benchmark iteration over a simulated dongle that never waits and
// has an input report ready every cycle, each a new link state so that the state field changes.
inline void RunPollCycles(benchmark::State& state, IPanel& panel) {
    CSimulatedDongle::Options options;
    options.readWait = std::chrono::milliseconds(0);
    CSimulatedDongle dongle(options);
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
        report[2] = nState = static_cast<std::uint8_t>((nState + 1) % 5);
        dongle.QueueInputReport(report);
        RunPollCycle(app);
    }
    state.counters["cycles_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace sonvik::bench
