# Sourced by the X11 test scripts: starts a private Xvfb server and openbox
# on it, and stops both (by their process ids) when the script ends.
# Exits with 77 (skipped) where the tools are not installed.

for tool in Xvfb openbox xdotool xwininfo xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh test)"
        exit 77
    fi
done

session_dir=$(mktemp -d)
session_pids=()

end_session_processes() {
    local pid
    for pid in "${session_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    # What has not ended after three seconds is killed outright.
    for _ in $(seq 30); do
        local alive=0
        for pid in "${session_pids[@]}"; do
            kill -0 "$pid" 2>/dev/null && alive=1
        done
        [ "$alive" = 0 ] && break
        sleep 0.1
    done
    for pid in "${session_pids[@]}"; do
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    session_pids=()
}

end_session() {
    end_session_processes
    rm -rf "$session_dir"
}
trap end_session EXIT

# Waits up to $1 tenths of a second for the command that follows to succeed.
wait_for() {
    local tenths=$1
    shift
    for _ in $(seq "$tenths"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# Prints the id of the first visible window whose name matches $1, waiting
# up to $2 seconds (60). xdotool's own wait (--sync) dies of an X error when
# a window goes away while it looks, as Wine's do while a program starts, so
# this asks afresh until it finds one.
find_window() {
    local wid=""
    wait_for $((${2:-60} * 10)) visible_window "$1" && echo "$wid"
}

# Sets find_window's wid to the first visible window named like $1.
visible_window() {
    wid=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) || true
    [ -n "$wid" ]
}

window_manager_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# One try at an X server with openbox on it. Xvfb picks a free display
# itself and writes its number to fd 3. -noreset: by default the server
# resets whenever its last client leaves, and a client that connects during
# the reset (openbox, just after a probe with xprop) is turned away.
start_x_session() {
    local xvfb openbox
    rm -f "$session_dir/display"
    Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$session_dir/display" 2>"$session_dir/xvfb.log" &
    xvfb=$!
    session_pids+=("$xvfb")
    if ! wait_for 100 test -s "$session_dir/display"; then
        echo "Xvfb did not start"
        cat "$session_dir/xvfb.log"
        return 1
    fi
    export DISPLAY=":$(head -n1 "$session_dir/display")"
    if ! wait_for 100 xprop -root; then
        echo "the X server on $DISPLAY takes no connections"
        return 1
    fi
    openbox --sm-disable >"$session_dir/openbox.log" 2>&1 &
    openbox=$!
    session_pids+=("$openbox")
    if ! wait_for 200 window_manager_running; then
        echo "openbox did not start on $DISPLAY"
        cat "$session_dir/openbox.log"
        return 1
    fi
}

for attempt in 1 2 3; do
    start_x_session && break
    [ "$attempt" = 3 ] && exit 1
    end_session_processes
    echo "starting the X session again"
done

# A session bus of its own, as every desktop has: with none, the program's
# accessibility bridge has libdbus launch one through the X server, which
# now and then never answers and holds the program before its window.
if command -v dbus-daemon >/dev/null; then
    dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$session_dir/bus" 4>"$session_dir/bus.pid"
    session_pids+=("$(cat "$session_dir/bus.pid")")
    export DBUS_SESSION_BUS_ADDRESS=$(cat "$session_dir/bus")
else
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$session_dir/no-bus"
fi

export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$session_dir/config"
export XDG_RUNTIME_DIR="$session_dir/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
