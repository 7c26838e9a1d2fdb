#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
# --sanitize builds into build-asan/ with AddressSanitizer and UBSan.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/deps.sh"
if [ "${1:-}" = "--sanitize" ]; then
  # The browser engine's own library mismatches new/delete sizes and keeps memory to the end;
  # neither is ours, everything else is checked.
  export ASAN_OPTIONS="new_delete_type_mismatch=0:${ASAN_OPTIONS:-}"
  export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:${LSAN_OPTIONS:-}"
  export VISTREL_BUILD_DIR="$root/build-asan"
  "$root/scripts/build.sh" -DVISTREL_SANITIZE=ON -DVISTREL_BUILD_BENCH=OFF
else
  # Tests need no optimiser and no benchmarks: the build is what takes time on small machines.
  export VISTREL_BUILD_DIR="$root/build-test"
  CMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-Debug} "$root/scripts/build.sh" -DVISTREL_BUILD_BENCH=OFF
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$VISTREL_BUILD_DIR" --output-on-failure --parallel 2 --timeout 300
