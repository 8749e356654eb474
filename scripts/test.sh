#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Lumivane with its tests (warnings are errors) and runs every
# test headless.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
jobs=$(nproc)

cmake -S "$top" -B "$top/build/test" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMIVANE_WERROR=ON
cmake --build "$top/build/test" -j "$jobs"
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
ctest --test-dir "$top/build/test" --output-on-failure -j "$jobs"

# The whole suite again under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer,
# then each fuzz target for a minute.
bash "$top/scripts/sanitize.sh"
bash "$top/scripts/fuzz.sh" 60
