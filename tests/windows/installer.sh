#!/usr/bin/env bash
# The installer under Wine: a silent install puts Plinkety under Program
# Files with a Start-menu entry and lists it among the installed programs;
# the installed program starts, and closes through its own close when
# taskkill asks it to (as Windows' "End task" does), saving its count; the
# uninstaller takes away all of it but the user's settings.
#   installer.sh path/to/plinkety-VERSION-win64-setup.exe
set -euo pipefail
setup=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../x11/x11-session.sh"
source "$here/wine-session.sh"
trap 'end_wine; end_session' EXIT
export PULSE_SERVER=unix:$session_dir/no-server
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

folder="$WINEPREFIX/drive_c/Program Files/Plinkety"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Plinkety"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Plinkety'
listed() { wine_run reg query "$key" 2>/dev/null | grep -q DisplayName; }

wine_run "$setup" /S
[ -f "$folder/plinkety.exe" ] || fail "no plinkety.exe in Program Files"
[ -f "$folder/Uninstall.exe" ] || fail "no uninstaller in Program Files"
[ -f "$menu/Plinkety.lnk" ] || fail "no Start-menu entry"
listed || fail "not listed among the installed programs"

ini=$roaming/Plinkety/Plinkety.ini
rm -f "$ini"
wine_run "C:\\Program Files\\Plinkety\\plinkety.exe" 2>"$session_dir/program.log" &
pid=$!
find_window '^Plinkety$' >/dev/null || fail "the installed program shows no window"
wine_run taskkill /im plinkety.exe >/dev/null 2>&1 || true
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
    fail "taskkill did not close the program"
    kill -KILL "$pid"
fi
wait "$pid" || fail "the program ended with status $?"
[ "$(tr -d '\r' <"$ini" 2>/dev/null | sed -n 's/^Popped=//p')" = 0 ] || fail "closing did not save the count"

# The uninstaller copies itself away and goes on from there, so it is
# waited for by what it takes away: the Start-menu entry goes last.
wine_run "C:\\Program Files\\Plinkety\\Uninstall.exe" /S
for _ in $(seq 100); do [ -e "$folder" ] || [ -e "$menu" ] || break; sleep 0.2; done
[ ! -e "$folder" ] || fail "Program Files still holds: $(ls "$folder")"
[ ! -e "$menu" ] || fail "the Start-menu entry is still there"
listed && fail "still listed among the installed programs"
[ -f "$ini" ] || fail "the uninstaller took the user's settings away"

if [ "$failures" -gt 0 ]; then
    echo "--- program output"; cat "$session_dir/program.log"
    exit 1
fi
echo "PASS: installed, started, closed with its count saved, uninstalled, settings kept"
