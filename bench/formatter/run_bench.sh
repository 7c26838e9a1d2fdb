#!/bin/sh
# Formatting speed of vistrel-cli format beside tidy and html-beautify, best of 3 runs each.
# usage: bench/formatter/run_bench.sh BUILD_DIR
# Inputs are made here from real pages on this machine: (a) about 5 MB of concatenated pages
# from the Rust documentation (or Debian's share/doc), (b) one page of about 50 KB, and
# (a) ten times over for the scaling check. Missing peers are installed when possible
# (apt-get tidy, npm js-beautify) and skipped otherwise.
set -eu
build=${1:?usage: run_bench.sh BUILD_DIR}
cli=$build/bin/vistrel-cli
inproc=$build/bench/formatter/formatter_bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

docs=
if command -v rustc >/dev/null 2>&1 && [ -d "$(rustc --print sysroot)/share/doc/rust/html" ]; then
  docs=$(rustc --print sysroot)/share/doc/rust/html
elif [ -d /usr/share/doc ] && find /usr/share/doc -name '*.html' | head -n 1 | grep -q .; then
  docs=/usr/share/doc
else
  echo "no real HTML pages on this machine (Rust documentation or /usr/share/doc); skipping"
  exit 0
fi

# (a): pages in a fixed order until 5 MB; (b): the first page between 45 and 60 KB.
find "$docs" -name '*.html' -size +2k | LC_ALL=C sort > "$work/pages"
: > "$work/a.htm"
while IFS= read -r page; do
  cat "$page" >> "$work/a.htm"
  [ "$(stat -c %s "$work/a.htm")" -ge 5000000 ] && break
done < "$work/pages"
page=$(find "$docs" -name '*.html' -size +45k -size -60k | LC_ALL=C sort | head -n 1)
cp "$page" "$work/b.htm"
for _ in 1 2 3 4 5 6 7 8 9 10; do cat "$work/a.htm"; done > "$work/a10.htm"

if ! command -v tidy >/dev/null 2>&1 && [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null 2>&1; then
  apt-get install -y -q tidy >/dev/null 2>&1 || true
fi
if ! command -v html-beautify >/dev/null 2>&1 && command -v npm >/dev/null 2>&1; then
  npm install -g --silent js-beautify >/dev/null 2>&1 || true
fi

# Fastest of three runs of a command, in nanoseconds (process start included).
fastest() {
  low=0
  for _ in 1 2 3; do
    from=$(date +%s%N)
    "$@" > /dev/null 2>&1 || true
    took=$(( $(date +%s%N) - from ))
    if [ "$low" -eq 0 ] || [ "$took" -lt "$low" ]; then low=$took; fi
  done
  echo "$low"
}
mbs() { echo "scale=2; $(stat -c %s "$1") * 1000 / $2" | bc; }  # bytes per ns * 1000 = MB/s

# Plain tidy refuses modern pages with custom elements, so it is told to go on.
tidy_run() { tidy -i -q --custom-tags blocklevel --force-output yes "$1"; }

printf '%-28s %10s %14s %14s %14s %16s\n' "input" "bytes" "vistrel-cli" "in-process" "tidy -i -q" "html-beautify"
for input in a b a10; do
  file=$work/$input.htm
  ours=$(fastest "$cli" format "$file")
  inside=-  # MB/s of the engine alone: decode, tokenise, format, encode
  [ -x "$inproc" ] && inside=$("$inproc" "$file" "" 3 | cut -d' ' -f3)
  theirs=-
  command -v tidy >/dev/null 2>&1 && theirs=$(mbs "$file" "$(fastest tidy_run "$file")")
  beautify=-
  if command -v html-beautify >/dev/null 2>&1 && [ "$input" != a10 ]; then
    beautify=$(mbs "$file" "$(fastest html-beautify "$file")")
  fi
  case $input in a) name="(a) 5 MB of pages";; b) name="(b) one page";; a10) name="(a) x 10 (scaling)";; esac
  printf '%-28s %10s %11s MB/s %9s MB/s %9s MB/s %11s MB/s\n' "$name" "$(stat -c %s "$file")" \
    "$(mbs "$file" "$ours")" "$inside" "$theirs" "$beautify"
  eval "time_$input=$ours"
done
echo "scaling: (a) x 10 took $(echo "scale=2; $time_a10 / $time_a" | bc) times as long as (a)"
# Same bytes every time, and the output formats to itself.
"$cli" format "$work/a.htm" > "$work/once.htm"
"$cli" format "$work/a.htm" | cmp -s - "$work/once.htm" && echo "repeat run: identical"
"$cli" format "$work/once.htm" | cmp -s - "$work/once.htm" && echo "output formatted again: identical"
