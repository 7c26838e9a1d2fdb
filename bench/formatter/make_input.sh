#!/bin/sh
# The benchmark's 5 MB input: real pages of DOCS concatenated in a fixed order until 5 MB.
# usage: bench/formatter/make_input.sh DOCS OUT
set -eu
docs=${1:?usage: make_input.sh DOCS OUT}
out=${2:?usage: make_input.sh DOCS OUT}
: > "$out"
find "$docs" -name '*.html' -size +2k | LC_ALL=C sort | while IFS= read -r page; do
  cat "$page" >> "$out"
  [ "$(stat -c %s "$out")" -ge 5000000 ] && break
done
exit 0
