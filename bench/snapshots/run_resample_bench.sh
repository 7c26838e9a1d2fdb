#!/bin/bash
# ResampleBitmap against Pillow's Image.resize(LANCZOS) and libvips' vips_resize (lanczos3,
# 2 threads), all timed in process on the same page-like pictures in one run, wall clock
# and CPU time (the machine may be shared); the vips command line is timed per process
# (load, resize, save) for reference.
#   BUILD=<release build folder> RUNS=<n> bench/snapshots/run_resample_bench.sh
# With BENCH_TABLE set, rows "work|ours|peer|ratio|goal" are added to that file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD:-/tmp/vistrel-bench-release}
runs=${RUNS:-31}

need=()
/usr/bin/python3 -c "import PIL" 2>/dev/null || need+=(python3-pil)
command -v vips >/dev/null || need+=(libvips-tools)
pkg-config --exists vips 2>/dev/null || need+=(libvips-dev)
if [ ${#need[@]} -gt 0 ]; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVISTREL_BUILD_TESTS=OFF \
        -DVISTREL_BUILD_BENCH=ON >/dev/null
fi
nice cmake --build "$build" --target resample_bench >/dev/null
cc -O2 -o "$build/vips_resample_bench" "$here/vips_resample_bench.c" $(pkg-config --cflags --libs vips)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ours_bin="$build/bench/snapshots/resample_bench"
"$ours_bin" --make-inputs "$work"
cases=("$work/big.png" 130x100 "$work/small.png" 130x100 "$work/small.png" 400x300)

"$ours_bin" --runs "$runs" "${cases[@]}" >"$work/ours"
/usr/bin/python3 "$here/pil_resample_bench.py" "$runs" "${cases[@]}" >"$work/pil"
"$build/vips_resample_bench" "$runs" "${cases[@]}" >"$work/vips"

# The command line: whole process (load PNG, resize, write .v), median of 5.
for ((i = 0; i < ${#cases[@]}; i += 2)); do
  file=${cases[i]}; size=${cases[i + 1]}
  read -r w h < <(/usr/bin/python3 -c "from PIL import Image; print(*Image.open('$file').size)")
  tw=${size%x*}; th=${size#*x}
  hs=$(awk -v a="$tw" -v b="$w" 'BEGIN { printf "%.8f", a / b }')
  vs=$(awk -v a="$th" -v b="$h" 'BEGIN { printf "%.8f", a / b }')
  for run in 1 2 3 4 5; do
    start=$(date +%s.%N)
    vips resize "$file" "$work/out.v" "$hs" --vscale "$vs" --kernel lanczos3
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.2f\n", (e - s) * 1000 }'
  done | sort -n | sed -n 3p >>"$work/cli"
done

echo "ResampleBitmap vs peers: median ms per call, wall clock and CPU of all threads"
echo "($runs runs; $(nproc) cores; load average $(cut -d' ' -f1 /proc/loadavg))"
printf '%-20s %15s %15s %15s %11s %11s %9s\n' case "Vistrel w/cpu" "Pillow w/cpu" "libvips w/cpu" \
  "Pil/ours" "vips/ours" "vips CLI"
paste -d' ' "$work/ours" "$work/pil" "$work/vips" "$work/cli" | awk '{
  printf "%-20s %7.2f/%7.2f %7.2f/%7.2f %7.2f/%7.2f %5.1fx/%4.1fx %5.1fx/%4.1fx %9.1f\n",
    $1, $2, $4, $6, $8, $10, $12, $6 / $2, $8 / $4, $10 / $2, $12 / $4, $13 }'

[ -n "${BENCH_TABLE:-}" ] || exit 0
paste -d' ' "$work/ours" "$work/pil" "$work/vips" | awk '{
  printf "Lanczos3 resample %s, median of '"$runs"'|%.2f ms|Pillow %.2f ms, libvips %.2f ms|%.1fx Pillow, %.1fx libvips|-\n",
    $1, $2, $6, $10, $6 / $2, $10 / $2 }' >> "$BENCH_TABLE"
