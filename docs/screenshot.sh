#!/usr/bin/env bash
# Renders the main window under a private Xvfb server into a PNG.
#
#   bash docs/screenshot.sh <ruziduz binary> <out.png>
#
# Xvfb runs without a window manager, so the picture is the window's client
# area: the form exactly as the program lays it out.
set -euo pipefail

binary=$1
out=$2
display=:99
caption='Ruziduz网站关键词提取工具'

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.05
done

DISPLAY=$display QT_QPA_PLATFORM=xcb "$binary" >"$work/app.log" 2>&1 &
app_pid=$!

window=""
for _ in $(seq 200); do
  window=$(DISPLAY=$display xdotool search --name "$caption" 2>/dev/null | head -n 1) || true
  [[ -n $window ]] && break
  sleep 0.05
done
if [[ -z $window ]]; then
  echo "screenshot: the window did not appear; program output:" >&2
  cat "$work/app.log" >&2
  exit 1
fi
# Let the first paint reach the server.
sleep 0.5

eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$window")"
DISPLAY=$display import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
echo "screenshot: $out (${WIDTH}x${HEIGHT})"
