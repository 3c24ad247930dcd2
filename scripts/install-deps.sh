#!/bin/sh
# Installs the Debian 12 packages that are missing for one of:
#   run   building and running Plinkety (no sound server: the desktop has one)
#   test  building it and running every test, the private sound server included
#   deb   building the Debian packages and checking them
#   windows  building the Windows program, its Qt and its installer
# What building needs is debian/control's Build-Depends, its one list:
# apt-get build-dep installs that, with the compiler and make that every
# Debian build has. The lists here are only what comes on top of it.
# POSIX sh, so that it runs on a machine that has nothing but the source.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)

# What the program loads at run time that no link names: Qt's Wayland
# plugin and Qt's own translations (the package recommends them) and a font.
run_packages="qt6-wayland qt6-translations-l10n fonts-dejavu-core"
# The checks of the packages: lintian, the AppStream metadata, the desktop
# entry, and the package's own tests, run by autopkgtest.
deb_packages="lintian appstream desktop-file-utils autopkgtest"
# The cross compiler, Qt's source (fetched and unpacked by dpkg-dev's tools),
# the installer's maker, Wine to try what was built, and Qt's translations,
# which the Windows program carries.
windows_packages="g++-mingw-w64-x86-64-posix dpkg-dev ninja-build xz-utils nsis zip wine64 wine qt6-translations-l10n"
# A font with Japanese and Chinese, in which their translations are measured.
test_packages="$run_packages $deb_packages $windows_packages fonts-wqy-microhei file pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber sox xvfb xauth openbox x11-utils xdotool
               clang libclang-rt-14-dev at-spi2-core dbus-x11 python3-pyatspi python3-gi gir1.2-atspi-2.0"

case "${1:-run}" in
    run) packages=$run_packages ;;
    test) packages=$test_packages ;;
    deb) packages=$deb_packages ;;
    windows) packages=$windows_packages ;;
    *) echo "usage: install-deps.sh run|test|deb|windows" >&2; exit 2 ;;
esac

# dpkg-checkbuilddeps (dpkg-dev, itself one of them) checks Build-Depends.
build_deps_missing=yes
if command -v dpkg-checkbuilddeps >/dev/null 2>&1 \
    && dpkg-checkbuilddeps "$top/debian/control" >/dev/null 2>&1; then
    build_deps_missing=no
fi
missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing="$missing $package"
done
[ "$build_deps_missing" = no ] && [ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=""
elif command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
else
    echo "Plinkety needs these Debian packages. As root, run:" >&2
    [ "$build_deps_missing" = no ] || echo "    apt-get build-dep --no-install-recommends $top" >&2
    [ -z "$missing" ] || echo "    apt-get install --no-install-recommends$missing" >&2
    echo "then run this command again." >&2
    exit 1
fi

echo "Installing:${missing}$([ "$build_deps_missing" = no ] || echo " and debian/control's Build-Depends")"
$sudo apt-get update -qq
if [ "$build_deps_missing" = yes ]; then
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -qq --no-install-recommends "$top"
fi
if [ -n "$missing" ]; then
    # shellcheck disable=SC2086 # one word a package
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
fi
