#!/usr/bin/env bash
# Builds reelwright and runs the main job on the example cuts: the change list
# from examples/old_cut.edl to examples/new_cut.edl, printed on stdout.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target reelwright
build/cli/reelwright compare --old examples/old_cut.edl --new examples/new_cut.edl --compare clipname
