#!/bin/bash
# Every benchmark of the project beside its peer, in one run, ending with one markdown table
# (work, ours, peer, ratio, goal). The per-folder scripts and drivers do the measuring; each
# adds its rows to the table file named by BENCH_TABLE.
# usage: bench/run_all.sh BUILD_DIR      (a release build: cmake --preset release)
# Peers missing on the machine are installed with apt-get when run as root: tidy, CutyCapt
# (with xvfb), wkhtmltoimage, chromium, Pillow, libvips and fd-find. SKIP="render thumbnails"
# leaves folders out; SOAK_COUNT sets the pages of the memory soak (1000).
set -uo pipefail
build=$(cd "${1:?usage: run_all.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
skip=" ${SKIP:-} "
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export BENCH_TABLE=$work/table
: > "$BENCH_TABLE"

need=()
command -v tidy >/dev/null || need+=(tidy)
command -v cutycapt >/dev/null || need+=(cutycapt)
command -v xvfb-run >/dev/null || need+=(xvfb)
command -v wkhtmltoimage >/dev/null || need+=(wkhtmltopdf)
command -v chromium >/dev/null || need+=(chromium)
/usr/bin/python3 -c "import PIL" 2>/dev/null || need+=(python3-pil)
command -v vips >/dev/null || need+=(libvips-tools)
pkg-config --exists vips 2>/dev/null || need+=(libvips-dev)
command -v fdfind >/dev/null || command -v fd >/dev/null || need+=(fd-find)
if [ ${#need[@]} -gt 0 ] && [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
  echo "installing ${need[*]}" >&2
  { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}"; } \
    >/dev/null 2>&1 || echo "could not install every peer; their columns stay empty" >&2
fi

echo "building the drivers in $build" >&2
cmake --build "$build" --target vistrel-cli formatter_bench editor_bench filelists_search_bench \
  filelists_verify_bench filelists_report_bench resample_bench snapshot_bench thumbs_bench \
  preview_bench pipeline_bench bigfolder_bench view_soak >&2 || exit 1

# run NAME COMMAND...: one benchmark, its full output kept in the log and shown on stderr.
run() {
  local name=$1
  shift
  case $skip in *" $name "*) echo "skipping $name" >&2; return;; esac
  echo "== $name" >&2
  "$@" 2>&1 | tee "$work/$name.log" >&2 || echo "$name failed; see its output above" >&2
}

run formatter sh "$here/formatter/run_bench.sh" "$build"
run editor sh "$here/editor/run_bench.sh" "$build"
run filelists sh "$here/filelists/run_bench.sh" "$build"
run snapshots env BUILD="$build" RUNS=15 "$here/snapshots/run_resample_bench.sh"
run render env BUILD="$build" "$here/render/run_snapshot_bench.sh"
run render-thumbs env BUILD="$build" "$here/render/run_thumbs_bench.sh"
run bigfolder bash "$here/bigfolder/run_bench.sh" "$build"
run soak env BUILD="$build" COUNT="${SOAK_COUNT:-1000}" bash "$here/soak/run_thumbs_soak.sh"
run thumbnails "$build/bench/thumbnails/thumbs_bench" 50 10000
run app "$build/bench/app/preview_bench" 5

# The drivers without a peer report their main figure here.
if [ -f "$work/bigfolder.log" ]; then
  sed -n 's/^longest freeze: *\([0-9]*\) ms.*/folder of 50,000 pages: longest freeze (list, grid, scroll)|\1 ms|-|-|<= 500 ms/p' \
    "$work/bigfolder.log" >> "$BENCH_TABLE"
fi
if [ -f "$work/thumbnails.log" ]; then
  sed -n 's/^make \([0-9]*\) thumbnails.*one page reused: .*(\([0-9.]*\) s per page.*/thumbnails at 640x480, one reused page (\1 pages)|\2 s per page|-|-|-/p' \
    "$work/thumbnails.log" >> "$BENCH_TABLE"
  sed -n 's/^make \([0-9]*\) thumbnails.* as a batch: first after \([0-9]*\) ms.*/first thumbnail of a batch of \1 (engine running)|\2 ms|-|-|<= 1000 ms/p' \
    "$work/thumbnails.log" >> "$BENCH_TABLE"
  sed -n 's/^grid of \([0-9]*\) items: open and first paint \([0-9.]*\) ms.*(\([0-9.]*\) ms per page.*/thumbnail grid of \1 items: open; one page scroll|\2 ms; \3 ms|-|-|-/p' \
    "$work/thumbnails.log" >> "$BENCH_TABLE"
fi
if [ -f "$work/app.log" ]; then
  sed -n 's/^preview of a 200 KB page: painted and coloured median \([0-9.]*\) ms.*/preview of a 200 KB page, painted and coloured|\1 ms|-|-|-/p' \
    "$work/app.log" >> "$BENCH_TABLE"
fi

echo
echo "$(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg), $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "ratio: how many times faster than the peer (above 1: ours is faster)"
echo
echo "| work | ours | peer | ratio | goal |"
echo "|---|---|---|---|---|"
sed 's/|/ | /g; s/^/| /; s/$/ |/' "$BENCH_TABLE"
