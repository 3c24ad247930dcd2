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
for size in 16 22 24 32 48 64 128 256; do
    icon="share/icons/hicolor/${size}x${size}/apps/plinkety.png"
    if [ -f "$prefix/$icon" ]; then
        # A PNG starts with its signature; its header chunk holds width and height.
        [ "$(head -c 8 "$prefix/$icon" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "$icon is not a PNG"
        [ "$(od -An -tx1 -j16 -N8 "$prefix/$icon" | tr -d ' \n')" = "$(printf '%08x%08x' "$size" "$size")" ] ||
            fail "$icon is not $size x $size"
    else
        fail "no icon at $icon"
    fi
done
svg="share/icons/hicolor/scalable/apps/plinkety.svg"
grep -q '<svg ' "$prefix/$svg" 2>/dev/null || fail "no scalable icon at $svg"
[ "$failures" -eq 0 ] && echo "PASS: installed program, desktop entry and icon"
exit "$failures"
