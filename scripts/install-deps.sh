#!/bin/sh
# Installs the Debian 12 packages that are missing for one of:
#   run   building and running Plinkety (no sound server: the desktop has one)
#   test  building it and running every test, the private sound server included
#   deb   building the Debian package and checking it
#   windows  building the Windows program, its Qt and its installer
# POSIX sh, so that it runs on a machine that has nothing but the source.
set -eu

run_packages="cmake g++ make pkg-config zlib1g-dev qt6-base-dev qt6-wayland libpulse-dev libfontconfig-dev libxcb1-dev libgl-dev fonts-dejavu-core"
deb_packages="dpkg-dev file lintian appstream desktop-file-utils"
# The cross compiler, Qt's source (fetched and unpacked by dpkg-dev's tools),
# the installer's maker, and Wine to try what was built.
windows_packages="g++-mingw-w64-x86-64-posix dpkg-dev ninja-build xz-utils nsis zip wine64 wine"
test_packages="$deb_packages $windows_packages pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber sox xvfb xauth openbox x11-utils xdotool
               clang libclang-rt-14-dev at-spi2-core dbus-x11 python3-pyatspi python3-gi gir1.2-atspi-2.0"

packages=$run_packages
case "${1:-run}" in
    run) ;;
    test) packages="$packages $test_packages" ;;
    deb) packages="$packages $deb_packages" ;;
    windows) packages="$packages $windows_packages" ;;
    *) echo "usage: install-deps.sh run|test|deb|windows" >&2; exit 2 ;;
esac

missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing="$missing $package"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=""
elif command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
else
    echo "Plinkety needs these Debian packages. As root, run:" >&2
    echo "    apt-get install --no-install-recommends$missing" >&2
    echo "then run this command again." >&2
    exit 1
fi

echo "Installing:$missing"
$sudo apt-get update -qq
# shellcheck disable=SC2086 # one word a package
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
