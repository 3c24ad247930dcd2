#!/usr/bin/env bash
# Makes a fresh Wine prefix in DIR for one test run to copy: every test that
# runs Windows programs still has a prefix of its own (wine-run.sh), but a
# copy takes a fraction of a second where making one takes 10 s of
# processor time. Made without a display: Wine's desktop comes up on the X
# server that a copy is first used with.
#   wine-template.sh DIR
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 DIR" >&2; exit 2; }
rm -rf "$1"
mkdir -p "$(dirname "$1")"
export WINEPREFIX
WINEPREFIX=$(realpath -m "$1")
unset DISPLAY WAYLAND_DISPLAY PLINKETY_WINE_TEMPLATE
bash "$(dirname "$0")/wine-run.sh" wineboot -i >/dev/null 2>&1
# Copied only once its server has written the registry out and gone; and
# without the name of that server's folder, so that each copy's server
# makes a folder of its own.
/usr/lib/wine/wineserver -w
rm -f "$WINEPREFIX/wineserver"
