#!/usr/bin/env bash
# The options swap: turning the notification-area option on in the taskbar window saves the settings and
# puts the notification-area window in its place (where Ctrl+Q only hides the window).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/desktop.sh"
command -v trayer >/dev/null || { echo "trayer missing: skipped"; exit 0; }
start_display
# The panel's window appears before trayer owns the tray selection; until it does there is no notification
# area, and the swap rightly keeps the taskbar window.
DESK_KIND=xembed
desk_panel_start

folder=$(make_program_folder)
printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nTaskTray=False\r\n' >"$folder/kirvo.ini"
start_program "$folder/kirvo"
win=$(wait_window '^バイオリズム （A）$' 30) || fail "no main window"
send_keys "$win" ctrl+o
dialog=$(wait_window '^オプション設定$' 30) || fail "the options dialog did not open"
# The notification-area box is the fourth stop of the tab order.
send_keys "$dialog" Tab Tab Tab space Return
for i in $(seq 1 100); do
  grep -q 'TaskTray=False' "$folder/kirvo.ini" || break
  sleep 0.1
done
grep -q 'TaskTray=False' "$folder/kirvo.ini" && fail "the swap did not save the settings"
grep -q '^GraphWidth=' "$folder/kirvo.ini" || fail "the saved settings lack the window geometry"
# The settings are written while the taskbar window closes: wait for the window that takes its place.
old="$win"
for i in $(seq 1 100); do
  win=$(xdotool search --onlyvisible --name '^バイオリズム （A）$' 2>/dev/null | grep -vx "$old" | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || fail "no window after the swap"
kill -0 "$pid" 2>/dev/null || fail "the program ended on the swap"
send_keys "$win" ctrl+q
sleep 1
kill -0 "$pid" 2>/dev/null || fail "Ctrl+Q ended the program: the swap did not bring the notification-area window"
[ "$(count_windows '^バイオリズム （A）$')" -eq 0 ] || fail "Ctrl+Q did not hide the notification-area window"
echo "options swap: ok"
