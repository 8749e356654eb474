#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages (Debian 12 or 13) that building, running and testing Lumivane
# need, skipping the package manager entirely when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev-tools
  qt6-webengine-dev qt6-webengine-dev-tools qt6-svg-dev libgl-dev libfontconfig-dev
  libpsl-dev
  xvfb xauth openbox xdotool x11-utils imagemagick
  fonts-dejavu-core desktop-file-utils shared-mime-info xdg-utils libglib2.0-bin
  # The release's default clang, with its sanitizer runtimes and llvm-symbolizer: versioned
  # names differ between releases (14 on Debian 12, 19 on Debian 13).
  clang libclang-rt-dev llvm
  python3 dbus-daemon
  # Spelling: the English dictionary the package converts into the engine's format.
  hunspell-en-us
  # Translations: lrelease builds the .qm files; lupdate keeps the .ts sources up to date.
  qt6-l10n-tools
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
