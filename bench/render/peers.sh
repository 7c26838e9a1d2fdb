# Sourced by the render benchmarks: the peer renderers, each started once per page and
# clipped to a width x height viewport, and a timer over all pages.
# Needs: width, height, work (a scratch folder), pages (an array of files).

# Installs the missing peers named in $PEERS (Debian package names) unless NO_INSTALL=1.
install_peers() {
  local need=() package tool
  for package in ${PEERS:-wkhtmltopdf cutycapt chromium xvfb}; do
    tool=$package
    case $package in wkhtmltopdf) tool=wkhtmltoimage;; xvfb) tool=xvfb-run;; esac
    command -v "$tool" >/dev/null || need+=("$package")
  done
  if [ ${#need[@]} -gt 0 ] && [ "${NO_INSTALL:-0}" != 1 ] && [ "$(id -u)" = 0 ]; then
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
  fi
}

# Runs "$@ page out" for every page and prints "name  seconds per page  pages/s" (also to
# $work/peers).
per_process() {
  local name=$1; shift
  local start end page
  start=$(date +%s.%N)
  for page in "${pages[@]}"; do
    "$@" "$page" "$work/$name.out" >/dev/null 2>&1 || true
  done
  end=$(date +%s.%N)
  awk -v n="${#pages[@]}" -v s="$start" -v e="$end" -v name="$name" \
      'BEGIN { t = (e - s) / n; printf "%-40s %6.3f s per page  %6.2f pages/s\n", name, t, 1 / t }' \
    | tee -a "$work/peers"
}

# A peer stuck on a page is stopped after a minute.
wkhtml() { timeout 60 xvfb-run -a wkhtmltoimage --width "$width" --height "$height" --quality 75 "file://$1" "$2.jpg"; }
cuty_full() { timeout 60 xvfb-run -a cutycapt --min-width="$width" --min-height="$height" --url="file://$1" --out="$2.jpg"; }
cuty_clip() {
  timeout 60 xvfb-run -a cutycapt --min-width="$width" --min-height="$height" \
    --user-style-string="html, body { height: ${height}px !important; max-height: ${height}px !important; overflow: hidden !important; margin: 0 !important; }" \
    --url="file://$1" --out="$2.jpg"
}
chrome() {
  timeout 60 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size="$width,$height" \
    --screenshot="$2.png" "file://$1"
}

# Every installed peer, one row each.
run_peers() {
  command -v xvfb-run >/dev/null || return 0
  command -v wkhtmltoimage >/dev/null && per_process "wkhtmltoimage (process per page)" wkhtml
  [ "${CUTY_FULL:-0}" = 1 ] && command -v cutycapt >/dev/null && per_process "CutyCapt whole page" cuty_full
  command -v cutycapt >/dev/null && per_process "CutyCapt clipped (process per page)" cuty_clip
  command -v chromium >/dev/null && per_process "chromium --headless --screenshot" chrome
  return 0
}

# Pages per second of the named peer row, or nothing.
peer_rate() { grep "^$1" "$work/peers" 2>/dev/null | awk '{ print $(NF - 1) }'; }
