#!/bin/sh
# Installs the build into a scratch root as `cmake --install` and the Debian package do,
# and checks what lands where: the program in its folder with the manual and the sample
# library, the links in bin, the menu entry, icon and AppStream file, which must pass
# their validators. With --package it also makes the package with cpack and checks its
# metadata and contents. Usage: install_check.sh BUILD_DIR [--package]
set -eu
build=$1
mode=${2:-}
for tool in desktop-file-validate appstreamcli dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (scripts/setup.sh)"; exit 77; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

check_tree() {
  root=$1
  for file in usr/bin/quillery-tool usr/lib/quillery/quillery usr/lib/quillery/help/index.html \
      usr/lib/quillery/Samples.pdb "usr/lib/quillery/Thumbnail Pictures/Picture #1.jpg" \
      usr/lib/quillery/installed-for-all-users \
      usr/share/applications/org.quillery.Quillery.desktop \
      usr/share/icons/hicolor/scalable/apps/org.quillery.Quillery.svg \
      usr/share/metainfo/org.quillery.Quillery.metainfo.xml; do
    [ -f "$root/$file" ] || fail "$file is not installed"
  done
  [ "$(readlink "$root/usr/bin/quillery")" = ../lib/quillery/quillery ] || fail "usr/bin/quillery is not a link to the program"
  desktop-file-validate "$root/usr/share/applications/org.quillery.Quillery.desktop" || fail "desktop entry"
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.quillery.Quillery.metainfo.xml" || fail "metainfo"
}

# A first start of the installed program works on a copy of the samples in the user's
# data folder and leaves the program's folder as installed, even for a user who may
# write there (root, as in a container).
check_first_start() {
  program=$1/usr/lib/quillery/quillery
  home=$scratch/home
  before=$(ls -a "$1/usr/lib/quillery")
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    QT_QPA_PLATFORM=offscreen "$program" >/dev/null 2>&1 &
  pid=$!
  # The set-up runs before the first-time message, which waits for a person.
  tries=0
  until [ -f "$home/.local/share/Quillery/uninstall.sh" ] || [ $tries -ge 200 ]; do
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
    tries=$((tries + 1))
  done
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
  for file in Samples.pdb "Thumbnail Pictures/Picture #1.jpg" uninstall.sh; do
    [ -f "$home/.local/share/Quillery/$file" ] || fail "the first start made no $file in the user's data folder"
  done
  [ -d "$home/.local/share/Quillery/Original Images" ] || fail "the first start made no Original Images folder"
  [ "$(ls -a "$1/usr/lib/quillery")" = "$before" ] || fail "the first start wrote into the program's folder"
}

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
check_tree "$scratch/root"
check_first_start "$scratch/root"
echo "install tree: ok"

[ "$mode" = --package ] || exit 0
(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/quillery_*.deb)
dpkg-deb -I "$deb" > "$scratch/info"
grep -q '^ Package: quillery$' "$scratch/info" || fail "package name"
grep -q '^ Section: graphics$' "$scratch/info" || fail "section"
grep -q '^ Depends:.*libqt6widgets6' "$scratch/info" || fail "Qt is not among the dependencies"
dpkg-deb -c "$deb" > "$scratch/contents"
grep -q ' ./usr/bin/quillery -> ../lib/quillery/quillery$' "$scratch/contents" || fail "link in the package"
if grep -v -e ' ./usr/bin/' -e ' ./usr/lib/quillery/' -e ' ./usr/share/' -e ' ./usr/$' -e ' ./usr/lib/$' -e ' ./$' "$scratch/contents"; then
  fail "files outside the program's places"
fi
dpkg-deb -x "$deb" "$scratch/extracted"
check_tree "$scratch/extracted"
echo "package $(basename "$deb"): ok ($(wc -c < "$deb") bytes)"
