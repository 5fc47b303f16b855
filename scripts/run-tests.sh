#!/usr/bin/env bash
# Builds and runs every test twice: a plain build, then one with the address
# and undefined-behaviour sanitizers; last, the threaded tests under the
# thread sanitizer (scripts/run-tsan.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --tests
jobs=$(nproc 2>/dev/null || echo 2)

echo "== layers"
python3 scripts/check-layers.py

echo "== plain build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --output-on-failure

echo "== sanitizer build (address, undefined behaviour)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRW_SANITIZE=ON -DRW_BUILD_APP=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan -j "$jobs" --output-on-failure
