#!/bin/sh
# Installs what is missing, then builds and runs the whole test suite: once as a
# normal debug build, once under AddressSanitizer + UndefinedBehaviorSanitizer, and
# the fuzz targets for a short bounded time.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh

for preset in dev asan; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset tests"
  ctest --preset "$preset" -LE SaneReadError
  # SANE's test backend itself hangs now and then after a read error (see
  # tests/ui/scan/CMakeLists.txt): those tests get up to three tries.
  ctest --preset "$preset" -L SaneReadError --repeat until-pass:3
done

if [ -f fuzz/CMakeLists.txt ]; then
  echo "== fuzz targets"
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz --target fuzzers
  fuzz/run-all.sh build/fuzz 20
fi
