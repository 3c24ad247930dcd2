#!/usr/bin/env bash
# Runs every test of an already configured and built tree.
set -euo pipefail
build=${1:-build}
cd "$build"
ctest --output-on-failure --timeout 600
