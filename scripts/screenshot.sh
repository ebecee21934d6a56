#!/usr/bin/env bash
# Makes the README screenshots on a virtual display: docs/screenshot.png, the main window with two people, and
# docs/critical.png, their critical-day list. docs/screenshot.png is also the screenshot the package's AppStream
# metainfo names (published under the project's home page).
# Usage: scripts/screenshot.sh [path/to/kirvo]   (default build/kirvo; build first)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
binary="${1:-$root/build/kirvo}"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

cp "$binary" "$work/kirvo"
printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,\x8e\x52\x93\x63\x89\xd4\x8e\x71\r\nBirthDay=1970/11/23,\x97\xe9\x96\xd8\x88\xea\x98\x59\r\nTaskTray=False\r\nGraphWidth=10500\r\nGraphHeight=8250\r\n' >"$work/kirvo.ini"

display=":$((RANDOM % 400 + 200))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
export DISPLAY="$display"
for i in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# Prints the id of the visible window whose title matches $1 once it is up; $2 names it when it never comes.
window_of() {
  local id i
  for i in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "$2 did not appear" >&2
  exit 1
}

"$work/kirvo" &
win=$(window_of '^バイオリズム' "the main window")
sleep 1
mkdir -p "$root/docs"
import -window "$win" "$root/docs/screenshot.png"
echo "wrote docs/screenshot.png"

# No window manager on Xvfb: the window takes the keys only once it has the focus.
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.2
xdotool key ctrl+l
list=$(window_of '^要注意日一覧$' "the critical-day list")
sleep 1
import -window "$list" "$root/docs/critical.png"
echo "wrote docs/critical.png"
