#!/bin/sh
# The search in other files against grep, over one generated tree.
#
#   bench/bench_search.sh [REELWRIGHT] [dense]
#
# Generates 2,000 EDLs (about 200 MB) in a temporary folder, a NEW list of
# 200 events and the file of their 200 clip names, then times
#   reelwright search TREE --new NEW --select 1-200
#   grep -rlF -f NAMES TREE
# (best of three runs each, after one warm-up read of the tree). By default
# the selected names come from one show of forty, so most files hold none of
# them, as in a folder of many productions' lists; "dense" makes every file a
# list of that show. The tree is removed at the end.
set -eu

RW=${1:-build-bench/cli/reelwright}
MODE=${2:-sparse}
[ -x "$RW" ] || { echo "no reelwright at $RW (build it, or give its path)" >&2; exit 2; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/rw-bench-search.XXXXXX")
trap 'rm -rf "$WORK"' EXIT INT TERM

# Every event: a reel of a show, ten seconds of it, a clip-name comment. Reel r
# of show s always takes the same source range, so the NEW list's events match.
awk -v root="$WORK/tree" -v dense="$([ "$MODE" = dense ] && echo 1 || echo 0)" '
function tc(f,   h, m, s) { h = int(f / 86400); m = int(f / 1440) % 60; s = int(f / 24) % 60
    return sprintf("%02d:%02d:%02d:%02d", h, m, s, f % 24) }
BEGIN {
    srand(42)
    for (file = 0; file < 2000; file++) {
        show = dense ? 0 : file % 40
        dir = sprintf("%s/show%02d/cut%02d", root, show, int(file / 40) % 50)
        if (!(dir in made)) { system("mkdir -p \"" dir "\""); made[dir] = 1 }
        path = sprintf("%s/reel%04d.edl", dir, file)
        printf "TITLE: SHOW %02d CUT %04d\nFCM: NON-DROP FRAME\n\n", show, file > path
        rec = 10 * 86400
        for (ev = 1; ev <= 560; ev++) {
            r = int(rand() * 5000)
            reel = sprintf("S%02dR%04dC%03d", show, r, r % 997)
            src = 86400 + (r % 3000) * 240
            printf "%06d  %-32s V     C        %s %s %s %s\n", ev, reel, tc(src), tc(src + 240), tc(rec), tc(rec + 240) > path
            printf "* FROM CLIP NAME:  %s_take%d.mov\n* SOURCE FILE: %s\n", reel, ev % 7, reel > path
            rec += 240
        }
        close(path)
    }
    rec = 11 * 86400
    for (ev = 1; ev <= 200; ev++) {
        r = ev * 23 % 5000
        reel = sprintf("S00R%04dC%03d", r, r % 997)
        src = 86400 + (r % 3000) * 240
        printf "%03d  %s  V  C  %s %s %s %s\n", ev, reel, tc(src), tc(src + 240), tc(rec), tc(rec + 240) > (root "/../new.edl")
        print reel > (root "/../names.txt")
        rec += 240
    }
}'

echo "tree: $(find "$WORK/tree" -type f | wc -l) files, $(du -sm "$WORK/tree" | cut -f1) MB ($MODE)"
cat $(find "$WORK/tree" -type f) > /dev/null  # warm the page cache for both

best() {  # best wall time of three runs, in seconds
    b=""
    for i in 1 2 3; do
        s=$(date +%s.%N); "$@" > "$WORK/out" 2>&1 || true; e=$(date +%s.%N)
        b=$(awk -v s="$s" -v e="$e" -v b="$b" 'BEGIN { t = e - s; if (b == "" || t < b + 0) b = t; printf "%.3f", b }')
    done
    echo "$b"
}

RWT=$(best "$RW" search "$WORK/tree" --new "$WORK/new.edl" --select 1-200 --edl-type "24fps EDL/XML")
echo "reelwright search: ${RWT}s, $(wc -l < "$WORK/out") lists ranked"
GT=$(best grep -rlF -f "$WORK/names.txt" "$WORK/tree")
echo "grep -rlF -f NAMES: ${GT}s, $(wc -l < "$WORK/out") files"
echo "ratio: $(awk -v a="$RWT" -v b="$GT" 'BEGIN { printf "%.2f", a / b }')"
