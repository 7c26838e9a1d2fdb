#!/bin/bash
# Memory over a long thumbnail batch: `vistrel-cli thumbs` over generated pages (text,
# tables, pictures, a few that never end and a few that are broken), with the resident memory
# of the whole process tree (browser, render and GPU processes) after every 100 pages.
#   BUILD=<build folder> [COUNT=1000] [BASE=3] bench/soak/run_thumbs_soak.sh
# Then the same pages through Make Thumbs in the Thumbnail View (bench view_soak, offscreen).
# Passes when the memory after the last page is within 10 % of the memory after page 100,
# every page is thumbnailed or reported, and no page that failed has a thumbnail.
# With BENCH_TABLE set, a row "work|ours|peer|ratio|goal" is added to that file.
set -euo pipefail
build=${BUILD:-/tmp/vistrel-bench-release}
count=${COUNT:-1000}
base=${BASE:-3}
cli=${CLI:-$build/bin/vistrel-cli}
[ -x "$cli" ] || { echo "no $cli: build first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/site" "$work/home"

# Pages: every 100th never ends (a script that loops), every 100th + 50 is broken (binary
# bytes, or a script that loops for ever once the page has drawn).
picture='data:image/svg+xml,%3Csvg xmlns="http://www.w3.org/2000/svg" width="90" height="90"%3E%3Crect width="90" height="90" fill="orange"/%3E%3C/svg%3E'
failing=()
# 100 pages more than counted: the sample after the last page of a run may catch the program
# on its way out.
total=$((count + 100))
for ((i = 0; i < total; i++)); do
  page="$work/site/p$i.html"
  case $((i % 100)) in
    37) printf '<body style="background:#00f"><script>for(;;){}</script>' >"$page"; failing+=("$page") ;;
    87) if [ $((i % 200)) = 87 ]; then head -c 4096 /dev/urandom >"$page"
        else echo "<p>hangs after drawing</p><script>requestAnimationFrame(() => requestAnimationFrame(() => requestAnimationFrame(() => { for(;;){} })))</script>" >"$page"; fi ;;
    *)
      case $((i % 3)) in
        0) { echo "<h1>Page $i</h1>"; for ((p = 0; p < 12; p++)); do echo "<p>Paragraph $p of page $i, with <b>some</b> <i>words</i> to lay out.</p>"; done; } >"$page" ;;
        1) { echo "<table border=1>"; for ((r = 0; r < 20; r++)); do echo "<tr><td>$i</td><td>$r</td><td style='background:#$((r % 9))c$((i % 9))'>cell</td></tr>"; done; echo "</table>"; } >"$page" ;;
        2) { echo "<p>Pictures</p>"; for ((p = 0; p < 6; p++)); do echo "<img width=90 height=90 src='$picture'>"; done; echo "<svg width=300 height=100><circle cx=50 cy=50 r=$((10 + i % 40)) fill=teal /></svg>"; } >"$page" ;;
      esac ;;
  esac
done

# Resident memory (kB) of a process and all its descendants.
tree_rss() {
  local pids=("$1") all=() pid
  while [ ${#pids[@]} -gt 0 ]; do
    pid=${pids[0]}; pids=("${pids[@]:1}"); all+=("$pid")
    # A process may end while it is read: that is no failure of the soak.
    for child in $(cat /proc/"$pid"/task/*/children 2>/dev/null || true); do pids+=("$child"); done
  done
  for pid in "${all[@]}"; do awk '/^VmRSS/ { print $2 }' /proc/"$pid"/status 2>/dev/null || true; done |
    awk '{ s += $1 } END { print s + 0 }'
}

files=()
for ((i = 0; i < total; i++)); do files+=("$work/site/p$i.html"); done
start=$(date +%s.%N)
# Read through a descriptor of our own: bash drops a coprocess's descriptors once it has ended,
# while its last lines are still to be read.
exec {from_thumbs}< <(VISTREL_HOME="$work/home" QT_QPA_PLATFORM=offscreen exec "$cli" thumbs \
  --quiet --base "$base" --timeout 5 "${files[@]}" 2>&1)
pid=$!
done_pages=0 made=0 reported=0
declare -A rss
while IFS= read -r line <&"$from_thumbs"; do
  case $line in
    # The engine's own messages share the stream and may lack a line end of their own.
    *"no thumbnail made for "*) reported=$((reported + 1)); done_pages=$((done_pages + 1)) ;;
    *"/THUMBS/"*.jpg) made=$((made + 1)); done_pages=$((done_pages + 1)) ;;
    *) echo "  (engine) $line" >&2; continue ;;
  esac
  if [ $((done_pages % 100)) = 0 ]; then
    rss[$done_pages]=$(tree_rss "$pid")
    printf 'after %5d pages: %8d kB resident (%d made, %d reported)\n' "$done_pages" "${rss[$done_pages]}" "$made" "$reported"
  fi
done
wait "$pid" || true
exec {from_thumbs}<&-
end=$(date +%s.%N)

wrong=0
for page in "${failing[@]}"; do
  thumb="$work/home/THUMBS/$(dirname "$page" | tr / =)/$(basename "$page").jpg"
  [ -e "$thumb" ] && wrong=$((wrong + 1))
done
first=${rss[100]:-0}
last=${rss[$count]:-0}
growth=$(awk -v a="$first" -v b="$last" 'BEGIN { if (a > 0) printf "%.1f", (b - a) * 100 / a; else print "-" }')
seconds=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", e - s }')
echo "$total pages in $seconds s: $made thumbnails, $reported reported, $((total - made - reported)) unaccounted"
echo "thumbnails of pages that never painted: $wrong"
echo "resident memory after page 100: $first kB, after page $count: $last kB ($growth %)"
ok=yes
awk -v g="$growth" 'BEGIN { exit !(g != "-" && g <= 10 && g >= -10) }' || ok=no
[ $((made + reported)) = "$total" ] && [ "$wrong" = 0 ] || ok=no
echo "goal met: $ok"
if [ -n "${BENCH_TABLE:-}" ]; then
  echo "thumbs soak, $count pages: RSS page 100 -> $count|$growth %|-|-|within 10 %: $ok" >>"$BENCH_TABLE"
fi

view=$build/bench/thumbnails/view_soak
if [ -x "$view" ]; then
  echo "the same pages through Make Thumbs in the Thumbnail View:"
  QT_QPA_PLATFORM=offscreen "$view" "$work/site" "$count" 2>/dev/null | tee "$work/view.log"
  growth=$(sed -n 's/^resident memory after page 100.*(\(.*\) %)$/\1/p' "$work/view.log")
  if [ -n "${BENCH_TABLE:-}" ] && [ -n "$growth" ]; then
    echo "Thumbnail View soak, $count pages: RSS page 100 -> $count|$growth %|-|-|within 10 %" >>"$BENCH_TABLE"
  fi
fi
