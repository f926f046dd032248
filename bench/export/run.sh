#!/bin/sh
# Builds the release benchmark and prints the export table: 1,000 photos of four
# versions (150 KB thumbnail and full-screen files, 3 MB others) exported beside
# cp -r + sync of the same folders. PHOTOS, LARGE_KB, RUNS and WORK change the run.
set -eu
cd "$(dirname "$0")/../.."

BUILD=${BUILD:-build/bench-release}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLERY_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j2 --target bench_export
"$BUILD/bin/bench_export" --photos "${PHOTOS:-1000}" --large-kb "${LARGE_KB:-3072}" \
    --runs "${RUNS:-3}" --work "${WORK:-/var/tmp/quillery-bench-export}"
