#!/bin/sh
# Search and verification speed beside find and fdfind, warm cache, best of 3 runs each; a
# folder of 50 000 pages searched; the report filled with 50 000 and 100 000 rows.
# usage: bench/filelists/run_bench.sh BUILD_DIR [ROOT...]
# With BENCH_TABLE set, rows "work|ours|peer|ratio|goal" are added to that file.
# Without ROOTs it builds its own tree (20 000 pages in nested folders) and also uses the
# Rust documentation tree and the toolchains folder when rustc is installed.
set -eu
build=${1:?usage: run_bench.sh BUILD_DIR [ROOT...]}
shift
bin=$build/bench/filelists
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ $# -eq 0 ]; then
  tree=$work/tree
  i=0
  while [ $i -lt 200 ]; do
    d=$tree/site$((i % 10))/section$i/pages
    mkdir -p "$d" "$tree/site$((i % 10))/section$i/img"
    j=0
    while [ $j -lt 100 ]; do
      : > "$d/page$j.html"
      j=$((j + 1))
    done
    : > "$tree/site$((i % 10))/section$i/img/a.gif"
    i=$((i + 1))
  done
  set -- "$tree"
  if command -v rustc >/dev/null 2>&1; then
    sysroot=$(rustc --print sysroot)
    [ -d "$sysroot/share/doc/rust/html" ] && set -- "$@" "$sysroot/share/doc/rust/html"
    [ -d "$(dirname "$sysroot")" ] && set -- "$@" "$(dirname "$sysroot")"
  fi
fi

best3() {  # best wall time of three runs of a command, in seconds
  best=
  for _ in 1 2 3; do
    s=$(date +%s.%N)
    "$@" > /dev/null 2>&1 || true
    e=$(date +%s.%N)
    t=$(echo "$e - $s" | bc)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc)" = 1 ]; then best=$t; fi
  done
  printf '%.3f' "$best"
}

cpu3() {  # least CPU time (user + system, all threads) of three runs of a command, in seconds
  best=
  for _ in 1 2 3; do
    /usr/bin/time -o "$work/cpu" -f '%U %S' "$@" > /dev/null 2>&1 || true
    t=$(awk '{ print $1 + $2 }' "$work/cpu")
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc)" = 1 ]; then best=$t; fi
  done
  printf '%.3f' "$best"
}

fd=$(command -v fdfind || command -v fd || true)
cli=$build/bin/vistrel-cli
export VISTREL_HOME=$work/home
# vistrel-cli search is timed from outside like its peers, process start and output included.
# find -iname reads names only; find -printf also reads size and time of every hit, as a list
# entry needs; fdfind walks on every core. The cpu columns are user + system time, steadier
# than wall time on a busy machine.
printf '%-58s %8s %8s %8s %8s %8s %6s %6s %8s %8s\n' "tree" "hits" "vistrel" "find" "find+st" "fdfind" "ratio" "ratio+" "cpu" "cpu find"
for root in "$@"; do
  find "$root" > /dev/null 2>&1 || true  # warm the cache
  hits=$("$cli" search --quiet --mask '*.htm' "$root" | wc -l)
  ours=$(best3 "$cli" search --quiet --mask '*.htm' "$root")
  theirs=$(best3 find "$root" -iname '*.htm*')
  withstat=$(best3 find "$root" -iname '*.htm*' -printf '%h/*%f*%s*%TY-%Tm-%Td  %TH:%TM\n')
  fdt=-
  [ -n "$fd" ] && fdt=$(best3 "$fd" -u -i -g '*.htm*' "$root")
  ratio=$(echo "scale=2; $ours / $theirs" | bc)
  ratio2=$(echo "scale=2; $ours / $withstat" | bc)
  ourcpu=$(cpu3 "$cli" search --quiet --mask '*.htm' "$root")
  findcpu=$(cpu3 find "$root" -iname '*.htm*')
  printf '%-58s %8s %8s %8s %8s %8s %6s %6s %8s %8s\n' "$root" "$hits" "$ours" "$theirs" "$withstat" "$fdt" "$ratio" "$ratio2" "$ourcpu" "$findcpu"
  if [ -n "${BENCH_TABLE:-}" ]; then
    peer="find -iname $theirs s, find+stat $withstat s"
    [ "$fdt" != - ] && peer="$peer, fdfind $fdt s"
    echo "vistrel-cli search *.htm, $(basename "$root") ($hits hits)|$ours s|$peer|${ratio}x find|<= 1.5x find" >> "$BENCH_TABLE"
  fi
done

echo
printf '%-58s %8s %8s %8s %6s\n' "verification" "entries" "verify" "stat" "ratio"
for root in "$@"; do
  "$bin/filelists_verify_bench" "$root" 3 | while read -r n verify plain; do
    ratio=$(echo "scale=2; $verify / $plain" | bc)
    printf '%-58s %8s %8s %8s %6s\n' "$root" "$n" "$verify" "$plain" "$ratio"
    [ -n "${BENCH_TABLE:-}" ] &&
      echo "verification, $(basename "$root") ($n entries)|$verify s|C stat loop $plain s|${ratio}x stat|<= 2x stat" >> "$BENCH_TABLE"
  done
done

# A folder of 50 000 pages: the whole search, and the longest the window would go without a
# breath during it (walk and putting the result together; filling the report is below).
big=$work/big
mkdir -p "$big"
(cd "$big" && seq -f 'page%g.html' 1 50000 | xargs touch)
find "$big" > /dev/null
echo
printf '%-58s %8s %8s %8s %8s\n' "one folder" "hits" "vistrel" "find" "freeze"
read -r n walk gap <<EOF_
$("$bin/filelists_search_bench" "$big" "*.htm" 3)
EOF_
bigcli=$(best3 "$cli" search --quiet --mask '*.htm' "$big")
bigfind=$(best3 find "$big" -iname '*.htm*')
printf '%-58s %8s %8s %8s %8s\n' "50 000 pages (walk $walk s in process)" "$n" "$bigcli" "$bigfind" "$gap"
if [ -n "${BENCH_TABLE:-}" ]; then
  echo "search of one folder of 50 000 pages|$bigcli s, longest freeze $gap s|find -iname $bigfind s|-|freeze <= 0.5 s" >> "$BENCH_TABLE"
fi

echo
"$bin/filelists_report_bench" 50000
"$bin/filelists_report_bench" 100000
