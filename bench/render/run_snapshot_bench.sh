#!/bin/bash
# Snapshots per second of 20 real pages at 640x480 (scale 100 %, JPEG): vistrel's off-screen
# page in one process one page at a time, and `vistrel-cli snapshot` of all pages as one batch
# (whole process), beside one process per page of wkhtmltoimage, CutyCapt (whole page and
# clipped to the viewport) and headless chromium on the same pages.
#   BUILD=<release build folder> PAGES="<file>..." bench/render/run_snapshot_bench.sh
# Without PAGES the pages are 20 HTML documents from /usr/share/doc (two per folder).
# PEERS="cutycapt xvfb" limits the peers installed when missing; NO_INSTALL=1 installs none.
# With BENCH_TABLE set, rows "work|ours|peer|ratio|goal" are added to that file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD:-/tmp/vistrel-bench-release}
width=640
height=480

. "$here/peers.sh"
install_peers

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVISTREL_BUILD_TESTS=OFF \
        -DVISTREL_BUILD_BENCH=ON >/dev/null
fi
nice cmake --build "$build" --target snapshot_bench vistrel-cli >/dev/null

if [ -z "${PAGES:-}" ]; then
  # Plain pages only: a browser offers a compressed one for download instead of showing it.
  PAGES=$(for d in $(find /usr/share/doc -type f -name "*.htm*" ! -name "*.gz" -size +3k | sed 's|/[^/]*$||' | sort -u); do
            find "$d" -maxdepth 1 -type f -name "*.htm*" ! -name "*.gz" -size +3k | sort | head -2
          done | head -20) || true  # head ends the loop early
fi
read -r -a pages <<<"$(echo $PAGES)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "${#pages[@]} pages at ${width}x${height}; load average $(cut -d' ' -f1-3 /proc/loadavg)"

run_ours() { "$build/bench/render/snapshot_bench" --width $width --height $height --out "$work" "${pages[@]}" 2>/dev/null; }

summary=$(run_ours | tail -1)
echo "vistrel, one page at a time in one process: $summary"
# The same pages as one batch of the command line, whole process, default pages in flight.
mkdir -p "$work/batch"
start=$(date +%s.%N)
VISTREL_HOME="$work/home" "$build/bin/vistrel-cli" snapshot --quiet --width $width --height $height \
  --shade 0 --border 0 "${pages[@]}" -o "$work/batch/" >/dev/null 2>&1 || true
end=$(date +%s.%N)
batch=$(awk -v n="${#pages[@]}" -v s="$start" -v e="$end" 'BEGIN { printf "%.2f", n / (e - s) }')
echo "vistrel-cli snapshot of all pages (batch): $batch snapshots/s"
CUTY_FULL=1 run_peers
if [ -n "${BENCH_TABLE:-}" ]; then
  ours=$(echo "$summary" | sed -n 's/.*: \([0-9.]*\) snapshots\/s in the loop.*/\1/p')
  peer=$(peer_rate "CutyCapt clipped")
  for row in "one at a time|$ours" "vistrel-cli batch|$batch"; do
    rate=${row#*|}
    ratio=-
    [ -n "$rate" ] && [ -n "$peer" ] && ratio=$(echo "scale=2; $rate / $peer" | bc)x
    echo "snapshots of ${#pages[@]} real pages at ${width}x${height}, ${row%%|*}|${rate:--} /s|CutyCapt ${peer:--} /s|$ratio|-" >> "$BENCH_TABLE"
  done
fi
exit 0
