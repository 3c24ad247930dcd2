#!/usr/bin/env bash
# A private PulseAudio server for the sound tests, whose only sink writes
# everything it plays into a FIFO that the test reads.
#
#   pulse-test-server.sh start DIR [OWNER_PID]
#       Starts the server with DIR/home as HOME and DIR/run as
#       XDG_RUNTIME_DIR (the program under test must use the same
#       XDG_RUNTIME_DIR, or PULSE_SERVER=unix:DIR/run/pulse/native).
#       The sink "cap" (s16le, 44100 Hz, stereo) writes to DIR/capture.fifo.
#       Prints the server's pid. With OWNER_PID, the server is also stopped
#       once that process has gone, so a crashed test leaves nothing behind.
#   pulse-test-server.sh stop DIR
#       Stops the server started in DIR and waits until it has gone.
set -euo pipefail

usage() { echo "usage: $0 start DIR [OWNER_PID] | stop DIR" >&2; exit 2; }

[ $# -ge 2 ] || usage
command=$1
dir=$(realpath -m "$2")
owner=${3:-}
pidfile=$dir/run/pulse/pid

server_pid() { [ -s "$pidfile" ] && cat "$pidfile"; }

stop_server() {
    local pid
    pid=$(server_pid) || return 0
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}

start_server() {
    command -v pulseaudio >/dev/null || { echo "pulseaudio is not installed" >&2; exit 1; }
    mkdir -p "$dir/home" "$dir/run"
    chmod 700 "$dir/run"
    rm -f "$dir/capture.fifo"
    mkfifo "$dir/capture.fifo"
    # Away from any session bus or display, so that nothing else gets started.
    env -u DISPLAY -u DBUS_SESSION_BUS_ADDRESS -u PULSE_SERVER \
        HOME="$dir/home" XDG_RUNTIME_DIR="$dir/run" \
        pulseaudio --daemonize=yes --exit-idle-time=-1 -n --log-target=file:"$dir/pulseaudio.log" \
        -L module-native-protocol-unix \
        -L "module-pipe-sink file=$dir/capture.fifo sink_name=cap format=s16le rate=44100 channels=2 use_system_clock_for_timing=yes"
    for _ in $(seq 50); do
        [ -S "$dir/run/pulse/native" ] && server_pid >/dev/null && break
        sleep 0.1
    done
    local pid
    pid=$(server_pid) || { echo "pulseaudio did not start, see $dir/pulseaudio.log" >&2; exit 1; }
    if [ -n "$owner" ]; then
        ( while kill -0 "$owner" 2>/dev/null && kill -0 "$pid" 2>/dev/null; do sleep 1; done
          kill "$pid" 2>/dev/null ) </dev/null >/dev/null 2>&1 &
    fi
    echo "$pid"
}

case $command in
    start) start_server ;;
    stop) stop_server ;;
    *) usage ;;
esac
