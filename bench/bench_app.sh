#!/bin/sh
# The desktop window's timings over two generated EDLs of N events (default
# 10,000): start to a shown window (in-process, and the whole program with
# --quit-when-shown), and load, compare and show against the engine alone.
#
#   bench/bench_app.sh [BUILD_FOLDER] [N]
set -eu
BUILD=${1:-build-bench}
N=${2:-10000}
[ -x "$BUILD/bench/desktop/bench_app_window" ] || {
  echo "build $BUILD with -DRW_BUILD_BENCH=ON first (target bench_app_window)" >&2; exit 2; }
WORK=$(mktemp -d "${TMPDIR:-/tmp}/rw-bench-app.XXXXXX")
trap 'rm -rf "$WORK"' EXIT INT TERM

# OLD: N events of ten seconds; NEW: the same material with every tenth
# event trimmed by a second, so the comparison has real work.
gen() {
  awk -v n="$N" -v trim="$1" '
  function tc(f,   h, m, s) { h = int(f / 86400); m = int(f / 1440) % 60; s = int(f / 24) % 60
      return sprintf("%02d:%02d:%02d:%02d", h, m, s, f % 24) }
  BEGIN {
    print "TITLE: BENCH"; print "FCM: NON-DROP FRAME"; print ""
    rec = 86400
    for (i = 1; i <= n; i++) {
      len = 240; if (trim && i % 10 == 0) len = 216
      src = 36000 * 24 + i * 480
      printf("%06d  R%05d V     C        %s %s %s %s\n", i, i, tc(src), tc(src + len), tc(rec), tc(rec + len))
      printf("* FROM CLIP NAME: SHOT_%05d\n\n", i)
      rec += len
    }
  }'
}
gen 0 > "$WORK/old.edl"
gen 1 > "$WORK/new.edl"

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$BUILD/bench/desktop/bench_app_window" "$WORK/old.edl" "$WORK/new.edl"
s=$(date +%s%N)
XDG_CONFIG_HOME="$WORK" "$BUILD/desktop/reelwright-app" --settings-file "$WORK/s.ini" --quit-when-shown
e=$(date +%s%N)
echo "reelwright-app process, start to shown window and quit: $(( (e - s) / 1000000 )) ms"
