#!/bin/sh
# Installs the Quillery Debian package on a clean Debian 12 with apt, which fetches the
# Qt and imaging libraries it depends on, and starts the installed program to see that
# it comes up. Without a display the program runs on Qt's offscreen platform.
# Usage: scripts/install-package.sh [PATH/quillery_VERSION_ARCH.deb]
#        (default: the package in build/release, else in build/dev)
set -eu
cd "$(dirname "$0")/.."

deb=${1:-}
if [ -z "$deb" ]; then
  deb=$(ls build/release/quillery_*.deb build/dev/quillery_*.deb 2>/dev/null | head -n 1 || true)
fi
[ -n "$deb" ] && [ -f "$deb" ] || {
  echo "No package: make one with  cd build/release && cpack -G DEB" >&2
  exit 1
}
case $deb in /*) ;; *) deb="$PWD/$deb" ;; esac

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q "$deb"

# A start in a scratch home, so that the first-start set-up runs and is seen to work.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share quillery &
pid=$!
sleep 5
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid" || true
  echo "quillery did not stay up" >&2
  exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
[ -f "$home/.local/share/Quillery/Samples.pdb" ] || { echo "the first start made no copy of the samples" >&2; exit 1; }
echo "Quillery $(dpkg-query -W -f='${Version}' quillery) is installed and starts."
