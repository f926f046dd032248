#!/bin/sh
# Screenshot of the picture view beside the photo list for a library of a dozen real
# photos (from the wallpaper packages bench/store/fetch-photos.sh fetches), taken on a
# real X server (Xvfb); a second picture, out-list.png, shows the list alone at the full
# width of its columns. Usage: scripts/browse-screenshot.sh [out.png]
set -eu
cd "$(dirname "$0")/.."

OUT=${1:-build/browse-screenshot.png}
BUILD=${BUILD:-build/screenshot}

scripts/setup.sh
bench/store/fetch-photos.sh
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLERY_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j2 --target browse_screenshot
photos="$(find bench/data/extract/usr/share/backgrounds -name '*.jpg' | sort) $(find bench/data/extract/usr/share/backgrounds -name '*.png' | sort | head -3)"
# shellcheck disable=SC2086
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x900x24" \
  "$BUILD/bin/browse_screenshot" "$OUT" $photos
