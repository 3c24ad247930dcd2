#!/usr/bin/env bash
# The stress run of the real sound back end: bench_pop_stress's 50 runs of
# 40 pops against the tests' PipeWire and then PulseAudio, while every core
# is kept busy by two spinning shells each, stopped again by their pids.
#   bench/pop_stress.sh BUILD [runs [pops]]
set -uo pipefail
build=${1:-build}
shift || true
busy=()
for _ in $(seq $((2 * $(nproc)))); do
    sh -c 'while :; do :; done' &
    busy+=($!)
done
trap 'kill "${busy[@]}" 2>/dev/null' EXIT
status=0
for server in ${PLINKETY_STRESS_SERVERS:-pipewire pulseaudio}; do
    PLINKETY_TEST_SERVER=$server "$build/bench/bench_pop_stress" "$@" || status=1
done
exit $status
