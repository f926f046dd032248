#!/bin/sh
# Fetches real photos from two Debian wallpaper packages into bench/data/extract and
# makes the benchmark's photos in bench/data/photos: a 17.9-megapixel quality-100
# JPEG and five photos of 2 to 5 megapixels. Safe to run again.
set -eu
cd "$(dirname "$0")/../.."

DATA=bench/data
PHOTOS=$DATA/photos
[ -f "$PHOTOS/.complete" ] && exit 0

mkdir -p "$DATA/debs" "$DATA/extract" "$PHOTOS"
(cd "$DATA/debs" && apt-get download lomiri-wallpapers-20.04 ukui-wallpapers)
for deb in "$DATA"/debs/*.deb; do dpkg-deb -x "$deb" "$DATA/extract"; done
src=$DATA/extract/usr/share/backgrounds
# 5184 x 3456 is the frame of a 17.9-megapixel camera; the bird photo has the fine
# detail of a real photo. Metadata is stripped, as a camera's small EXIF block would
# not weigh on the timings the way the packages' large XMP packets do.
convert "$src/Kleiber_by_Lukas_Baubkus.jpg" -strip -resize '5184x3456!' -quality 100 \
  "$PHOTOS/big-17.9mp-q100.jpg"
convert "$src/2004default.jpg" -strip -resize 1920x1200 -quality 92 "$PHOTOS/small-2.3mp.jpg"
convert "$src/Infinite-Sea_by_Aury88.jpg" -strip -resize 1600x1600 -quality 92 "$PHOTOS/small-2.6mp.jpg"
convert "$src/the-mouse.jpg" -strip -resize 2240x1400 -quality 92 "$PHOTOS/small-3.1mp.jpg"
convert "$src/rhythm.jpg" -strip -resize 2560x1600 -quality 92 "$PHOTOS/small-4.1mp.jpg"
convert "$src/Fossa_by_Jasper_Roks.jpg" -strip -resize 2976x1674 -quality 92 "$PHOTOS/small-5.0mp.jpg"
touch "$PHOTOS/.complete"
