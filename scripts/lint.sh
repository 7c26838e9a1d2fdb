#!/usr/bin/env bash
# Checks that the sources keep their format and runs clang-tidy over src/. Non-zero on any
# finding. clang-tidy reads the compile commands of build-lint/, configured here without
# precompiled headers (clang cannot read the compiler's).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-lint
cd "$root"

mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
                                    'bench/*.cpp' 'bench/*.h' 'bench/*.c')
echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVISTREL_PCH=OFF >/dev/null
mapfile -t units < <(git ls-files 'src/*.cpp')
echo "clang-tidy: ${#units[@]} files"
run-clang-tidy -quiet -p "$build" -j "$(nproc)" "${units[@]/#/$root/}" > "$build/clang-tidy.log" 2>&1 ||
  { grep -E 'warning:|error:' "$build/clang-tidy.log" | sort -u; exit 1; }
echo "lint: clean"
