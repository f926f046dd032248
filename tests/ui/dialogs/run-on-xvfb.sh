#!/bin/sh
# Runs a test program on a private X server. Exits 77 (skipped) when Xvfb or xclip is
# missing. The server picks a free display itself and is stopped by its PID.
for tool in Xvfb xclip; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (scripts/setup.sh installs it)"
    exit 77
  fi
done

dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$dir"' EXIT

# The display number is written once the server accepts clients; wait up to 20 s.
tries=0
while [ ! -s "$dir/display" ] && [ "$tries" -lt 200 ]; do
  sleep 0.1
  tries=$((tries + 1))
done
if [ ! -s "$dir/display" ]; then
  echo "Xvfb did not start:"
  cat "$dir/log"
  exit 1
fi

DISPLAY=":$(cat "$dir/display")" QT_QPA_PLATFORM=xcb "$@"
