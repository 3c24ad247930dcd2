#!/usr/bin/env bash
# Reads the running program over AT-SPI on a private X server and session
# bus, as a screen reader would.
#   accessibility.sh path/to/plinkety
set -euo pipefail
program=$1
source "$(dirname "$0")/x11-session.sh"

python=/usr/bin/python3
if ! command -v dbus-daemon >/dev/null || ! "$python" -c 'import pyatspi' 2>/dev/null; then
    echo "SKIP: dbus-daemon or python3-pyatspi is not installed (scripts/install-deps.sh test)"
    exit 77
fi

# The session's bus starts the accessibility bus when asked.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

"$program" 2>"$session_dir/program.log" &
session_pids+=($!)
status=0
"$python" "$(dirname "$0")/accessibility_probe.py" || status=$?
# The accessibility bus and its registry end with the session bus they came from.
exit "$status"
