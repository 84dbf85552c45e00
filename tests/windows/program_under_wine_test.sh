#!/usr/bin/env bash
# sonvik.exe as a user starts it, under Wine on the test display: its panel shows the expected
# USB name (the searching text when no dongle is present), the program ends when Escape is
# pressed, and says "Exit application" once in its debugger output on the way out.
#   program_under_wine_test.sh <debug harness> <sonvik.exe> <USB name> [program arguments...]
set -euo pipefail
harness=$1
program=$2
usb_name=$3
shift 3
: "${DISPLAY:?the test needs an X display, e.g. under xvfb-run}"

out=$(mktemp)
trap 'rm -f "$out"; kill "$pid" 2>/dev/null || true' EXIT
wine "$harness" "$program" "$@" >"$out" 2>/dev/null &
pid=$!

wait_for() {
    local pattern=$1
    for _ in $(seq 600); do
        if grep -qF -- "$pattern" "$out"; then return 0; fi
        if ! kill -0 "$pid" 2>/dev/null; then break; fi
        sleep 0.1
    done
    echo "FAIL: never saw '$pattern'; the harness reported:" >&2
    cat "$out" >&2
    exit 1
}

wait_for "window: shown"
wait_for "usb name: $usb_name"

# Escape through the X server's own keyboard, as the operator presses it.
# The display is this test's alone (a resource lock in the build), so the window is this one.
window=$(xdotool search --onlyvisible --name "USB Dongle PELKO 2.5 Host Application" | head -n 1)
xdotool windowfocus "$window" 2>/dev/null || true
xdotool key Escape
wait_for "exit: "
wait "$pid"
sed -i 's/\r$//' "$out"  # the harness writes Windows line ends

exits=$(grep -c '^debug: Exit application$' "$out" || true)
if [ "$exits" != 1 ]; then
    echo "FAIL: 'Exit application' written $exits times; the harness reported:" >&2
    cat "$out" >&2
    exit 1
fi
if grep -q '^debug: Failed' "$out"; then
    echo "FAIL: start-up reported a failure:" >&2
    cat "$out" >&2
    exit 1
fi
grep -qx 'exit: 0' "$out" || { echo "FAIL: exit code"; cat "$out" >&2; exit 1; }
echo "sonvik.exe showed '$usb_name', ended on Escape and wrote 'Exit application' once:"
cat "$out"
