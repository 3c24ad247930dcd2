#!/usr/bin/env bash
# Runs the tests of an already configured and built tree, as many at a time
# as the machine has cores; the tests that start a server of their own take
# turns.
#   run-tests.sh BUILD [ctest options, e.g. -L 'unit|window']
set -euo pipefail
build=${1:-build}
shift || true
cd "$build"
ctest --output-on-failure --timeout 600 -j "$(nproc)" "$@"
