#!/usr/bin/env bash
# `cmake --install --strip` puts the program, its desktop entry, its AppStream
# metadata, its icon at every size and its manual page where a desktop and a
# software centre look for them.
#   install_check.sh build-directory
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" --strip >/dev/null
id=example.veltrano.Plinkety

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -x "$prefix/bin/plinkety" ] || fail "no program at bin/plinkety"
file "$prefix/bin/plinkety" | grep -q ', stripped' || fail "the installed program is not stripped"
for path in share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/icons/hicolor/scalable/apps/$id.svg share/man/man6/plinkety.6 \
            share/doc/plinkety/copyright share/doc/plinkety/changelog; do
    [ -f "$prefix/$path" ] || fail "nothing at $path"
done
grep -qxF "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "the desktop entry names another icon"
for size in 16 22 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x$size/apps/$id.png"
    # A PNG's header chunk holds its width and height.
    [ "$(od --endian=big -An -tu4 -j16 -N8 "$icon" 2>/dev/null | tr -s ' ' | sed 's/^ //')" = "$size $size" ] \
        || fail "no $size x $size icon"
done
[ "$failures" -eq 0 ] && echo "PASS: installed program, entry, metadata, icons and manual"
exit "$failures"
