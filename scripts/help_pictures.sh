#!/usr/bin/env bash
# Redraws the pictures of the help pages (resources/defaults/HELP/*.png) from the real
# program, driven on a virtual X server. Run it again when the look changes, check the
# pictures and commit them.
#   scripts/help_pictures.sh [BIN_DIR]     BIN_DIR holds vistrel (default: build/bin)
# Needs xvfb-run, xdotool, xwininfo and ImageMagick:
#   apt-get install xvfb xauth xdotool x11-utils imagemagick
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build/bin}" && pwd)
help="$root/resources/defaults/HELP"

if [ -z "${VISTREL_PICTURES_ON_X:-}" ]; then
  for tool in xvfb-run xdotool xwininfo import convert; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (see the top of $0)" >&2; exit 1; }
  done
  VISTREL_PICTURES_ON_X=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$bin"
fi

# A small site in a folder with few neighbours, so the folder tree shows little else.
work=$(mktemp -d /var/tmp/vistrel-help.XXXXXX)
trap 'kill "$pid" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/site" "$work/home"
for page in index about contact news; do
  cat > "$work/site/$page.htm" <<PAGE
<html><head><title>$page</title></head>
<body style="font-family:sans-serif;background:#f4f8ff">
<h1 style="color:#1f4f9a">Our ${page} page</h1>
<p>Welcome to the <b>$page</b> page of our site.</p>
<ul><li><a href="index.htm">Home</a></li><li><a href="news.htm">News</a></li></ul>
</body></html>
PAGE
done
export VISTREL_HOME="$work/home"
# The browser view paints in software on the virtual server.
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu" LIBGL_ALWAYS_SOFTWARE=1

"$bin/vistrel" "$work/site/index.htm" >"$work/vistrel.log" 2>&1 &
pid=$!

main_window() { xdotool search --sync --onlyvisible --name '^ Vistrel' | head -1; }
settle() { sleep "${1:-2}"; }
# shot NAME WINDOW: the window as a PNG of at most 560 pixels wide and few colours.
shot() {
  import -window "$2" "$work/$1-full.png"
  convert "$work/$1-full.png" -resize '560x>' -colors 64 -strip "$help/$1.png"
  echo "$help/$1.png: $(stat -c %s "$help/$1.png") bytes"
}
# click WINDOW X Y: a left click at X,Y inside the window.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
# dialog NAME X Y ITEM_Y: opens a menu of the main window at X,Y, clicks its item at ITEM_Y,
# pictures the window that appears and closes it. There is no window manager, so the mouse
# does what the keyboard cannot.
dialog() {
  local before id
  before=$(xdotool search --onlyvisible --name '.' | sort)
  click "$win" "$2" "$3"
  settle 1
  click "$win" "$2" "$4"
  settle 3
  id=$(comm -13 <(echo "$before") <(xdotool search --onlyvisible --name '.' | sort) | tail -1)
  if [ -n "$id" ]; then
    shot "$1" "$id"
    xdotool key --window "$id" Escape
  else
    echo "no window for $1" >&2
  fi
  settle 1
}

win=$(main_window)
settle 6
click "$win" 228 153  # index.htm in the file list
settle 4
shot folder-view "$win"
click "$win" 441 582  # Editor
settle 2
shot editor "$win"
click "$win" 450 59  # Thumbnail View
settle 2
click "$win" 777 582  # Select All
click "$win" 398 582  # Make Thumbs
settle 10
shot thumbnails "$win"
click "$win" 548 59  # File Lists
settle 2
shot file-lists "$win"
click "$win" 275 59  # back to Folder View
settle 1
dialog settings 45 8 30  # Options, General Options
dialog about 221 8 80     # Help, About
