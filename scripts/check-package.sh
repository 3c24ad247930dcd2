#!/usr/bin/env bash
# Checks a built Plinkety package as Debian and the software centres would:
# lintian (no errors), the AppStream metadata and the desktop entry (no
# errors, no warnings). As root, where the package is not installed already,
# it also installs it, starts it, and purges it, and looks for anything left.
#   check-package.sh plinkety_VERSION_ARCH.deb
set -euo pipefail
deb=$(realpath "$1")
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

echo "== lintian"
lintian --info "$deb" | tee "$tree/lintian.txt"
grep -q '^E: ' "$tree/lintian.txt" && fail "lintian reports errors"

dpkg-deb -x "$deb" "$tree/root"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net --explain "$tree"/root/usr/share/metainfo/*.metainfo.xml | tee "$tree/appstream.txt" \
    || fail "the AppStream metadata does not validate"
grep -q '^W: ' "$tree/appstream.txt" && fail "the AppStream metadata has warnings"
echo "== desktop-file-validate"
desktop-file-validate "$tree"/root/usr/share/applications/*.desktop || fail "the desktop entry does not validate"
[ -n "$(desktop-file-validate "$tree"/root/usr/share/applications/*.desktop)" ] && fail "the desktop entry has warnings"

name=$(dpkg-deb -f "$deb" Package)
if [ "$(id -u)" -ne 0 ] || dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q installed; then
    echo "== not installed for a try (needs root, and no $name installed already)"
else
    echo "== apt-get install, start, purge"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null \
        || fail "the package does not install"
    dpkg -L "$name" > "$tree/files"
    home=$(mktemp -d)
    # Started with a display it can open, it runs until a session ends it.
    QT_QPA_PLATFORM=offscreen sh "$(dirname "$0")/../tests/support/run_and_close.sh" plain "$home" "$tree/conf" "$(command -v plinkety)" \
        || fail "the installed program did not start and close cleanly"
    [ -f "$tree/conf" ] || fail "the installed program saved no settings"
    # With none, it says so in one line and ends with status 1.
    said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM plinkety 2>&1) && fail "plinkety without a display exited 0"
    [ "$(printf '%s\n' "$said" | wc -l)" -eq 1 ] || fail "plinkety without a display said more than one line: $said"
    rm -rf "$home"
    dpkg --purge "$name" >/dev/null || fail "the package does not purge"
    while read -r path; do
        [ -f "$path" ] && fail "$path is left after the purge"
    done < "$tree/files"
    [ -e "/usr/share/doc/$name" ] && fail "/usr/share/doc/$name is left after the purge"
fi
[ "$failures" -eq 0 ] && echo "PASS: $(basename "$deb")"
exit "$failures"
