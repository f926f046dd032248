#!/bin/sh
# Installs what is missing, builds Quillery and starts it on the sample library.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release

bin=build/release/bin
if [ -x "$bin/quillery" ]; then
  exec "$bin/quillery" "$bin/Samples.pdb" "$@"
fi
# Until the window exists the command-line tool stands in.
exec "$bin/quillery-tool" --help
