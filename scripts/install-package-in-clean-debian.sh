#!/bin/sh
# Makes a clean Debian 12 (debootstrap's minimal base) in a scratch folder and runs
# scripts/install-package.sh in it on the given package: apt fetches the package's
# dependencies from Debian, and the installed program must come up and set up a
# first-start user. Needs root and Debian's package archive.
# Usage: sudo scripts/install-package-in-clean-debian.sh build/release/quillery_VERSION_ARCH.deb
set -eu
cd "$(dirname "$0")/.."
deb=${1:?usage: $0 PATH/quillery_VERSION_ARCH.deb}
[ -f "$deb" ] || { echo "No package at $deb" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "debootstrap and chroot need root" >&2; exit 1; }
command -v debootstrap >/dev/null || apt-get install -y -q debootstrap
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}

root=$(mktemp -d /var/tmp/quillery-clean-debian.XXXXXX)
chmod 755 "$root"  # apt downloads as its own user
cleanup() {
  umount "$root/proc" 2>/dev/null || true
  umount -R "$root/dev" 2>/dev/null || true
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT

echo "Making a clean Debian 12 in $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 ||
  { tail -n 20 "$root.log" >&2; exit 1; }
rm -f "$root.log"
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mkdir -p "$root/quillery/scripts"
cp scripts/install-package.sh "$root/quillery/scripts/"
cp "$deb" "$root/quillery/"
chroot "$root" sh /quillery/scripts/install-package.sh "/quillery/$(basename "$deb")"
