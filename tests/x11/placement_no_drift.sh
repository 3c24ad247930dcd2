#!/usr/bin/env bash
# Under a real X server with a window manager: the stored values are the
# window's outer frame, the window opens on exactly that frame, and opening
# and closing the program without touching the window writes back exactly
# what it read, however it is closed (even when another client destroys it).
#   placement_no_drift.sh path/to/plinkety
set -euo pipefail
program=$1
source "$(dirname "$0")/x11-session.sh"

conf="$XDG_CONFIG_HOME/Plinkety/Plinkety.conf"
failures=0

stored() { sed -n "s/^$1=//p" "$conf"; }
stored_all() { echo "Top=$(stored Top) Left=$(stored Left) Height=$(stored Height) Width=$(stored Width) Popped=$(stored Popped)"; }

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The outer frame of window $1 as "left top width height", from the client's
# place and size and the frame extents the window manager announces.
frame_of() {
    local info extents
    info=$(xwininfo -id "$1")
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    read -r l r t b <<<"$extents"
    local x y w h
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    w=$(sed -n 's/.*Width: *//p' <<<"$info")
    h=$(sed -n 's/.*Height: *//p' <<<"$info")
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

client_width() { xwininfo -id "$1" | sed -n 's/.*Width: *//p'; }

# Waits for the program's window and for its frame to settle.
wait_for_window() {
    local wid previous="" current
    wid=$(find_window '^Plinkety$')
    for _ in $(seq 50); do
        current=$(frame_of "$wid" 2>/dev/null || true)
        [ -n "$current" ] && [ "$current" = "$previous" ] && break
        previous=$current
        sleep 0.1
    done
    sleep 0.3
    echo "$wid"
}

close_window() {
    local how=$1 wid=$2 pid=$3
    case $how in
        close-control) xdotool windowactivate --sync "$wid" key --clearmodifiers alt+F4 ;;
        quit-button)
            # The 400-pixel frame holds a client of 398 (5970 twips): Quit's left edge is
            # 5970 - 815 = 5155 twips (344 pixels) inside the 2-pixel border, and its middle 20 further.
            [ "$(client_width "$wid")" = 398 ] || fail "the client is $(client_width "$wid") pixels wide, not 398"
            xdotool mousemove --window "$wid" 366 8 click 1 ;;
        sigterm) kill -TERM "$pid" ;;
        destroyed) xdotool windowclose "$wid" ;; # by another client
    esac
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        fail "closing by $how did not end the program"
        kill -KILL "$pid"
    fi
    wait "$pid" || fail "the program ended with status $? after closing by $how"
}

# Runs the program once: checks where its frame lies, then closes it.
run_once() {
    local how=$1 expected_frame=$2
    "$program" 2>>"$session_dir/program.log" &
    local pid=$!
    local wid frame
    wid=$(wait_for_window)
    frame=$(frame_of "$wid")
    [ "$frame" = "$expected_frame" ] || fail "frame is '$frame', expected '$expected_frame' (closed by $how)"
    if [ -n "${RESIZE_TO:-}" ]; then
        xdotool windowsize --sync "$wid" $RESIZE_TO
        xdotool windowmove --sync "$wid" 64 48
        sleep 0.3
        LAST_FRAME=$(frame_of "$wid")
    fi
    close_window "$how" "$wid" "$pid"
}

echo "First run, empty store: 200, 200, 4500 x 3500 twips, written back as read"
run_once close-control "13 13 300 233"
[ "$(stored_all)" = "Top=200 Left=200 Height=3500 Width=4500 Popped=0" ] || fail "first run wrote $(stored_all)"

echo "Stored frame, opened and closed four times in different ways"
cat >"$conf" <<CONF
[Defaults]
Top=1500
Left=3000
Height=4995
Width=6000
Popped=812
CONF
expected="Top=1500 Left=3000 Height=4995 Width=6000 Popped=812"
for how in close-control sigterm quit-button close-control; do
    run_once "$how" "200 100 400 333"
    [ "$(stored_all)" = "$expected" ] || fail "after closing by $how the store holds $(stored_all)"
done

echo "Moved and resized by the user: the new frame is written and then kept"
RESIZE_TO="500 300" run_once close-control "200 100 400 333"
# The 500 x 300 client moved to 64, 48 sits in openbox's frame at 63, 28, 502 x 325 pixels.
[ "$LAST_FRAME" = "63 28 502 325" ] || fail "the moved frame is '$LAST_FRAME', expected '63 28 502 325'"
expected="Top=420 Left=945 Height=4875 Width=7530 Popped=812"
[ "$(stored_all)" = "$expected" ] || fail "after moving the store holds $(stored_all), expected $expected"
for how in sigterm destroyed close-control; do
    run_once "$how" "63 28 502 325"
    [ "$(stored_all)" = "$expected" ] || fail "the moved frame drifted to $(stored_all)"
done

if [ "$failures" -gt 0 ]; then
    echo "--- program output"; cat "$session_dir/program.log"
    exit 1
fi
echo "PASS: no drift"
