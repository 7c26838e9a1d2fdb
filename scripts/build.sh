#!/usr/bin/env bash
# Configures and builds one preset of CMakePresets.json (default: release, into build/).
# Further arguments go to the build step, e.g. --target vistrel.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
preset=${1:-release}
shift || true
cd "$root"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" "$@"
