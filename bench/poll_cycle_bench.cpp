// The poll loop's own cost per cycle: a simulated dongle that has an input report ready every
// cycle and never waits, a panel that does nothing, and nobody listening to the diagnostics.
#include <benchmark/benchmark.h>

#include "poll_cycles.h"
#include "support/null_panel.h"

namespace {

void BM_PollCycleWithAnInputReport(benchmark::State& state) {
    sonvik::test::NullPanel panel;
    sonvik::bench::RunPollCycles(state, panel);
}
BENCHMARK(BM_PollCycleWithAnInputReport);

}  // namespace

BENCHMARK_MAIN();
