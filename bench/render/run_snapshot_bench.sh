#!/bin/bash
# Snapshots per second of 20 real pages at 640x480 (scale 100 %, JPEG): vistrel's off-screen
# page in one process, beside one process per page of wkhtmltoimage, CutyCapt (whole page
# and clipped to the viewport) and headless chromium on the same pages.
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

need=()
peers=${PEERS:-wkhtmltopdf cutycapt chromium xvfb}
for package in $peers; do
  tool=$package
  case $package in wkhtmltopdf) tool=wkhtmltoimage;; xvfb) tool=xvfb-run;; esac
  command -v "$tool" >/dev/null || need+=("$package")
done
if [ ${#need[@]} -gt 0 ] && [ "${NO_INSTALL:-0}" != 1 ]; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVISTREL_BUILD_TESTS=OFF \
        -DVISTREL_BUILD_BENCH=ON >/dev/null
fi
nice cmake --build "$build" --target snapshot_bench >/dev/null

if [ -z "${PAGES:-}" ]; then
  PAGES=$(for d in $(find /usr/share/doc -type f -name "*.htm*" -size +3k | sed 's|/[^/]*$||' | sort -u); do
            find "$d" -maxdepth 1 -type f -name "*.htm*" -size +3k | sort | head -2
          done | head -20) || true  # head ends the loop early
fi
read -r -a pages <<<"$(echo $PAGES)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "${#pages[@]} pages at ${width}x${height}; load average $(cut -d' ' -f1-3 /proc/loadavg)"

# Seconds for a whole command, one process per page, over all pages.
per_process() {
  local name=$1; shift
  local start end
  start=$(date +%s.%N)
  for page in "${pages[@]}"; do
    "$@" "$page" "$work/$name.out" >/dev/null 2>&1 || true
  done
  end=$(date +%s.%N)
  awk -v n="${#pages[@]}" -v s="$start" -v e="$end" -v name="$name" \
      'BEGIN { t = (e - s) / n; printf "%-34s %6.3f s per page  %6.2f snapshots/s\n", name, t, 1 / t }' \
    | tee -a "$work/peers"
}

run_ours() { "$build/bench/render/snapshot_bench" --width $width --height $height --out "$work" "${pages[@]}" 2>/dev/null; }
wkhtml() { xvfb-run -a wkhtmltoimage --width $width --height $height --quality 75 "file://$1" "$2.jpg"; }
cuty_full() { xvfb-run -a cutycapt --min-width=$width --min-height=$height --url="file://$1" --out="$2.jpg"; }
cuty_clip() {
  xvfb-run -a cutycapt --min-width=$width --min-height=$height \
    --user-style-string="html, body { height: ${height}px !important; max-height: ${height}px !important; overflow: hidden !important; margin: 0 !important; }" \
    --url="file://$1" --out="$2.jpg"
}
chrome() { chromium --headless --no-sandbox --disable-gpu --window-size=$width,$height --screenshot="$2.png" "file://$1"; }

summary=$(run_ours | tail -1)
echo "vistrel (one process)              $summary"
command -v wkhtmltoimage >/dev/null && per_process "wkhtmltoimage (process per page)" wkhtml
command -v cutycapt >/dev/null && per_process "CutyCapt whole page" cuty_full
command -v cutycapt >/dev/null && per_process "CutyCapt clipped to the viewport" cuty_clip
command -v chromium >/dev/null && per_process "chromium --headless --screenshot" chrome
if [ -n "${BENCH_TABLE:-}" ]; then
  ours=$(echo "$summary" | sed -n 's/.*: \([0-9.]*\) snapshots\/s in the loop.*/\1/p')
  peer=$(grep '^CutyCapt clipped' "$work/peers" 2>/dev/null | awk '{ print $(NF - 1) }')
  ratio=-
  [ -n "$ours" ] && [ -n "$peer" ] && ratio=$(echo "scale=1; $ours / $peer" | bc)x
  echo "snapshots of ${#pages[@]} real pages at ${width}x${height}|${ours:--} /s|CutyCapt ${peer:--} /s|$ratio|-" >> "$BENCH_TABLE"
fi
exit 0
