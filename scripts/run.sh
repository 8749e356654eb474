#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Lumivane and starts it with the given arguments:
# none for the designer, "/l PATH" for the runner.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMIVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$top/build/release" --target lumivane lumivane_runner_module
# The web engine's sandbox cannot start as root; ordinary users keep it.
if [ "$(id -u)" = 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" "$top/build/release/src/app/lumivane" "$@"
fi
exec "$top/build/release/src/app/lumivane" "$@"
