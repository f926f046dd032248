#!/bin/sh
# Runs every fuzz target of a build for a bounded time, starting from the committed seeds.
#   fuzz/run-all.sh <build dir> <seconds per target>
# Fails when a target finds a crash, a leak, a timeout or runs out of memory; the input
# that did it is left in <build dir>/fuzz-artifacts/.
set -eu
[ $# -eq 2 ] || { echo "usage: $0 <build dir> <seconds per target>" >&2; exit 2; }
build=$(cd "$1" && pwd)
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"
export QT_QPA_PLATFORM=offscreen
failed=""
for name in jpeg bmp gif tiff png pcx dib pdb; do
  target="$build/bin/fuzz_$name"
  [ -x "$target" ] || { echo "missing $target" >&2; exit 2; }
  corpus="$build/fuzz-corpus/$name"
  mkdir -p "$corpus"
  echo "== fuzz_$name for ${seconds}s"
  # -close_fd_mask=2 silences the decoders' own warnings on stderr (libtiff writes tens
  # of megabytes a minute); libFuzzer and the sanitizers keep reporting on a copy of it.
  if ! "$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 -max_len=65536 -close_fd_mask=2 \
       -print_final_stats=0 -artifact_prefix="$artifacts/$name-" \
       "$corpus" "$here/seeds/$name" > "$build/fuzz-$name.log" 2>&1; then
    tail -n 30 "$build/fuzz-$name.log"
    failed="$failed $name"
  else
    grep -E "^#[0-9]+.*DONE|Done [0-9]+ runs" "$build/fuzz-$name.log" | tail -n 1 || true
  fi
done
if [ -n "$failed" ]; then
  echo "fuzz targets failed:$failed" >&2
  exit 1
fi
echo "all fuzz targets ran clean"
