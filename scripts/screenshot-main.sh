#!/bin/sh
# Screenshot of the main window under Xvfb, to judge by eye what only a look can:
# the menu, the toolbar with its icons, the splitter with picture and list, the
# status bar, the current photo's row, two more selected rows and the sort arrow of
# the Date column. Builds nothing; give it a build folder that holds bin/quillery.
#
#   scripts/screenshot-main.sh [build-folder] [output.png]
#
# docs/screenshots/main-window.png is made by it.
#
# The program runs with settings and data folders of its own in a temporary folder,
# on a small library made here with ImageMagick.
set -eu
cd "$(dirname "$0")/.."

build=${1:-build/dev}
out=${2:-$build/screenshot-main.png}
program="$build/bin/quillery"
[ -x "$program" ] || { echo "no $program: build it first" >&2; exit 1; }
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
library="$work/Holidays"
for folder in "Full Screen Pictures" "Thumbnail Pictures" "High Resolution Images" "Original Images"; do
  mkdir -p "$library/$folder"
done

# Three photos: a full-screen version and a thumbnail of each.
make_photo() {
  name=$1 colours=$2 shape=$3
  convert -size 800x600 "gradient:$colours" -fill white -stroke black -strokewidth 3 \
    -draw "$shape" -quality 85 "$library/Full Screen Pictures/$name.jpg"
  convert "$library/Full Screen Pictures/$name.jpg" -resize 150x100 \
    "$library/Thumbnail Pictures/$name.jpg"
}
make_photo beach01 "skyblue-khaki" "circle 600,150 660,150"
make_photo garden "palegreen-darkgreen" "rectangle 200,250 600,550"
make_photo harbour "lightsteelblue-navy" "polygon 100,500 400,150 700,500"

printf '%s\r\n' \
  'beach01|6/05/1999|Smith, John^Doe, Jane|Summer holiday|France, Nice|First day at the sea|' \
  'garden|1999||Summer holiday|England, Kew||' \
  'harbour|7/14/2001|Doe, Jane|Sailing|Norway, Bergen|Fish market in the morning|' \
  > "$library/Holidays.pdb"

# Settings of their own; the first-run set-up counts as done; the startup sort lists
# the newest first and so shows the Date column's arrow.
mkdir -p "$work/config/Quillery" "$work/data"
printf '[Quillery]\nInitialization=1\nQuilleryStartupSort=1\n' > "$work/config/Quillery/Quillery.conf"

XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    "$1" -geometry 1280x800+0+0 "$2" &
    pid=$!
    sleep 4
    # A click on the first row makes it current; Down and Shift+Down select the next
    # two without changing the current photo.
    if command -v xdotool >/dev/null; then
      xdotool mousemove 1100 140 click 1 sleep 0.5 key Down sleep 0.3 key shift+Down sleep 0.5
    fi
    import -window root "$3"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
  ' sh "$program" "$library/Holidays.pdb" "$out"

echo "$out"
