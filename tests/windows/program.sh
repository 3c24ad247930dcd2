#!/usr/bin/env bash
# plinkety.exe run as a user would, under Wine on a private X server with
# openbox, heard through a private PulseAudio server: the window opens at
# its stored place, clicks pop bubbles, Quit saves the count in the INI
# file, and the closing clip is heard.
#   program.sh path/to/plinkety.exe
set -euo pipefail
program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../x11/x11-session.sh"
source "$here/wine-session.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

sound=$session_dir/sound
bash "$here/../support/pulse_test_server.sh" start "$sound" $$ >/dev/null
trap 'end_wine; bash "$here/../support/pulse_test_server.sh" end "$sound"; end_session' EXIT
export PULSE_SERVER=unix:$sound/run/pulse/native
cat "$sound/capture.fifo" >"$session_dir/capture.raw" &
session_pids+=($!)

ini=$roaming/Plinkety/Plinkety.ini
mkdir -p "$(dirname "$ini")"
printf '[Defaults]\r\nTop=1500\r\nLeft=3000\r\nHeight=4995\r\nWidth=6000\r\nPopped=812\r\n' >"$ini"

wine_run "$program" 2>"$session_dir/program.log" &
pid=$!
wid=$(find_window '^Plinkety$') || true
[ -n "$wid" ] || { fail "no window"; cat "$session_dir/program.log"; exit 1; }
sleep 1
[ -n "${PLINKETY_DEBUG_SHOT:-}" ] && xwd -root -silent | convert xwd:- "$PLINKETY_DEBUG_SHOT"

# 3000 x 1500 twips is 200 x 100 pixels, where the window's frame begins;
# 6000 x 4995 twips is 400 x 333. Wine leaves the frame's edges to openbox,
# so the client is as wide as the frame, and ends where the frame ends.
info=$(xwininfo -id "$wid")
x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
width=$(sed -n 's/.*Width: *//p' <<<"$info")
height=$(sed -n 's/.*Height: *//p' <<<"$info")
[ "$x $width $((y + height))" = "200 400 433" ] \
    || fail "the client is $width x $height at $x $y, not 400 wide at 200 ending at 433"

# Three bubbles down the first column (50 x 40 pixels each, below the
# 17-pixel command strip and inside the sheet's 2-pixel border), one twice.
for row in 0 1 1 2; do
    xdotool mousemove --window "$wid" 27 $((39 + 40 * row)) click 1
    sleep 0.3
done
mark=$(( $(stat -c %s "$session_dir/capture.raw") / 4 * 1000 / 44100 ))
# Quit sits at the right of the command strip, 54 pixels from the edge.
xdotool mousemove --window "$wid" $((width - 34)) 8 click 1
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
    fail "Quit did not end the program"
    kill -KILL "$pid"
fi
wait "$pid" || fail "the program ended with status $?"
sleep 0.5

popped=$(tr -d '\r' <"$ini" | sed -n 's/^Popped=//p')
[ "$popped" = 815 ] || fail "the INI file holds Popped=$popped, not 815"
# The closing clip lasts 548.5 ms.
heard=$(python3 "$here/loud_span.py" "$session_dir/capture.raw" "$mark")
python3 -c "import sys; sys.exit(0 if $heard > 528 else 1)" || fail "the closing clip was heard for $heard ms"

if [ "$failures" -gt 0 ]; then
    echo "--- program output"; cat "$session_dir/program.log"
    exit 1
fi
echo "PASS: placed at 200 100, three pops counted and saved, closing clip heard for $heard ms"
