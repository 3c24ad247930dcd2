# Sourced after tests/x11/x11-session.sh by the scripts that run Windows
# programs on its X server: a Wine prefix of this session's own, so that
# Wine's desktop lives on this X server and goes with it (a prefix shared
# with another X server, or with programs run without one, would keep its
# desktop on the first display it met). wine_run runs a program in it;
# end_wine stops its Wine server.
here_wine=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
unset QT_QPA_PLATFORM # the Windows program picks its own
export WINEPREFIX=$session_dir/wine-prefix
wine_run() { "$here_wine/wine-run.sh" "$@"; }
end_wine() { /usr/lib/wine/wineserver -k 2>/dev/null || true; }
wine_run wineboot -i >/dev/null 2>&1 || true
# Where Windows keeps this prefix's user's settings (%APPDATA%).
roaming=$(find "$WINEPREFIX/drive_c/users" -maxdepth 3 -path '*/AppData/Roaming' ! -path '*/Public/*' | head -n1)
