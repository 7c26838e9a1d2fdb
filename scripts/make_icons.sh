#!/usr/bin/env bash
# Draws the PNG icons from resources/icons/vistrel.svg. Run again after changing the SVG and
# commit the pictures; the build only copies them.
set -euo pipefail
cd "$(dirname "$0")/../resources"
command -v rsvg-convert >/dev/null || {
  echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2
  exit 1
}
for size in 48 128 256; do
  mkdir -p "icons/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" icons/vistrel.svg -o "icons/${size}x${size}/vistrel.png"
done
# The window icon built into the program.
rsvg-convert -w 64 -h 64 icons/vistrel.svg -o vistrel.png
