#!/usr/bin/env bash
# The sound tests' PipeWire (support/pulse_test_server.sh), used as they use
# it: a server killed outright starts again at once, and once the test that
# started it has gone, without ending it, nothing it started is left.
#   pulse_test_server_check.sh [SCRIPT]
set -euo pipefail
server=${1:-$(dirname "$0")/support/pulse_test_server.sh}
export PLINKETY_TEST_SERVER=pipewire
for tool in pipewire wireplumber pipewire-pulse pactl pacat dbus-daemon; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
dir=$(mktemp -d)
sleep 600 &
owner=$!
trap 'kill "$owner" 2>/dev/null || true; bash "$server" end "$dir"; rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Ended and reaped, or ended and waiting to be.
gone() { local state; ! state=$(ps -o stat= -p "$1") || [[ $state == *Z* ]]; }

pid=$(bash "$server" start "$dir" "$owner")
kill -KILL "$pid"
pid=$(timeout 20 bash "$server" start "$dir" "$owner") || fail "the server killed outright did not start again"
started=$(cat "$dir"/*.pid)
# As a test stops it, by its pid; then the test itself dies.
[ -z "$pid" ] || kill "$pid"
sleep 1
kill "$owner"
for _ in $(seq 100); do
    left=""
    for p in $started; do gone "$p" || left="$left $p"; done
    [ -z "$left" ] && break
    sleep 0.1
done
[ -z "$left" ] || fail "left running after the test had gone: $(ps -o args= -p "${left# }" | tr '\n' ',')"

[ "$failures" -eq 0 ] && echo "PASS: started again at once, and nothing left after the test"
exit "$failures"
