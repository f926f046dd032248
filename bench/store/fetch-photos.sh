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
# 5184 x 3456 is the frame of a 17.9-megapixel camera.
convert "$src/Painting-Colors_by__herobrine7gamer.jpg" -resize '5184x3456!' -quality 100 \
  "$PHOTOS/big-17.9mp-q100.jpg"
convert "$src/2004default.jpg" -resize 1920x1200 -quality 92 "$PHOTOS/small-2.3mp.jpg"
convert "$src/Kleiber_by_Lukas_Baubkus.jpg" -resize 2133x1200 -quality 92 "$PHOTOS/small-2.6mp.jpg"
convert "$src/the-mouse.jpg" -resize 2240x1400 -quality 92 "$PHOTOS/small-3.1mp.jpg"
convert "$src/rhythm.jpg" -resize 2560x1600 -quality 92 "$PHOTOS/small-4.1mp.jpg"
convert "$src/firstgeneration.jpg" -resize 2750x1813 -quality 92 "$PHOTOS/small-5.0mp.jpg"
touch "$PHOTOS/.complete"
