#!/bin/sh
# Photos per second of `quillery-tool add` with 200 photos, with each image read while
# the photo before it is written and with that overlap switched off
# (QUILLERY_ADD_NO_OVERLAP=1), for the default settings (full screen and thumbnail)
# and with the original and high-resolution versions on. The goal is 1.6x on two free
# cores; "cores used" (processor seconds over wall seconds) shows how much of the
# machine the runs were given, since on a busy machine the overlap has nothing to use.
# The last column is the overlap against the serial road held to one core (taskset):
# the serial road itself already spreads work over both (the original written on a
# second thread, big pictures decoded in two halves).
#
#   bench/store/add-batch.sh [TOOL] [RUNS]     # TOOL defaults to build/release/bin/quillery-tool
set -eu
cd "$(dirname "$0")/../.."

TOOL=${1:-build/release/bin/quillery-tool}
RUNS=${2:-3}
COUNT=${COUNT:-200}
WORK=${WORK:-/tmp/quillery-add-batch-$$}
command -v convert >/dev/null || { echo "ImageMagick's convert is needed" >&2; exit 1; }

rm -rf "$WORK"
mkdir -p "$WORK/photos" "$WORK/config/Quillery"
trap 'rm -rf "$WORK"' EXIT
# Three camera-like pictures of 3 to 5 megapixels, each copied to a third of the names.
convert -size 2048x1536 plasma:tan-navy -quality 92 "$WORK/a.jpg"
convert -size 2400x1800 plasma:green-orange -quality 92 "$WORK/b.jpg"
convert -size 2736x1824 plasma:grey-blue -quality 92 "$WORK/c.jpg"
i=0
while [ "$i" -lt "$COUNT" ]; do
    case $((i % 3)) in 0) s=a ;; 1) s=b ;; *) s=c ;; esac
    cp "$WORK/$s.jpg" "$WORK/photos/photo$(printf %03d "$i").jpg"
    i=$((i + 1))
done

# Seconds for one add of every photo into a new library, and the processor seconds
# it used (user + system), which say how much of the two cores it was given.
run_once() {
    rm -rf "$WORK/lib"
    mkdir -p "$WORK/lib"
    XDG_CONFIG_HOME="$WORK/config" /usr/bin/time -f "%e %U %S" -o "$WORK/time" \
        ${TASKSET:-} "$TOOL" add "$WORK/lib/Library.pdb" "$WORK"/photos/*.jpg --date 1999 >/dev/null 2>&1
    awk '{ print $1, $2 + $3 }' "$WORK/time"
}

median() { sort -n | awk '{ v[NR] = $1; c[NR] = $2 } END { m = int((NR + 1) / 2); print v[m], c[m] }'; }

# Alternates the two ways so a change of load touches both alike.
measure() {
    : >"$WORK/on" ; : >"$WORK/off" ; : >"$WORK/one"
    r=0
    while [ "$r" -lt "$RUNS" ]; do
        run_once >>"$WORK/on"
        QUILLERY_ADD_NO_OVERLAP=1 run_once >>"$WORK/off"
        QUILLERY_ADD_NO_OVERLAP=1 TASKSET="taskset -c 0" run_once >>"$WORK/one"
        r=$((r + 1))
    done
    set -- "$1" $(median <"$WORK/on") $(median <"$WORK/off") $(median <"$WORK/one")
    on=$2; oncpu=$3; off=$4; offcpu=$5; one=$6
    printf '%-26s %8.1f %8.1f    %5.2fx   (goal 1.60x)   cores used %.2f / %.2f   %5.2fx of one core\n' "$1" \
        "$(echo "$COUNT / $off" | bc -l)" "$(echo "$COUNT / $on" | bc -l)" "$(echo "$off / $on" | bc -l)" \
        "$(echo "$offcpu / $off" | bc -l)" "$(echo "$oncpu / $on" | bc -l)" "$(echo "$one / $on" | bc -l)"
}

echo "$COUNT photos, median of $RUNS runs; $(uptime | sed 's/.*load/load/')"
echo "settings                   photos/s photos/s   ratio                 cores used"
echo "                           serial   overlap                             serial / overlap"
printf '[Quillery]\n' >"$WORK/config/Quillery/Quillery.conf"
measure "full screen + thumbnail"
printf '[Quillery]\nSaveOriginalPictures=1\nSaveHighResPictures=1\n' >"$WORK/config/Quillery/Quillery.conf"
measure "all four versions"
