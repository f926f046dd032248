#!/bin/sh
# Screenshots of the four filter dialogs over the main window on the sample library,
# taken on a real X server (Xvfb), to judge their layout by eye: OUT-date.png,
# OUT-persons.png, OUT-events.png and OUT-locations.png.
#
#   scripts/filter-dialogs-screenshot.sh [build-folder] [OUT]
set -eu
cd "$(dirname "$0")/.."

build=${1:-build/dev}
out=${2:-$build/filter-dialogs}
cmake --build "$build" -j2 --target filter_dialogs_screenshot quillery_samples
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
  "$build/bin/filter_dialogs_screenshot" "$build/bin" "$out"
ls "$out"-*.png
