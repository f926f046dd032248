#!/bin/sh
# Installs every Debian package that building, running, testing and benchmarking
# Quillery needs, when it is missing. Safe to run again: installed packages are skipped.
set -eu

PACKAGES="
  build-essential cmake ninja-build pkg-config git ccache
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins qt6-svg-dev qt6-wayland
  libjpeg62-turbo-dev libjpeg-turbo-progs
  libopencv-imgproc-dev
  libexiv2-dev
  libsane-dev libsane1
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth xclip
  at-spi2-core dbus-x11 python3-pyatspi xdotool
  imagemagick libtiff-tools netpbm
  graphicsmagick libvips-tools
  adwaita-icon-theme breeze-icon-theme
  desktop-file-utils appstream dpkg-dev file
  bc
  poppler-utils fonts-liberation
  cups-daemon cups-client printer-driver-cups-pdf
  libx11-dev
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

[ -z "$missing" ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
