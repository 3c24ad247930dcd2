#!/usr/bin/env bash
# `cmake --install` puts the program, its desktop entry and its icon where a
# desktop looks for them.
#   install_check.sh build-directory
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -x "$prefix/bin/plinkety" ] || fail "no program at bin/plinkety"
entry="$prefix/share/applications/plinkety.desktop"
if [ -f "$entry" ]; then
    for line in '[Desktop Entry]' 'Type=Application' 'Name=Plinkety' 'Exec=plinkety' 'Icon=plinkety'; do
        grep -qxF "$line" "$entry" || fail "the desktop entry lacks '$line'"
    done
else
    fail "no desktop entry at share/applications/plinkety.desktop"
fi
icon="$prefix/share/icons/hicolor/32x32/apps/plinkety.png"
if [ -f "$icon" ]; then
    # A PNG starts with its signature; its header chunk holds width and height.
    [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "the icon is not a PNG"
    [ "$(od -An -tu1 -j16 -N8 "$icon" | tr -s ' ' | sed 's/^ //')" = "0 0 0 32 0 0 0 32" ] || fail "the icon is not 32 x 32"
else
    fail "no icon at share/icons/hicolor/32x32/apps/plinkety.png"
fi
[ "$failures" -eq 0 ] && echo "PASS: installed program, desktop entry and icon"
exit "$failures"
