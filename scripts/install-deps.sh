#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Lumivane need, skipping
# the package manager entirely when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev-tools
  qt6-webengine-dev qt6-webengine-dev-tools qt6-svg-dev libgl-dev libfontconfig-dev
  xvfb xauth openbox xdotool imagemagick
  fonts-dejavu-core desktop-file-utils shared-mime-info xdg-utils libglib2.0-bin
  clang-14 libclang-rt-14-dev llvm-14
  python3 dbus-daemon
)
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
