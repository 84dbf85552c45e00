#!/usr/bin/env bash
# The program's CPU time over a stretch of wall time, on Qt's offscreen platform: while it
# searches for a dongle that is not there, and while a silent (simulated) dongle is open.
#   bench/idle_cpu.sh PROGRAM [SECONDS]
set -euo pipefail
program=$1
seconds=${2:-60}
ticks=$(getconf CLK_TCK)

measure() {
    local label=$1
    shift
    QT_QPA_PLATFORM=offscreen "$program" "$@" >/dev/null 2>&1 &
    local pid=$!
    sleep 2  # start-up is not idling
    local before after
    before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep "$seconds"
    after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v l="$label" -v t=$((after - before)) -v hz="$ticks" -v s="$seconds" \
        'BEGIN { printf "%-28s %6.2f s CPU in %d s: %.3f%% of one core\n", l, t / hz, s, 100 * t / hz / s }'
}

measure "searching, no dongle" --vid 0xFFFE --pid 0xFFFE
measure "silent dongle open" --simulate
