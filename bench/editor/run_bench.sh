#!/bin/sh
# Source editor speed: opening coloured files, a typed ">" in a 10 KB and a 10 MB file, the
# RTF builder, and vistrel-cli rtf throughput (best of 3) on a 5 MB input.
# usage: bench/editor/run_bench.sh BUILD_DIR
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
for i in 1 2 3 4 5; do cat "$work/10m.htm"; done > "$work/50m.htm"
{ printf '<!-- never closed\n'; cat "$work/10m.htm"; } > "$work/open-comment.htm"
head -c 2000000 /dev/urandom > "$work/binary.bin"

"$build/bench/editor/editor_bench" "$work/10k.htm" "$work/1m.htm" "$work/10m.htm" "$work/5m.htm" \
  "$work/one-line.htm" "$work/50m.htm" "$work/open-comment.htm" "$work/binary.bin"

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
