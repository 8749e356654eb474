#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets of tests/fuzz with clang (coverage, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for a bounded time on a copy of the seed corpus.
# Fails on any crash, hang (10 s per input), sanitizer report or broken property; the input that
# broke it is kept under build/fuzz/runs/<target>/.
# Usage: fuzz.sh [seconds per target, default 60]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$top/build/fuzz"
targets=(fuzz_load fuzz_roundtrip)

# -O1 keeps the runs fast while assertions stay on.
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 \
  -DCMAKE_CXX_COMPILER=clang++ -DLUMIVANE_FUZZ=ON -DLUMIVANE_BUILD_TESTS=OFF \
  -DLUMIVANE_WERROR=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

# Scratch documents go to memory when it can take them.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run() {
  local target=$1 work="$build/runs/$1"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/found"
  "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -dict="$top/tests/fuzz/webapp.dict" -print_final_stats=1 \
    -artifact_prefix="$work/found/" \
    "$work/corpus" "$top/tests/fuzz/corpus" >"$work/log" 2>&1
}

# Both targets at once when there are two cores for them.
declare -A pids status
for target in "${targets[@]}"; do
  run "$target" &
  pids[$target]=$!
  if [ "$(nproc)" -lt 2 ]; then wait "${pids[$target]}" && status[$target]=0 || status[$target]=$?; fi
done
failed=0
for target in "${targets[@]}"; do
  if [ -z "${status[$target]:-}" ]; then
    wait "${pids[$target]}" && status[$target]=0 || status[$target]=$?
  fi
  log="$build/runs/$target/log"
  echo "== $target: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1)"
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
  if [ "${status[$target]}" != 0 ]; then
    failed=1
    echo "== $target FAILED (exit ${status[$target]}); inputs kept in $build/runs/$target/found"
    tail -n 80 "$log"
  fi
done
exit $failed
