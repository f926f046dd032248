#!/bin/sh
# Screenshot of the photo dialog in add mode over the main window on the sample
# library, taken on a real X server (Xvfb), to judge its layout by eye.
#
#   scripts/photo-dialog-screenshot.sh [build-folder] [out.png]
set -eu
cd "$(dirname "$0")/.."

build=${1:-build/dev}
out=${2:-$build/photo-dialog-screenshot.png}
cmake --build "$build" -j2 --target photo_dialog_screenshot quillery_samples
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
  "$build/bin/photo_dialog_screenshot" "$build/bin" resources/samples/pictures/sunset.jpg "$out"
echo "$out"
