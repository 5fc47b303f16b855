#!/usr/bin/env bash
# Pictures of the desktop application after comparing the example cuts: every
# tab of the main window, the preferences panel, the block view and, when the
# ffmpeg program is there to make two test movies, the movie windows; taken
# under a virtual display. Usage: scripts/screenshots.sh [OUTPUT_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshots}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j 2 --target reelwright-app
mkdir -p "$out"
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
# Two movies for the windows: a test picture, and the same with a box added
# in the new cut, so the difference window shows the box's outline.
movies=()
if command -v ffmpeg >/dev/null; then
  source="testsrc2=size=640x360:rate=24:duration=40"
  ffmpeg -loglevel error -y -f lavfi -i "$source" -timecode 01:00:00:00 -c:v mjpeg -q:v 3 "$settings/old.mov"
  ffmpeg -loglevel error -y -f lavfi -i "$source" -vf "drawbox=x=380:y=60:w=180:h=120:color=white:t=fill" \
    -timecode 01:00:00:00 -c:v libx264 -g 48 -pix_fmt yuv420p "$settings/new.mov"
  movies=(--old-movie "$settings/old.mov" --new-movie "$settings/new.mov")
fi
# A settings file of its own, so the user's preferences neither shape the
# pictures nor change; no automatic change-list copy lands in the user's folder.
XDG_DATA_HOME="$settings" xvfb-run -a -s "-screen 0 1280x900x24" \
  build/desktop/reelwright-app --settings-file "$settings/settings.ini" \
  --old examples/old_cut.edl --new examples/new_cut.edl --compare "${movies[@]}" --screenshot-dir "$out"
ls "$out"/*.png
