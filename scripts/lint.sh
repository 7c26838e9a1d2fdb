#!/usr/bin/env bash
# Checks that the sources keep their format and runs clang-tidy over src/. Non-zero on any
# finding. clang-tidy reads the compile commands of build-lint/, configured here without
# precompiled headers (clang cannot read the compiler's). Sources found clean before are not
# checked again while neither they nor a header they include changed (the dependency log of
# build-test/, left by ./test.sh, tells which headers those are).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-lint
cache=${XDG_CACHE_HOME:-$HOME/.cache}/vistrel-tidy
cd "$root"

mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
                                    'bench/*.cpp' 'bench/*.h' 'bench/*.c')
echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVISTREL_PCH=OFF >/dev/null
mapfile -t units < <(git ls-files 'src/*.cpp' | sed "s#^#$root/#")
mapfile -t stale < <(python3 scripts/tidy_cache.py stale build-test "$cache" "$root" "${units[@]}")
echo "clang-tidy: ${#stale[@]} of ${#units[@]} files changed since they were last found clean"
if [ ${#stale[@]} -gt 0 ]; then
  run-clang-tidy -quiet -p "$build" -j "$(nproc)" "${stale[@]}" > "$build/clang-tidy.log" 2>&1 ||
    { grep -E 'warning:|error:' "$build/clang-tidy.log" | sort -u; exit 1; }
  python3 scripts/tidy_cache.py record build-test "$cache" "$root" "${stale[@]}"
fi
echo "lint: clean"
