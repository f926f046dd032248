#!/bin/sh
# Fetches real JPEG photos for the imaging benchmark: the wallpapers of the Debian package
# ukui-wallpapers (3640 x 2400 and 3840 x 2400 pixels), unpacked into bench/data/imaging-photos/.
# bench/data/ is ignored by git.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
data="$here/../data"
photos="$data/imaging-photos"
if ls "$photos"/*.jpg >/dev/null 2>&1; then exit 0; fi
mkdir -p "$data/imaging-deb" "$photos"
cd "$data/imaging-deb"
apt-get download ukui-wallpapers
dpkg-deb -x ukui-wallpapers_*.deb unpacked
cp unpacked/usr/share/backgrounds/*.jpg "$photos/"
ls -l "$photos"
