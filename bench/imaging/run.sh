#!/bin/sh
# Builds the imaging benchmark in a Release tree and runs it on the fetched photos.
#   bench/imaging/run.sh [build dir] [runs per measurement]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top="$here/../.."
build=${1:-"$top/build/release"}
runs=${2:-5}
"$here/fetch-photos.sh"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLERY_TESTS=OFF >/dev/null
cmake --build "$build" --target imaging_bench
QT_QPA_PLATFORM=offscreen "$build/bin/imaging_bench" "$runs" "$top"/bench/data/imaging-photos/*.jpg
