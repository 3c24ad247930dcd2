#!/usr/bin/env bash
# A private sound server for the sound tests, whose only sink writes
# everything it plays into a FIFO that the test reads: PulseAudio, or with
# PLINKETY_TEST_SERVER=pipewire PipeWire's PulseAudio service (pipewire,
# wireplumber and pipewire-pulse, on a session bus of their own at
# DIR/run/bus).
#
#   pulse_test_server.sh start DIR [OWNER_PID]
#       Starts the server with DIR/home as HOME and DIR/run as
#       XDG_RUNTIME_DIR (the program under test must use the same
#       XDG_RUNTIME_DIR, or PULSE_SERVER=unix:DIR/run/pulse/native).
#       The sink "cap" (s16le, stereo, 44100 Hz or PLINKETY_TEST_SINK_RATE)
#       writes to DIR/capture.fifo. It writes in blocks of 4096 bytes, 23 ms
#       at 44100 Hz: a sink of a higher rate stands for a sound card with less
#       latency.
#       Prints the pid of the server, the process that serves the clients
#       (pulseaudio or pipewire-pulse). With OWNER_PID, everything started
#       in DIR is also stopped once that process has gone, so a crashed test
#       leaves nothing behind.
#   pulse_test_server.sh stop DIR
#       Stops that server by its pid, as if it had crashed, and waits until
#       it has gone; start starts it again. PipeWire itself, WirePlumber and
#       the bus keep running.
#   pulse_test_server.sh end DIR
#       Stops everything started in DIR.
set -euo pipefail

usage() { echo "usage: $0 start DIR [OWNER_PID] | stop DIR | end DIR" >&2; exit 2; }

[ $# -ge 2 ] || usage
command=$1
dir=$(realpath -m "$2")
owner=${3:-}
rate=${PLINKETY_TEST_SINK_RATE:-44100}

# Each process started is known by a name, its pid kept in DIR/NAME.pid;
# PulseAudio keeps its own.
pid_file() {
    case $1 in
        pulseaudio) echo "$dir/run/pulse/pid" ;;
        *) echo "$dir/$1.pid" ;;
    esac
}

# A process that has ended but is not yet reaped (its parent gone, and the
# system's first process slow to reap, as on some virtual machines) is gone.
alive() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != *Z* ]]
}

running() {
    local file
    file=$(pid_file "$1")
    [ -s "$file" ] && alive "$(cat "$file")"
}

# Ends a process and waits until it has gone; what has not ended after five
# seconds is killed outright.
end_process() {
    local pid=$1
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        alive "$pid" || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}

# Ends the named processes, one after another, by their pids.
end_named() {
    local name
    for name in "$@"; do
        running "$name" || continue
        end_process "$(cat "$(pid_file "$name")")"
    done
}

# Starts a program in the background, unless it runs already. The shell
# itself becomes the program, so $! is the program's pid.
spawn() {
    local name=$1
    shift
    running "$name" && return 0
    "$@" </dev/null >>"$dir/$name.log" 2>&1 &
    echo $! > "$(pid_file "$name")"
}

# Once OWNER_PID has gone, ends the named processes (each by the pid it has
# then, so a server started again is ended too).
watch_owner() {
    [ -n "$owner" ] || return 0
    running watcher && return 0
    ( while kill -0 "$owner" 2>/dev/null; do sleep 1; done
      for name in "$@"; do
          file=$(pid_file "$name")
          if [ -s "$file" ]; then kill "$(cat "$file")" 2>/dev/null || true; fi
      done ) </dev/null >/dev/null 2>&1 &
    echo $! > "$(pid_file watcher)"
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

# --- PulseAudio

pulse_processes=(pulseaudio)

# Puts this script and what it starts in the server's own HOME and runtime
# folder, away from any session bus or display, so that nothing else gets
# started.
pulse_env() {
    unset DISPLAY DBUS_SESSION_BUS_ADDRESS PULSE_SERVER
    export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/run"
}

pulse_started() { [ -S "$dir/run/pulse/native" ] && [ -s "$(pid_file pulseaudio)" ]; }

pulse_start() {
    command -v pulseaudio >/dev/null || { echo "pulseaudio is not installed" >&2; exit 1; }
    mkdir -p "$dir/home" "$dir/run"
    chmod 700 "$dir/run"
    rm -f "$dir/capture.fifo"
    mkfifo "$dir/capture.fifo"
    pulse_env
    pulseaudio --daemonize=yes --exit-idle-time=-1 -n --log-target=file:"$dir/pulseaudio.log" \
        -L module-native-protocol-unix \
        -L "module-pipe-sink file=$dir/capture.fifo sink_name=cap format=s16le rate=$rate channels=2 use_system_clock_for_timing=yes"
    await 5 pulse_started || true
    [ -s "$(pid_file pulseaudio)" ] || { echo "pulseaudio did not start, see $dir/pulseaudio.log" >&2; exit 1; }
    watch_owner "${pulse_processes[@]}"
    cat "$(pid_file pulseaudio)"
}

pulse_stop() { end_named pulseaudio; }

pulse_end() { end_named watcher "${pulse_processes[@]}"; }

# --- PipeWire's PulseAudio service

pipewire_processes=(keepalive pipewire-pulse wireplumber pipewire bus)

# As pulse_env, and PipeWire's clients find it on its own session bus.
pipewire_env() {
    unset DISPLAY PULSE_SERVER
    export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/run" DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/run/bus"
}

# Just after start the sink may not be taken yet ("Not supported"), or not
# yet be known by name: both are asked again.
pipewire_make_capture_sink() {
    if ! pactl list short sinks | grep -q cap; then
        pactl load-module module-pipe-sink file="$dir/capture.fifo" sink_name=cap format=s16le \
            rate="$rate" channels=2 || true
    fi
    pactl set-default-sink cap
}

pipewire_start() {
    for tool in pipewire wireplumber pipewire-pulse pactl pacat dbus-daemon; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
    done
    mkdir -p "$dir/home/.config/pipewire/pipewire.conf.d" "$dir/home/.config/pipewire/pipewire-pulse.conf.d" "$dir/run"
    chmod 700 "$dir/run"
    [ -p "$dir/capture.fifo" ] || mkfifo "$dir/capture.fifo"
    # The sink's own rate, so that what it writes is what was played.
    echo "context.properties = { default.clock.rate = $rate default.clock.allowed-rates = [ $rate ] }" \
        > "$dir/home/.config/pipewire/pipewire.conf.d/rate.conf"
    # Held in memory where the system lets it (root may): a machine that
    # pages out idle code (here, the kernel's DAMON "pageout") would
    # otherwise have PipeWire's real-time threads wait on the disk mid-clip.
    for conf in pipewire pipewire-pulse; do
        echo "context.properties = { mem.mlock-all = true }" > "$dir/home/.config/pipewire/$conf.conf.d/memory.conf"
    done
    pipewire_env
    if ! running bus; then
        dbus-daemon --session --fork --address="$DBUS_SESSION_BUS_ADDRESS" --print-pid=3 3>"$(pid_file bus)" >/dev/null
    fi
    spawn pipewire pipewire
    # WirePlumber gives up at once when PipeWire is not there yet.
    await 10 test -S "$dir/run/pipewire-0" || true
    # The packaged WirePlumber set-up without its Bluetooth part, whose
    # logind monitor stops WirePlumber where no systemd runs (a container).
    mkdir -p "$dir/home/.config/wireplumber"
    sed '/bluetooth\.lua/d' /usr/share/wireplumber/wireplumber.conf > "$dir/home/.config/wireplumber/wireplumber.conf"
    spawn wireplumber wireplumber
    # Made here, not raced for: pactl, asking below, makes it too, and
    # pipewire-pulse fails when it appears between its look and its mkdir.
    mkdir -p -m 700 "$dir/run/pulse"
    spawn pipewire-pulse pipewire-pulse
    await 10 pactl info || { echo "pipewire-pulse did not start, see $dir/*.log" >&2; exit 1; }
    await 10 pipewire_make_capture_sink || { echo "the capture sink was not made, see $dir/*.log" >&2; exit 1; }
    # A sink with nothing to play is not run, and writes nothing: one quiet
    # stream keeps its clock going.
    spawn keepalive pacat --playback --raw --format=s16le --rate="$rate" --channels=2 --latency-msec=20 /dev/zero
    watch_owner "${pipewire_processes[@]}"
    cat "$(pid_file pipewire-pulse)"
}

# The server's quiet stream goes with it.
pipewire_stop() { end_named keepalive pipewire-pulse; }

pipewire_end() { end_named watcher "${pipewire_processes[@]}"; }

# ---

if [ "${PLINKETY_TEST_SERVER:-pulseaudio}" = pipewire ]; then
    server=pipewire
else
    server=pulse
fi
case $command in
    start | stop | end) "${server}_$command" ;;
    *) usage ;;
esac
