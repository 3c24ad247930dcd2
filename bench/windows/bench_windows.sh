#!/usr/bin/env bash
# The Windows program against a bare static Qt window built the same way,
# each figure beside its baseline from the same run:
#   - the size of the two .exe files (goal: at most 2 MB more);
#   - under Wine on a private X server, launch to the window shown, as the
#     window manager lists it (goal: at most the greeting, 20.8 ms, + 30 ms).
#   bench_windows.sh [BUILD] [RUNS]     (default build-windows, 15 runs)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "${1:-build-windows}")
runs=${2:-15}
program=$build/plinkety.exe
bare=$build/bench/bare_window.exe
source "$here/../../tests/x11/x11-session.sh"
source "$here/../../tests/windows/wine-session.sh"
# A sound server to hear the greeting, as on a desktop.
bash "$here/../../tests/support/pulse_test_server.sh" start "$session_dir/sound" $$ >/dev/null
trap 'end_wine; bash "$here/../../tests/support/pulse_test_server.sh" end "$session_dir/sound"; end_session' EXIT
export PULSE_SERVER=unix:$session_dir/sound/run/pulse/native

awk -v b="$(stat -c %s "$bare")" -v p="$(stat -c %s "$program")" 'BEGIN {
    printf "size of the .exe            bare %8.2f MB   plinkety %8.2f MB   (+%.2f MB; goal <= +2 MB)\n",
        b / 1e6, p / 1e6, (p - b) / 1e6 }'

# Each change of the window manager's client list, with the time it came.
xprop -root -spy _NET_CLIENT_LIST | while read -r line; do
    echo "$(date +%s%N) $line"
done >"$session_dir/clients" &
session_pids+=($!)
sleep 0.5

# Milliseconds from the launch of $1 to its window being listed; then closes it.
launch_ms() {
    local before start listed pid
    before=$(wc -l <"$session_dir/clients")
    start=$(date +%s%N)
    wine_run "$1" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1000); do
        listed=$(sed -n "$((before + 1)),\$p" "$session_dir/clients" | grep -m1 '0x' | cut -d' ' -f1 || true)
        [ -n "$listed" ] && break
        sleep 0.01
    done
    wine_run taskkill /im "$(basename "$1")" >/dev/null 2>&1 || true
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && wine_run taskkill /f /im "$(basename "$1")" >/dev/null 2>&1
    wait "$pid" 2>/dev/null || true
    sleep 0.3
    echo $(( (listed - start) / 1000000 ))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# Once each first, uncounted: Wine loads its own DLLs and fonts.
launch_ms "$bare" >/dev/null
launch_ms "$program" >/dev/null
bare_ms=() plinkety_ms=()
# The two take turns at going first, so that a machine that grows faster or
# slower over the minutes favours neither.
for round in $(seq "$runs"); do
    if [ $((round % 2)) -eq 1 ]; then
        bare_ms+=("$(launch_ms "$bare")")
        plinkety_ms+=("$(launch_ms "$program")")
    else
        plinkety_ms+=("$(launch_ms "$program")")
        bare_ms+=("$(launch_ms "$bare")")
    fi
done
b=$(printf '%s\n' "${bare_ms[@]}" | median)
p=$(printf '%s\n' "${plinkety_ms[@]}" | median)
printf 'launch to window (median)   bare %8d ms      plinkety %8d ms      (%+d ms; goal <= +51 ms)\n' "$b" "$p" "$((p - b))"
# Each run of the program beside the bare window's run of the same round: on
# a machine whose speed drifts from minute to minute, the steadier figure.
# Its quartiles show how far one round tells.
differences=$(for i in "${!bare_ms[@]}"; do echo $((plinkety_ms[i] - bare_ms[i])); done | sort -n)
quartile() { awk -v q="$1" '{ v[NR] = $1 } END { print v[int((NR - 1) * q) + 1] }'; }
printf 'launch, run beside run       median difference %+d ms (goal <= +51 ms; quartiles %+d and %+d ms)\n' \
    "$(median <<<"$differences")" "$(quartile 0.25 <<<"$differences")" "$(quartile 0.75 <<<"$differences")"
echo "runs: bare ${bare_ms[*]}"
echo "      plinkety ${plinkety_ms[*]}"
