#!/bin/sh
# Screenshot of the picture show on the sample library, the text band under the
# picture, taken on a real X server (Xvfb).
#
#   scripts/picture-show-screenshot.sh [build-folder] [out.png]
set -eu
cd "$(dirname "$0")/.."

build=${1:-build/dev}
out=${2:-$build/picture-show-screenshot.png}
cmake --build "$build" -j2 --target picture_show_screenshot quillery_samples
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
  "$build/bin/picture_show_screenshot" "$build/bin" "$out"
echo "$out"
