#!/usr/bin/env bash
# A private PulseAudio server for the sound tests, whose only sink writes
# everything it plays into a FIFO that the test reads.
#
#   pulse_test_server.sh start DIR [OWNER_PID]
#       Starts the server with DIR/home as HOME and DIR/run as
#       XDG_RUNTIME_DIR (the program under test must use the same
#       XDG_RUNTIME_DIR, or PULSE_SERVER=unix:DIR/run/pulse/native).
#       The sink "cap" (s16le, stereo, 44100 Hz or PLINKETY_TEST_SINK_RATE)
#       writes to DIR/capture.fifo. It writes in blocks of 4096 bytes, 23 ms
#       at 44100 Hz: a sink of a higher rate stands for a sound card with less
#       latency.
#       Prints the server's pid. With OWNER_PID, the server is also stopped
#       once that process has gone, so a crashed test leaves nothing behind.
#   pulse_test_server.sh stop DIR
#       Stops the server started in DIR and waits until it has gone.
#   pulse_test_server.sh end DIR
#       Stops everything started in DIR.
# With PLINKETY_TEST_SERVER=pipewire, the server is PipeWire's PulseAudio
# service instead (pipewire, wireplumber and pipewire-pulse, on a session
# bus of their own at DIR/run/bus), with the same sink; "stop" stops only
# pipewire-pulse, as when it crashes, and its pid is the one printed.
set -euo pipefail

usage() { echo "usage: $0 start DIR [OWNER_PID] | stop DIR | end DIR" >&2; exit 2; }

[ $# -ge 2 ] || usage
command=$1
dir=$(realpath -m "$2")
owner=${3:-}
pidfile=$dir/run/pulse/pid
rate=${PLINKETY_TEST_SINK_RATE:-44100}

server_pid() { [ -s "$pidfile" ] && cat "$pidfile"; }

# Ends a process and waits until it has gone; what has not ended after five
# seconds is killed outright.
end_process() {
    local pid=$1
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}

# Runs the command until it succeeds, for up to $1 seconds; fails if it
# never did. A machine busy with other builds and tests may take seconds
# over what is awaited.
await() {
    local deadline=$((SECONDS + $1))
    shift
    until ("$@") >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.05
    done
}

stop_server() {
    local pid
    pid=$(server_pid) || return 0
    end_process "$pid"
}

pulseaudio_started() { [ -S "$dir/run/pulse/native" ] && server_pid; }

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
        -L "module-pipe-sink file=$dir/capture.fifo sink_name=cap format=s16le rate=$rate channels=2 use_system_clock_for_timing=yes"
    await 5 pulseaudio_started || true
    local pid
    pid=$(server_pid) || { echo "pulseaudio did not start, see $dir/pulseaudio.log" >&2; exit 1; }
    if [ -n "$owner" ]; then
        ( while kill -0 "$owner" 2>/dev/null && kill -0 "$pid" 2>/dev/null; do sleep 1; done
          kill "$pid" 2>/dev/null ) </dev/null >/dev/null 2>&1 &
    fi
    echo "$pid"
}

# PipeWire: each process's pid is kept in DIR/NAME.pid.
pw_env() {
    exec env -u DISPLAY -u PULSE_SERVER HOME="$dir/home" XDG_RUNTIME_DIR="$dir/run" \
        DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/run/bus" "$@"
}

pw_alive() { [ -s "$dir/$1.pid" ] && kill -0 "$(cat "$dir/$1.pid")" 2>/dev/null; }

pw_spawn() {
    local name=$1
    shift
    pw_alive "$name" && return 0
    # The subshell becomes the program, so $! is the program's pid.
    (pw_env "$@" </dev/null >>"$dir/$name.log" 2>&1) &
    echo $! > "$dir/$name.pid"
}

pw_kill() {
    pw_alive "$1" || return 0
    end_process "$(cat "$dir/$1.pid")"
}

# Just after start the sink may not be taken yet ("Not supported"), or not
# yet be known by name: both are asked again.
make_capture_sink() {
    if ! (pw_env pactl list short sinks) | grep -q cap; then
        (pw_env pactl load-module module-pipe-sink file="$dir/capture.fifo" sink_name=cap format=s16le \
            rate="$rate" channels=2) || true
    fi
    (pw_env pactl set-default-sink cap)
}

start_pipewire() {
    for tool in pipewire wireplumber pipewire-pulse pactl pacat dbus-daemon; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
    done
    mkdir -p "$dir/home/.config/pipewire/pipewire.conf.d" "$dir/run"
    chmod 700 "$dir/run"
    [ -p "$dir/capture.fifo" ] || mkfifo "$dir/capture.fifo"
    # The sink's own rate, so that what it writes is what was played.
    echo "context.properties = { default.clock.rate = $rate default.clock.allowed-rates = [ $rate ] }" \
        > "$dir/home/.config/pipewire/pipewire.conf.d/rate.conf"
    if ! pw_alive bus; then
        dbus-daemon --session --fork --address="unix:path=$dir/run/bus" --print-pid=3 3>"$dir/bus.pid" >/dev/null
    fi
    pw_spawn pipewire pipewire
    # WirePlumber gives up at once when PipeWire is not there yet.
    await 10 test -S "$dir/run/pipewire-0" || true
    # The packaged WirePlumber set-up without its Bluetooth part, whose
    # logind monitor stops WirePlumber where no systemd runs (a container).
    mkdir -p "$dir/home/.config/wireplumber"
    sed '/bluetooth\.lua/d' /usr/share/wireplumber/wireplumber.conf > "$dir/home/.config/wireplumber/wireplumber.conf"
    pw_spawn wireplumber wireplumber
    # Made here, not raced for: pactl, asking below, makes it too, and
    # pipewire-pulse fails when it appears between its look and its mkdir.
    mkdir -p -m 700 "$dir/run/pulse"
    pw_spawn pipewire-pulse pipewire-pulse
    await 10 pw_env pactl info || { echo "pipewire-pulse did not start, see $dir/*.log" >&2; exit 1; }
    await 10 make_capture_sink || { echo "the capture sink was not made, see $dir/*.log" >&2; exit 1; }
    # A sink with nothing to play is not run, and writes nothing: one quiet
    # stream keeps its clock going.
    pw_spawn keepalive pacat --playback --raw --format=s16le --rate="$rate" --channels=2 --latency-msec=20 /dev/zero
    if [ -n "$owner" ] && ! pw_alive watcher; then
        ( while kill -0 "$owner" 2>/dev/null; do sleep 1; done
          for name in keepalive pipewire-pulse wireplumber pipewire bus; do
              [ -s "$dir/$name.pid" ] && kill "$(cat "$dir/$name.pid")" 2>/dev/null
          done ) </dev/null >/dev/null 2>&1 &
        echo $! > "$dir/watcher.pid"
    fi
    cat "$dir/pipewire-pulse.pid"
}

end_pipewire() {
    for name in watcher keepalive pipewire-pulse wireplumber pipewire bus; do
        pw_kill "$name"
    done
}

if [ "${PLINKETY_TEST_SERVER:-pulseaudio}" = pipewire ]; then
    case $command in
        start) start_pipewire ;;
        stop) pw_kill keepalive; pw_kill pipewire-pulse ;;
        end) end_pipewire ;;
        *) usage ;;
    esac
    exit 0
fi

case $command in
    start) start_server ;;
    stop | end) stop_server ;;
    *) usage ;;
esac
