#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing for building and running
# Plinkety ("run") or for building it and running every test ("test").
set -euo pipefail

run_packages=(cmake g++ make qt6-base-dev qt6-multimedia-dev libpulse-dev
              libgl-dev fonts-dejavu-core pulseaudio)
test_packages=(pulseaudio-utils sox xvfb xauth openbox x11-utils xdotool
               clang libclang-rt-14-dev at-spi2-core dbus-x11 python3-pyatspi
               python3-gi gir1.2-atspi-2.0)

packages=("${run_packages[@]}")
[ "${1:-run}" = test ] && packages+=("${test_packages[@]}")

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
