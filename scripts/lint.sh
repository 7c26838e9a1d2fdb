#!/usr/bin/env bash
# Checks that the sources keep their format and runs clang-tidy over src/ with the compile
# commands of a build folder (default: build-test/, as ./test.sh leaves it). Non-zero on any
# finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-test}
cd "$root"

mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
                                    'bench/*.cpp' 'bench/*.h' 'bench/*.c')
echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"

if [ ! -f "$build/compile_commands.json" ]; then
  echo "lint: no $build/compile_commands.json; build first (./test.sh)" >&2
  exit 2
fi
mapfile -t units < <(git ls-files 'src/*.cpp')
echo "clang-tidy: ${#units[@]} files"
run-clang-tidy -quiet -p "$build" -j "$(nproc)" "${units[@]/#/$root/}" > "$build/clang-tidy.log" 2>&1 ||
  { grep -E 'warning:|error:' "$build/clang-tidy.log" | sort -u; exit 1; }
echo "lint: clean"
