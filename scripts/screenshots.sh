#!/usr/bin/env bash
# Pictures of the desktop application after comparing the example cuts: every
# tab of the main window, the preferences panel and the block view, taken
# under a virtual display. Usage: scripts/screenshots.sh [OUTPUT_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshots}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j 2 --target reelwright-app
mkdir -p "$out"
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
# A settings file of its own, so the user's preferences neither shape the
# pictures nor change; no automatic change-list copy lands in the user's folder.
XDG_DATA_HOME="$settings" xvfb-run -a -s "-screen 0 1280x900x24" \
  build/desktop/reelwright-app --settings-file "$settings/settings.ini" \
  --old examples/old_cut.edl --new examples/new_cut.edl --compare --screenshot-dir "$out"
ls "$out"/*.png
