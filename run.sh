#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vistrel. Arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found; starting Vistrel on a virtual X server (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/build/bin/vistrel" "$@"
fi
exec "$root/build/bin/vistrel" "$@"
