#!/bin/bash
# Thumbnails per second of 20 real pages (Rust book chapters) at base size 3 (640x480):
# `vistrel-cli thumbs` with one page at a time and with the default pages in flight, beside
# CutyCapt clipped to the viewport, started once per page; then pipeline_bench's time per
# stage and CPU per process on the same pages. wkhtmltoimage and headless chromium, also
# once per page, are timed beside them when installed (PEERS and NO_INSTALL as in
# run_snapshot_bench.sh).
#   BUILD=<release build folder> [PAGES="<file>..."] bench/render/run_thumbs_bench.sh
# With BENCH_TABLE set, a row "work|ours|peer|ratio|goal" is added to that file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
width=640
height=480
build=${BUILD:-/tmp/vistrel-bench-release}
cli=${CLI:-$build/bin/vistrel-cli}
[ -x "$cli" ] || { echo "no $cli: build first" >&2; exit 1; }
if [ -z "${PAGES:-}" ]; then
  book="$(rustc --print sysroot)/share/doc/rust/html/book"
  PAGES=$(ls "$book"/ch0[3-9]-0[1-4]*.html "$book"/ch1[0-9]-0[1-3]*.html 2>/dev/null | head -20)
fi
. "$here/peers.sh"
install_peers
read -r -a pages <<<"$(echo $PAGES)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
n=${#pages[@]}
echo "$n pages at 640x480; load average $(cut -d' ' -f1-3 /proc/loadavg)"

rate() {  # name start end
  awk -v n="$n" -v s="$2" -v e="$3" -v name="$1" \
    'BEGIN { t = (e - s) / n; printf "%-40s %6.3f s per page  %6.2f pages/s\n", name, t, 1 / t }'
}
ours() {  # label extra-args...
  local label=$1; shift
  rm -rf "$work/home"; mkdir -p "$work/home"
  local start end
  start=$(date +%s.%N)
  VISTREL_HOME="$work/home" "$cli" thumbs --quiet --base 3 "$@" "${pages[@]}" >/dev/null
  end=$(date +%s.%N)
  rate "$label" "$start" "$end" | tee -a "$work/rows"
}
ours "vistrel-cli thumbs, one page at a time" --pages 1
ours "vistrel-cli thumbs, default pages" 
run_peers
[ -x "$build/bench/render/pipeline_bench" ] && "$build/bench/render/pipeline_bench" "${pages[@]}"
if [ -n "${BENCH_TABLE:-}" ]; then
  ours=$(grep '^vistrel-cli thumbs, default' "$work/rows" | awk '{ print $(NF - 1) }')
  row() {  # peer-row label goal
    local peer ratio=-
    peer=$(peer_rate "$1")
    [ -n "$peer" ] || return 0
    [ -n "$ours" ] && ratio=$(echo "scale=2; $ours / $peer" | bc)x
    echo "thumbnails of $n real pages at ${width}x${height}|${ours:--} /s|$2 $peer /s|$ratio|$3" >>"$BENCH_TABLE"
  }
  row "CutyCapt clipped" CutyCapt 2x
  row wkhtmltoimage wkhtmltoimage -
  row chromium "headless chromium" -
fi
