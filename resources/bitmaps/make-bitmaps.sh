#!/bin/sh
# Regenerates the program's bitmaps with ImageMagick. The results are committed; run this
# only after changing a drawing here.
#   127.bmp  the "no image" placeholder of the file-open preview: 65 x 72, 16 colours
set -eu
cd "$(dirname "$0")"
CONVERT=convert
[ -x /usr/bin/convert ] && CONVERT=/usr/bin/convert

"$CONVERT" -size 65x72 xc:'#f4f4f2' \
  -fill none -stroke '#b8b8b4' -strokewidth 1 -draw 'roundrectangle 4,6 60,65 4,4' \
  -stroke none -fill '#dcdcd8' -draw 'rectangle 12,18 52,50' \
  -fill '#f0c850' -draw 'circle 42,26 45,26' \
  -fill '#8fa8b8' -draw 'polygon 12,50 24,32 33,44 39,37 52,50' \
  -fill none -stroke '#c05050' -strokewidth 3 -draw 'line 14,56 50,12' \
  -colors 16 -type palette BMP3:127.bmp
