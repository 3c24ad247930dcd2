#!/usr/bin/env bash
# Checks the built Plinkety packages as Debian and the software centres
# would: lintian, pedantic, on the source package and both .deb files of the
# .changes (no errors, no warnings), the AppStream metadata and the desktop
# entry (no errors, no warnings). As root, where the package is not
# installed already, autopkgtest runs the package's own tests
# (debian/tests) on this machine, installing it; then it is purged, and
# nothing of it may be left.
#   check-package.sh plinkety_VERSION_ARCH.changes
set -euo pipefail
changes=$(realpath "$1")
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The program's package is the one .deb of the .changes that is not -dbgsym.
deb=$(dirname "$changes")/$(awk '/^Files:/ { files = 1; next } /^[^ ]/ { files = 0 } files { print $5 }' "$changes" \
    | grep '^plinkety_.*\.deb$')

echo "== lintian --pedantic"
lintian --pedantic --display-info --fail-on error,warning "$changes" || fail "lintian reports errors or warnings"

dpkg-deb -x "$deb" "$tree/root"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net --explain "$tree"/root/usr/share/metainfo/*.metainfo.xml | tee "$tree/appstream.txt" \
    || fail "the AppStream metadata does not validate"
grep -q '^W: ' "$tree/appstream.txt" && fail "the AppStream metadata has warnings"
echo "== desktop-file-validate"
desktop-file-validate "$tree"/root/usr/share/applications/*.desktop || fail "the desktop entry does not validate"
[ -n "$(desktop-file-validate "$tree"/root/usr/share/applications/*.desktop)" ] && fail "the desktop entry has warnings"

name=$(dpkg-deb -f "$deb" Package)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q installed; }
if [ "$(id -u)" -ne 0 ] || installed "$name"; then
    echo "== not installed for a try (needs root, and no $name installed already)"
else
    echo "== autopkgtest (installs the package), purge"
    autopkgtest "$changes" -- null || fail "the package's own tests fail (autopkgtest status $?)"
    dpkg -L "$name" >"$tree/files" 2>/dev/null || fail "autopkgtest left no $name installed"
    for package in "$name" "$name-dbgsym"; do
        if installed "$package"; then
            dpkg --purge "$package" >/dev/null || fail "$package does not purge"
        fi
    done
    while read -r path; do
        [ -f "$path" ] && fail "$path is left after the purge"
    done <"$tree/files"
    [ -e "/usr/share/doc/$name" ] && fail "/usr/share/doc/$name is left after the purge"
fi
[ "$failures" -eq 0 ] && echo "PASS: $(basename "$changes")"
exit "$failures"
