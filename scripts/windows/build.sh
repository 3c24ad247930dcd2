#!/usr/bin/env bash
# Builds Plinkety for 64-bit Windows into BUILD (default build-windows):
# the cross Qt first, once, into ~/.cache/plinkety (build-qt.sh), then
#   BUILD/plinkety.exe                    one static, stripped program
#   plinkety-VERSION-win64-setup.exe      the installer (NSIS)
#   plinkety-VERSION-win64.zip            the program alone, to carry about
# the last two into OUT (default: this folder). With tests=ON (the default)
# the portable tests and the Wine test probes are built too, and with
# bench=ON (the default: as tests) the benchmarks' programs.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-windows}
out=${2:-.}
tests=${PLINKETY_WINDOWS_TESTS:-ON}
bench=${PLINKETY_WINDOWS_BENCH:-$tests}
qt=$(bash scripts/windows/build-qt.sh)
# A unity build: each target's sources compiled together, Qt's headers read once.
"$qt/bin/qt-cmake" -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=ON \
    -DBUILD_TESTING="$tests" -DPLINKETY_BUILD_BENCH="$bench" >/dev/null
cmake --build "$build" -j "${JOBS:-$(nproc)}"
(cd "$build" && cpack -B cpack >/dev/null)
mkdir -p "$out"
cp "$build"/cpack/plinkety-*-win64-setup.exe "$build"/cpack/plinkety-*-win64.zip "$out"/
