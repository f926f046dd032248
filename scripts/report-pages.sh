#!/bin/sh
# The pages of Print Report on the sample library, as PNG pictures to judge by eye:
# OUT/report.pdf and OUT/page-1.png, OUT/page-2.png, ... (Letter paper, default
# margins, read back at 100 pixels per inch). Needs no display.
#
#   scripts/report-pages.sh [build-folder] [OUT]
set -eu
cd "$(dirname "$0")/.."

build=${1:-build/dev}
out=${2:-$build/report-pages}
cmake --build "$build" -j2 --target report_pages quillery_samples
mkdir -p "$out"
rm -f "$out"/page-*.png
QT_QPA_PLATFORM=offscreen "$build/bin/report_pages" "$build/bin/Samples.pdb" "$out/report.pdf"
pdftoppm -r 100 -png "$out/report.pdf" "$out/page"
ls "$out"/page-*.png
