#!/bin/sh
# Formatting speed of vistrel-cli format beside tidy -i -q, best of 3 runs each.
# usage: bench/formatter/run_bench.sh BUILD_DIR
# With BENCH_TABLE set, rows "work|ours|peer|ratio|goal" are added to that file.
# Inputs are made here from real pages on this machine: (a) about 5 MB of concatenated pages
# from the Rust documentation (or Debian's share/doc), (b) one page of about 50 KB, and
# (a) ten times over for the scaling check. A missing tidy is installed when possible (apt-get)
# and skipped otherwise. The engine's in-process figures are given by the wall clock and by
# CPU time, which other work on a shared machine does not inflate.
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
sh "$(dirname "$0")/make_input.sh" "$docs" "$work/a.htm"
page=$(find "$docs" -name '*.html' -size +45k -size -60k | LC_ALL=C sort | head -n 1)
cp "$page" "$work/b.htm"
page=$(find "$docs" -name '*.html' -size +1k -size -3k | LC_ALL=C sort | head -n 1)
cp "$page" "$work/c.htm"
for _ in 1 2 3 4 5 6 7 8 9 10; do cat "$work/a.htm"; done > "$work/a10.htm"

if ! command -v tidy >/dev/null 2>&1 && [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null 2>&1; then
  apt-get install -y -q tidy >/dev/null 2>&1 || true
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

printf '%-28s %10s %14s %14s %14s %14s\n' "input" "bytes" "vistrel-cli" "in-process" "in-proc. CPU" "tidy -i -q"
for input in a b a10; do
  file=$work/$input.htm
  ours=$(fastest "$cli" format "$file")
  inside=-  # MB/s of the engine alone: decode, tokenise, format, encode
  insideCpu=-
  if [ -x "$inproc" ]; then
    "$inproc" "$file" "" 3 > "$work/inproc.$input"
    inside=$(cut -d' ' -f3 "$work/inproc.$input")
    insideCpu=$(cut -d' ' -f6 "$work/inproc.$input")
  fi
  theirs=-
  command -v tidy >/dev/null 2>&1 && theirs=$(mbs "$file" "$(fastest tidy_run "$file")")
  case $input in a) name="(a) 5 MB of pages";; b) name="(b) one page";; a10) name="(a) x 10 (scaling)";; esac
  printf '%-28s %10s %9s MB/s %9s MB/s %9s MB/s %9s MB/s\n' "$name" "$(stat -c %s "$file")" \
    "$(mbs "$file" "$ours")" "$inside" "$insideCpu" "$theirs"
  eval "time_$input=$ours"
  eval "tidy_$input=$theirs"
done
echo "scaling: (a) x 10 took $(echo "scale=2; $time_a10 / $time_a" | bc) times as long as (a)"
engine_scaling=-
if [ -f "$work/inproc.a" ] && [ -f "$work/inproc.a10" ]; then
  engine_scaling=$(echo "scale=2; $(cut -d' ' -f2 "$work/inproc.a10") / $(cut -d' ' -f2 "$work/inproc.a")" | bc)
  engine_cpu_scaling=$(echo "scale=2; $(cut -d' ' -f5 "$work/inproc.a10") / $(cut -d' ' -f5 "$work/inproc.a")" | bc)
  echo "engine scaling: (a) x 10 took $engine_scaling times as long as (a) in process, $engine_cpu_scaling times the CPU time"
fi

# Start-up: the whole process for a small page and for --help, fastest of five.
fastest5() {
  low=0
  for _ in 1 2 3 4 5; do
    from=$(date +%s%N)
    "$@" > /dev/null 2>&1 || true
    took=$(( $(date +%s%N) - from ))
    if [ "$low" -eq 0 ] || [ "$took" -lt "$low" ]; then low=$took; fi
  done
  echo "scale=1; $low / 1000000" | bc
}
help_ms=$(fastest5 "$cli" --help)
small_ms=$(fastest5 "$cli" format "$work/c.htm")
tidy_small_ms=-
command -v tidy >/dev/null 2>&1 && tidy_small_ms=$(fastest5 tidy_run "$work/c.htm")
echo "start-up: --help $help_ms ms, format of a $(stat -c %s "$work/c.htm")-byte page $small_ms ms (tidy $tidy_small_ms ms)"
# Same bytes every time, and formatting settles: text that met a tag gains a line end (and so a
# trailing blank that counts when breaking) on the second run only, so the third run must give
# the second's bytes.
"$cli" format "$work/a.htm" > "$work/once.htm"
"$cli" format "$work/a.htm" | cmp -s - "$work/once.htm" && echo "repeat run: identical"
"$cli" format "$work/once.htm" > "$work/twice.htm"
"$cli" format "$work/twice.htm" | cmp -s - "$work/twice.htm" &&
  echo "output settled after two runs: identical"

[ -n "${BENCH_TABLE:-}" ] || exit 0
times_of() { [ "$2" = - ] && echo - || echo "$(echo "scale=1; $1 / $2" | bc)x"; }
{
  echo "vistrel-cli --help, whole process|$help_ms ms|-|-|<= 15 ms"
  echo "vistrel-cli format, $(stat -c %s "$work/c.htm")-byte page, whole process|$small_ms ms|tidy -i -q $tidy_small_ms ms|-|<= 15 ms"
  echo "vistrel-cli format, 5 MB of real pages, whole process|$(mbs "$work/a.htm" "$time_a") MB/s|tidy -i -q $tidy_a MB/s|$(times_of "$(mbs "$work/a.htm" "$time_a")" "$tidy_a")|>= 10x tidy"
  echo "formatter engine in process, 5 MB (wall; CPU)|$(cut -d' ' -f3 "$work/inproc.a" 2>/dev/null || echo -); $(cut -d' ' -f6 "$work/inproc.a" 2>/dev/null || echo -) MB/s|-|-|-"
  echo "formatter engine, 50 MB vs 5 MB (time ratio, wall; CPU)|${engine_scaling}x; ${engine_cpu_scaling:--}x|-|-|<= 11x"
} >> "$BENCH_TABLE"
