#!/usr/bin/env bash
# With a real notification area (a stand-alone tray on Xvfb): the notification-area window starts, its
# icon sits in the tray, Ctrl+Q only hides the window, and the icon's menu ends the program.
source "$(dirname "$0")/lib.sh"
command -v trayer >/dev/null || { echo "trayer missing: skipped"; exit 0; }
start_display

trayer --edge bottom --align right --width 10 --height 32 >/dev/null 2>&1 &
E2E_PIDS+=("$!")
# The tray is ready once its panel is up and it has made the off-screen window that owns the tray selection
# (made after the panel; the program looks for a notification area only once, at start).
tray_ready() {
  local tree
  tree="$(xwininfo -root -tree 2>/dev/null)" || return 1
  grep -q '"panel"' <<<"$tree" && grep -q '"trayer": ()  10x10+-100+-100' <<<"$tree"
}
for i in $(seq 1 50); do
  tray_ready && break
  sleep 0.1
done
tray_ready || fail "the notification area did not start"

folder=$(make_program_folder)
# No reminder balloon: whether today is a critical day depends on the real date, and the balloon would cover
# the icon this test clicks (the reminder is tested with a settable clock in the unit tests).
printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nReminder=False\r\n' >"$folder/kirvo.ini"
start_program "$folder/kirvo"
win=$(wait_window '^バイオリズム （A）$' 30) || fail "no main window"

icon=""
for i in $(seq 1 50); do
  # A window that closes while the tree is walked ends the walk with an error: look again.
  icon=$(xwininfo -root -tree 2>/dev/null | awk '/"panel"/ {p = 1; next} p && /"kirvo"/ {print $1; exit}') || icon=""
  [ -n "$icon" ] && break
  sleep 0.1
done
[ -n "$icon" ] || fail "no icon in the notification area"

send_keys "$win" ctrl+q
sleep 0.5
[ "$(count_windows '^バイオリズム （A）$')" -eq 0 ] || fail "Ctrl+Q did not hide the window"
kill -0 "$pid" 2>/dev/null || fail "Ctrl+Q ended the program instead of hiding the window"

# The icon's popup menu: its last item, 終了, ends the program and writes the settings. A busy machine may
# swallow the first click before the menu can open, so try a few times.
ended=""
for attempt in 1 2 3 4 5; do
  xdotool mousemove --window "$icon" 8 8 click 3
  sleep 1
  xdotool key Up Return
  if wait_exit "$pid" 5; then
    ended=1
    break
  fi
  xdotool key Escape
done
[ -n "$ended" ] || fail "終了 in the icon's menu did not end the program"
grep -q '^GraphWidth=' "$folder/kirvo.ini" || fail "ending from the icon did not save the settings"
echo "notification area: ok"
