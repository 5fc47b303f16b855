#!/bin/sh
# File conforms and a deeply nested XML sequence, at full and half size.
#
#   bench/bench_conform.sh [REELWRIGHT] [SCALE]
#
# Generates, at SCALE (default 1) and at half of it:
#   a change list of 20,000 events (overlapping old ranges, some reused),
#   a TC6000 list of 100,000 snapshots over devices 1-8 and engines R1-R4,
#     partly out of time order,
#   a tab separated cue list of 50,000 lines with two time fields each,
#   an xmeml sequence with clip items nested 40,000 deep, each with a file,
# then times (best of three runs, wall clock and CPU, since the machine may
# be shared)
#   reelwright conform evl --changes C --file S
#   reelwright conform tab --changes C --file F
#   reelwright show F.xml
# and prints each time and full/half: near 2 means linear in the sizes.
set -eu

RW=${1:-build-bench/cli/reelwright}
SCALE=${2:-1}
[ -x "$RW" ] || { echo "no reelwright at $RW (build it, or give its path)" >&2; exit 2; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/rw-bench-conform.XXXXXX")
trap 'rm -rf "$WORK"' EXIT INT TERM

generate() {  # generate DIR FACTOR
    mkdir -p "$1"
    awk -v dir="$1" -v f="$2" '
    function tc(x,   h) { h = int(x / 86400); return sprintf("%02d:%02d:%02d:%02d", h, int(x / 1440) % 60, int(x / 24) % 60, x % 24) }
    function tc6(x) { return sprintf("%02d%02d%02d%02d", int(x / 86400), int(x / 1440) % 60, int(x / 24) % 60, x % 24) }
    BEGIN {
        srand(12)
        events = int(20000 * f); snaps = int(100000 * f); cues = int(50000 * f); depth = int(40000 * f)
        reel = 86400 * 6  # the old material spans six hours
        printf "TITLE: CHANGES\nFCM: NON-DROP FRAME\n\n" > (dir "/changes.edl")
        rec = 10 * 86400
        for (n = 1; n <= events; n++) {
            if (n > 1 && rand() < 0.1) { si = src[int(rand() * (n - 1)) + 1]; len = lens[si] }
            else { si = 86400 + int(rand() * reel); len = 48 + int(rand() * 480); lens[si] = len }
            src[n] = si
            printf "%06d  R%04d    V     C        %s %s %s %s\n", n, n % 5000, tc(si), tc(si + len), tc(rec), tc(rec + len) > (dir "/changes.edl")
            rec += len
        }
        print "ICONLISTV1" > (dir "/snaps.evl")
        for (n = 0; n < snaps; n++) {
            t = 86400 + int(n * reel / snaps)
            if (rand() < 0.05) t = 86400 + int(rand() * reel)  # out of order
            printf "%s,%d,R%d,P%d\n", tc6(t), 1 + n % 8, 1 + int(n / 8) % 4, int(rand() * 50) > (dir "/snaps.evl")
        }
        for (n = 0; n < cues; n++) {
            t = 86400 + int(rand() * (reel + 86400))  # some in no event
            printf "cue %d\t%s\t%s\tnote %d\n", n, tc(t), tc(t + 96), n > (dir "/cues.txt")
        }
        x = dir "/nest.xml"
        printf "<?xml version=\"1.0\"?>\n<xmeml version=\"4\"><sequence><rate><timebase>24</timebase><ntsc>FALSE</ntsc></rate>" > x
        printf "<media><video><track><clipitem><name>f</name><in>0</in><out>10</out><start>0</start><end>10</end>" > x
        printf "<file id=\"f\"><rate><timebase>24</timebase></rate><timecode><rate><timebase>24</timebase></rate>" > x
        printf "<frame>86400</frame><source>source</source></timecode></file></clipitem>\n" > x
        for (k = 0; k < depth; k++)
            printf "<clipitem><name>n%d</name><in>0</in><out>1000000</out><start>1</start><end>1000001</end><file id=\"f\"/><sequence><media><video><track>\n", k > x
        printf "<clipitem><name>inner</name><in>0</in><out>10</out><start>0</start><end>10</end><file id=\"f\"/></clipitem>\n" > x
        for (k = 0; k < depth; k++) printf "</track></video></media></sequence></clipitem>\n" > x
        printf "</track></video></media></sequence></xmeml>\n" > x
    }'
}

best() {  # best of three runs: wall and CPU (user + system) seconds
    b=""; c=""
    for i in 1 2 3; do
        /usr/bin/time -f "%e %U %S" -o "$WORK/time" "$@" > "$WORK/out" 2>&1 || true
        # the last line: a failing run adds a line before it
        b=$(awk -v b="$b" 'END { t = $1; if (b == "" || t < b + 0) b = t; printf "%.3f", b }' "$WORK/time")
        c=$(awk -v c="$c" 'END { t = $2 + $3; if (c == "" || t < c + 0) c = t; printf "%.3f", c }' "$WORK/time")
    done
    echo "$b $c"
}

HALF=$(awk -v s="$SCALE" 'BEGIN { print s / 2 }')
generate "$WORK/full" "$SCALE"
generate "$WORK/half" "$HALF"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { r = 0; if (b > 0) r = a / b; printf "%.2f", r }'; }

report() {  # report NAME "FULLWALL FULLCPU" "HALFWALL HALFCPU"
    set -- "$1" $2 $3
    echo "$1:"
    echo "    wall ${2}s, half size ${4}s, ratio $(ratio "$2" "$4")"
    echo "    cpu  ${3}s, half size ${5}s, ratio $(ratio "$3" "$5")"
}

for size in full half; do
    d="$WORK/$size"
    eval "evl_$size=\$(best \"\$RW\" conform evl --changes \"\$d/changes.edl\" --file \"\$d/snaps.evl\")"
    eval "tab_$size=\$(best \"\$RW\" conform tab --changes \"\$d/changes.edl\" --file \"\$d/cues.txt\")"
    eval "xml_$size=\$(best \"\$RW\" show \"\$d/nest.xml\")"
    [ "$size" = full ] && echo "show printed $(wc -l < "$WORK/out") events"
done
report "conform evl (20,000 events x $SCALE, 100,000 snapshots x $SCALE)" "$evl_full" "$evl_half"
report "conform tab (20,000 events x $SCALE, 50,000 cue lines x $SCALE)" "$tab_full" "$tab_half"
report "show (clip items nested 40,000 x $SCALE deep)" "$xml_full" "$xml_half"
