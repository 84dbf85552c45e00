#!/usr/bin/env bash
# The real window on a real X server (Xvfb): a mouse click on "Place Incoming Call" with
# xdotool, and the report it causes on standard output.
#   xvfb_click_test.sh PROGRAM
set -euo pipefail
program=$1
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (xvfb, xdotool)" >&2; exit 1; }
done
work=$(mktemp -d)
display=":$(( 50 + RANDOM % 400 ))"
cleanup() {
    kill "${program_pid:-}" "${xvfb_pid:-}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

mkfifo "$work/in"
"$program" --simulate --console <"$work/in" >"$work/out" 2>"$work/err" &
program_pid=$!
exec 3>"$work/in"

wait_for_line() {  # PATTERN COUNT: until COUNT lines match, for at most 10 s
    for _ in $(seq 100); do
        [ "$(grep -c -- "$1" "$work/out" || true)" -ge "$2" ] && return 0
        sleep 0.1
    done
    echo "no '$1' in the output:" >&2; cat "$work/out" "$work/err" >&2; return 1
}
wait_for_line '^out 02 06 02' 1  # the dongle is open and synchronised

window=$(xdotool search --sync --name 'USB Dongle PELKO 2.5 Host Application' | head -n 1)
read -r width height < <(xdotool getwindowgeometry --shell "$window" |
                          awk -F= '/WIDTH/{w=$2} /HEIGHT/{h=$2} END{print w, h}')
# The button's centre in dialog units (10 + 48/2, 192 + 40/2) of the 320 x 458 client area.
x=$(( 34 * width / 320 ))
y=$(( 212 * height / 458 ))
xdotool mousemove --window "$window" "$x" "$y" click 1

wait_for_line '^out 02 02 01 81 09 22 31 32 33 34 35 36 37 22' 1
echo "quit" >&3
wait_for_line '^out 02 00 00' 1
status=0
wait "$program_pid" || status=$?
program_pid=
if [ "$status" -ne 0 ]; then
    echo "the program ended with status $status:" >&2; cat "$work/err" >&2; exit 1
fi
echo "clicked at $x,$y of ${width}x$height: the incoming call reached the dongle"
