#!/usr/bin/env bash
# Runs every fuzz target of a built fuzz tree (see fuzz/CMakeLists.txt) over
# its seed corpus in tests/fuzz-corpus, each for the given number of runs.
#   scripts/run-fuzzers.sh BUILD [RUNS]
# Inputs the fuzzers find go to BUILD/corpus, crashes to BUILD/artifacts,
# never into tests/. Any crash, hang, leak or sanitizer report fails.
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-20000}
root=$(cd "$(dirname "$0")/.." && pwd)

# Each target on its own, all at once: most of the time is the two that
# read settings, one for each core.
fuzz() {
    local target=$1
    local work="$build/corpus/$target"
    local log="$build/fuzz_$target.log"
    mkdir -p "$work" "$build/artifacts"
    local started=$(date +%s)
    # -close_fd_mask=2 keeps the program's own log of unreadable settings
    # out of the way; the fuzzer and the sanitizers still report.
    if "$build/fuzz_$target" -runs="$runs" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
            -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
            "$work" "$root/tests/fuzz-corpus/$target" > "$log" 2>&1; then
        local done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz_$target: ${done_runs:-?} runs in $(( $(date +%s) - started )) s, no findings"
    else
        echo "fuzz_$target: FAILED after $(( $(date +%s) - started )) s; the end of $log:"
        tail -n 40 "$log"
        return 1
    fi
}

pids=()
for target in settings_file settings_texts waveimage textconvert; do
    fuzz "$target" &
    pids+=($!)
done
status=0
for pid in "${pids[@]}"; do
    wait "$pid" || status=1
done
exit $status
