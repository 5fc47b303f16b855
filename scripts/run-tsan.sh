#!/usr/bin/env bash
# Builds the threaded tests with the thread sanitizer and runs them: the
# frame feeds and the difference picture's thread (media), the Pro Tools
# conform worker and the session locate, and the window's search and
# conform runs (desktop, without a display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --tests
jobs=$(nproc 2>/dev/null || echo 2)
build=build-tsan
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRW_SANITIZE_THREAD=ON >/dev/null
cmake --build "$build" -j "$jobs" --target test_media test_protools test_desktop_Window test_desktop_WorkstationConform
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan.supp"
"$build/tests/media/test_media" --gtest_filter='Feed*:*/Feed.*:PictureThread.*'
"$build/tests/protools/test_protools"
QT_QPA_PLATFORM=offscreen "$build/tests/desktop/test_desktop_Window"
QT_QPA_PLATFORM=offscreen "$build/tests/desktop/test_desktop_WorkstationConform"
