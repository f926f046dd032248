#!/bin/sh
# Builds the release benchmark and prints the add-road table for the photos that
# fetch-photos.sh makes (see README.md).
set -eu
cd "$(dirname "$0")/../.."

BUILD=${BUILD:-build/bench-release}
RUNS=${RUNS:-7}

scripts/setup.sh
bench/store/fetch-photos.sh
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLERY_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j2 --target bench_add_road
"$BUILD/bin/bench_add_road" --runs "$RUNS" --work bench/data/work bench/data/photos/*.jpg
