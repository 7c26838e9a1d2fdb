#!/usr/bin/env bash
# Installs what is missing, builds the program alone (preset release, into build/) and starts
# it. Arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" release --target vistrel
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found; starting Vistrel on a virtual X server (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/build/bin/vistrel" "$@"
fi
exec "$root/build/bin/vistrel" "$@"
