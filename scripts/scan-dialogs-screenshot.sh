#!/bin/sh
# Screenshots of Select Source and of the scan window with the scanner's options (after a
# preview) over the main window on the sample library, taken on a real X server (Xvfb)
# with SANE's "test" backend as the scanner: OUT-select-source.png and
# OUT-scanner-options.png. The manual's pictures are made so:
#
#   scripts/scan-dialogs-screenshot.sh build/dev resources/help/images/scan
#
#   scripts/scan-dialogs-screenshot.sh [build-folder] [OUT]
set -eu
cd "$(dirname "$0")/.."

build=${1:-build/dev}
out=${2:-$build/scan-dialogs}
mkdir -p "$(dirname "$out")"
cmake --build "$build" -j2 --target scan_dialogs_screenshot quillery_samples
SANE_CONFIG_DIR=$PWD/tools/screenshot/sane.d QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
  "$build/bin/scan_dialogs_screenshot" "$build/bin" "$out"
ls "$out"-*.png
