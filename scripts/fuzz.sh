#!/usr/bin/env bash
# Builds the fuzz targets (preset fuzz, clang, in build-fuzz/) and runs each for SECONDS
# (default 600) on a working copy of its seed corpus. A crash is kept as a file in
# tests/fuzz/regressions/<target>/, which the normal test suite replays. Prints a line of
# figures per target and exits 1 when anything was found.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
shift || true
"$root/scripts/deps.sh" --fuzz
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for binary in build-fuzz/tests/fuzz/fuzz_*; do
    [ -f "$binary" ] && [ -x "$binary" ] && targets+=("${binary##*/fuzz_}")
  done
fi

# The targets load no browser engine, so nothing is suppressed: any leak is a finding.
export ASAN_OPTIONS="detect_leaks=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
found=0
printf '%-14s %12s %9s %8s %9s %9s\n' target executions exec/s corpus features findings
for target in "${targets[@]}"; do
  corpus="$work/$target"
  findings="tests/fuzz/regressions/$target"
  mkdir -p "$corpus" "$findings"
  cp tests/fuzz/corpus/"$target"/* "$corpus"/
  # The formatter's golden pages seed the targets that read pages.
  case "$target" in
    editor | formatter)
      for page in tests/formatter/golden/*/input.htm; do
        cp "$page" "$corpus/golden-$(basename "$(dirname "$page")").htm"
      done ;;
  esac
  log="$work/$target.log"
  before=$(find "$findings" -type f ! -name '.*' | wc -l)
  status=0
  "build-fuzz/tests/fuzz/fuzz_$target" "$corpus" -max_total_time="$seconds" \
    -max_len=8192 -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$log" 2>&1 || status=$?
  after=$(find "$findings" -type f ! -name '.*' | wc -l)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  features=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  printf '%-14s %12s %9s %8s %9s %9s\n' "$target" "${runs:-?}" "${rate:-?}" \
    "$(find "$corpus" -type f | wc -l)" "${features:-?}" "$((after - before))"
  if [ "$status" -ne 0 ] || [ "$after" -ne "$before" ]; then
    found=1
    echo "--- $target: exit $status; the end of its log:" >&2
    tail -40 "$log" >&2
  fi
done
exit "$found"
