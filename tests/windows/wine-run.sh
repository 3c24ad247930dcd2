#!/usr/bin/env bash
# Runs a Windows program under Wine, as the tests do: in the prefix named by
# WINEPREFIX, which is made on first use (a fresh one takes 3 to 12 s and
# 0.7 GB, so one is made a test run, never kept). Without WINEPREFIX, one beside
# the program. Quiet, with no Mono or Gecko installer prompts.
#   wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PROGRAM.exe [ARGUMENTS...]" >&2; exit 2; }
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEPREFIX=${WINEPREFIX:-$(dirname "$(realpath "$1")")/wine-prefix}
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
# Wine keeps Linux's QT_* variables from Windows programs, which would take
# them for their own; it hands on WINEQT_* as QT_*.
while IFS='=' read -r name _; do
    export "WINE$name=${!name}"
done < <(env | grep -E '^QT_[A-Za-z0-9_]*=')
# Two tests making one prefix at once would each half-make it.
mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    # The lock stays with this shell: the Wine server that wineboot leaves
    # running must not hold it.
    [ -f "$WINEPREFIX/system.reg" ] || "$wine" wineboot -i 9>&- >/dev/null 2>&1
) 9>"$WINEPREFIX.lock"
exec "$wine" "$@"
