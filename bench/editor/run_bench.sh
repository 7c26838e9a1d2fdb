#!/bin/sh
# Source editor speed: opening coloured files, a typed ">" and caret moves in a 10 KB, a 10 MB
# and 1 MB and 10 MB one-line files beside the bare QPlainTextEdit, the RTF builder, and
# vistrel-cli rtf throughput (best of 3) on a 5 MB input.
# usage: bench/editor/run_bench.sh BUILD_DIR
# With BENCH_TABLE set, rows "work|ours|peer|ratio|goal" are added to that file.
# The inputs are real HTML pages from /usr/share/doc joined to size; without any there, a
# generated page of tables, quoted attributes, comments and text is used.
set -eu
build=${1:?usage: run_bench.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

find /usr/share/doc -name '*.htm*' -type f -size +2k 2>/dev/null | sort | head -2000 > "$work/pages"
if [ ! -s "$work/pages" ]; then
  i=0
  while [ $i -lt 400 ]; do
    printf '<tr class="row%d"><td align="left"><a href="page%d.htm">Page %d</a></td>\r\n' $i $i $i
    printf '<!-- row %d --><td>Some plain text with "quotes" &amp; entities, item %d.</td></tr>\r\n' $i $i
    i=$((i + 1))
  done > "$work/generated.htm"
  echo "$work/generated.htm" > "$work/pages"
fi

# make_input SIZE OUT: pages joined until SIZE bytes, cut at SIZE.
make_input() {
  : > "$2"
  while [ "$(wc -c < "$2")" -lt "$1" ]; do
    xargs cat < "$work/pages" >> "$2"
  done
  head -c "$1" "$2" > "$2.cut" && mv "$2.cut" "$2"
}
make_input 1000000 "$work/1m.htm"
make_input 5000000 "$work/5m.htm"
make_input 10000000 "$work/10m.htm"
# The small file is the 10 KB around the middle of the large one, so both keystrokes meet
# the same markup.
tail -c +4995001 "$work/10m.htm" | head -c 10000 > "$work/10k.htm"

# Hostile inputs: one 10 MB line, a 50 MB file, an unclosed comment at the start of 10 MB,
# and binary bytes.
tr -d '\r\n' < "$work/10m.htm" > "$work/one-line.htm"
tr -d '\r\n' < "$work/1m.htm" > "$work/one-line-1m.htm"
for i in 1 2 3 4 5; do cat "$work/10m.htm"; done > "$work/50m.htm"
{ printf '<!-- never closed\n'; cat "$work/10m.htm"; } > "$work/open-comment.htm"
head -c 2000000 /dev/urandom > "$work/binary.bin"

"$build/bench/editor/editor_bench" "$work/10k.htm" "$work/1m.htm" "$work/10m.htm" "$work/5m.htm" \
  "$work/one-line.htm" "$work/one-line-1m.htm" "$work/50m.htm" "$work/open-comment.htm" "$work/binary.bin" \
  | tee "$work/driver"

best=""
for run in 1 2 3; do
  start=$(date +%s.%N)
  "$build/bin/vistrel-cli" rtf "$work/5m.htm" > "$work/out.rtf"
  end=$(date +%s.%N)
  t=$(echo "$end - $start" | bc -l)
  if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" -eq 1 ]; then best=$t; fi
done
printf 'vistrel-cli rtf, 5 MB: %.3f s, %.1f MB/s (output %d bytes)\n' "$best" \
  "$(echo "5 / $best" | bc -l)" "$(wc -c < "$work/out.rtf")"

[ -n "${BENCH_TABLE:-}" ] || exit 0
# "WALL ms (CPU cpu)" from the fields of a driver line starting at N
both() { echo "$(echo "$1" | cut -d' ' -f"$2") ms (CPU $(echo "$1" | cut -d' ' -f"$(($2 + 3))") ms)"; }
line() {
  awk -v a="$1" -v b="$2" -v mb="$3" '$1 == a && $2 == b && int($3 + 0.5) == mb { print; exit }' \
    "$work/driver" | tr -s ' '
}
open1=$(line open one-line 10); key1=$(line key one-line 10); caret1=$(line caret one-line 10)
open1m=$(line open one-line 1); key1m=$(line key one-line 1); caret1m=$(line caret one-line 1)
open10=$(line open lines 10); key10=$(line key lines 10)
{
  echo "editor: open 10 MB one-line page, coloured|$(both "$open1" 5)|bare QPlainTextEdit $(both "$open1" 12)|-|<= 1000 ms"
  echo "editor: typed '>' in 10 MB one-line page|$(both "$key1" 5)|bare QPlainTextEdit $(both "$key1" 12)|-|<= 16 ms"
  echo "editor: caret move + tag hint, 10 MB one-line page|$(both "$caret1" 5)|-|-|<= 16 ms"
  echo "editor: open 1 MB one-line page, coloured|$(both "$open1m" 5)|bare QPlainTextEdit $(both "$open1m" 12)|-|<= 1000 ms"
  echo "editor: typed '>' in 1 MB one-line page|$(both "$key1m" 5)|bare QPlainTextEdit $(both "$key1m" 12)|-|<= 16 ms"
  echo "editor: caret move + tag hint, 1 MB one-line page|$(both "$caret1m" 5)|-|-|<= 16 ms"
  echo "editor: open 10 MB multi-line page, coloured|$(both "$open10" 5)|bare QPlainTextEdit $(both "$open10" 12)|-|kept ~360 ms"
  echo "editor: typed '>' in 10 MB multi-line page|$(both "$key10" 5)|bare QPlainTextEdit $(both "$key10" 12)|-|kept ~0.44 ms"
  echo "editor: RTF of 5 MB (in process)|$(awk '$1 == "rtf" { print $4 " s (CPU " $7 " s)"; exit }' "$work/driver")|-|-|kept ~0.22 s"
  echo "vistrel-cli rtf, 5 MB, whole process|$(printf '%.3f' "$best") s|-|-|-"
} >> "$BENCH_TABLE"
