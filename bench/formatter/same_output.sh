#!/bin/sh
# Byte-for-byte check of vistrel-cli format against a saved reference.
# usage: bench/formatter/same_output.sh save|check BUILD_DIR REFERENCE_DIR
# "save" formats the inputs with BUILD_DIR's vistrel-cli into REFERENCE_DIR; "check" formats
# them again and compares. The inputs: the golden test cases (each with its own style), about
# 5 MB of concatenated Rust documentation pages (as LF, as CR LF, as Latin-1 and through
# standard input), its formatted output formatted again, and 100 pages each of the Rust book
# and of std.
set -eu
mode=${1:?usage: same_output.sh save|check BUILD_DIR REFERENCE_DIR}
cli=${2:?build dir}/bin/vistrel-cli
ref=${3:?reference dir}
here=$(cd "$(dirname "$0")" && pwd)
golden=$here/../../tests/formatter/golden
docs=$(rustc --print sysroot)/share/doc/rust/html
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$ref"

find "$docs/book" -name '*.html' | LC_ALL=C sort | head -n 100 > "$work/pages"
find "$docs/std" -name '*.html' | LC_ALL=C sort | head -n 100 >> "$work/pages"
sh "$here/make_input.sh" "$docs" "$work/big.htm"
sed 's/$/\r/' "$work/big.htm" > "$work/big-crlf.htm"
printf '<P>caf\351 \377</P>\n' | cat - "$work/big.htm" > "$work/big-latin1.htm"

failed=0
# one NAME ARGS...: formats into $work/out and saves or compares it as NAME.
one() {
  name=$1
  shift
  "$cli" format "$@" > "$work/out" 2> "$work/err" || echo "exit $?" >> "$work/out"
  if [ "$mode" = save ]; then
    cp "$work/out" "$ref/$name"
  elif ! cmp -s "$work/out" "$ref/$name"; then
    echo "differs: $name" >&2
    failed=1
  fi
}

for case in "$golden"/*/; do
  name=$(basename "$case")
  case $name in
    default-*) one "golden-$name" "$case/input.htm" ;;
    *) one "golden-$name" --style "$case" "$case/input.htm" ;;
  esac
done
one big "$work/big.htm"
"$cli" format "$work/big.htm" > "$work/once.htm"
one big-again "$work/once.htm"
one big-crlf "$work/big-crlf.htm"
one big-latin1 "$work/big-latin1.htm"
one big-stdin - < "$work/big.htm"
i=0
while IFS= read -r page; do
  i=$((i + 1))
  one "page-$i" "$page"
done < "$work/pages"
[ "$mode" = save ] && echo "saved $(ls "$ref" | wc -l) outputs in $ref" && exit 0
[ "$failed" = 0 ] && echo "all $(ls "$ref" | wc -l) outputs identical"
exit "$failed"
