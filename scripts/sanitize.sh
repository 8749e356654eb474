#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds every target with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer in
# build/sanitize and runs the whole test suite there. Any sanitizer report fails its test.
# Leak reports from Qt WebEngine's own internals are suppressed by tests/sanitizers/lsan.supp
# (see its comments); nothing of ours is.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/sanitize"
jobs=$(nproc)

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMIVANE_WERROR=ON \
  -DLUMIVANE_SANITIZE=ON >/dev/null
cmake --build "$build" -j "$jobs"

export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
# new_delete_type_mismatch=0: Qt WebEngine's Chromium frees some of its own objects with a sized
# delete of another size whenever a page goes away, and ASan offers no way to leave only that
# library out of this one check. In our code the same fault (deleting through a base without a
# virtual destructor) is a compile error: -Wall's -Wdelete-non-virtual-dtor under -Werror.
# fast_unwind_on_malloc=0: Qt is built without frame pointers; without this, allocation stacks
# stop at Qt's first frame and the suppressions could not tell Qt's leaks from ours.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:new_delete_type_mismatch=0:fast_unwind_on_malloc=0
export LSAN_OPTIONS="suppressions=$top/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$jobs"
