#!/usr/bin/env bash
# The notification-area window on a small real desktop (window manager, panel, notification daemon), with
# a panel of the kind given as the second argument: xembed (trayer) or sni (xfce4-panel, icons over D-Bus).
# Every dialog, opened from the menu, from the icon's menu or from the reminder, leaves the icon in the
# panel; closing hides the window and the icon brings it back; a later start brings the running copy
# forward; the icon follows a panel that crashes and comes back; the icon's menu ends the program.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/desktop.sh"
kind="${2:?usage: tray_desktop.sh path/to/kirvo xembed|sni}"
case "$kind" in
  xembed) command -v trayer >/dev/null || { echo "trayer missing: skipped"; exit 0; } ;;
  sni) command -v xfce4-panel >/dev/null || { echo "xfce4-panel missing: skipped"; exit 0; } ;;
esac
for tool in openbox dunst; do
  command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 0; }
done
desktop_start "$kind"

folder=$(make_program_folder)
# Born today: today is a critical day in all three cycles, so the reminder balloon appears at start.
printf '[kirvo]\r\n\r\nBirthDay=%s,A\r\n' "$(date +%Y/%-m/%-d)" >"$folder/kirvo.ini"
start_program "$folder/kirvo"
title='^バイオリズム （A）$'
win=$(wait_window "$title" 30) || fail "no main window"
expect_icon "$pid" "at start"

# Waits for a dialog of a title, closes it with Esc and checks that the icon stayed in the panel.
close_dialog_keeping_icon() {
  local dialog
  dialog=$(wait_window "^$1\$" 20) || fail "$1 did not open ($2)"
  send_keys "$dialog" Escape
  desk_wait 10 eval "[ \"\$(count_windows '^$1\$')\" -eq 0 ]" || fail "Esc did not close $1 ($2)"
  sleep 0.5
  icon_present "$pid" || fail "the icon left the notification area after $1 ($2)"
}

# The icon's menu: its items by their place from the top.
icon_menu_item() {
  icon_click 3
  sleep 0.5
  xdotool key $(printf 'Down %.0s' $(seq 1 "$1")) Return
}

shown() { [ "$(count_windows "$title")" -eq 1 ]; }
hidden() { [ "$(count_windows "$title")" -eq 0 ]; }
hide_window() {
  send_keys "$(wait_window "$title" 10)" ctrl+q
  desk_wait 10 hidden || fail "Ctrl+Q did not hide the window ($1)"
  kill -0 "$pid" 2>/dev/null || fail "Ctrl+Q ended the program ($1)"
}

balloon_click
close_dialog_keeping_icon 要注意日一覧 "from the reminder"

for dialog in ctrl+r:日付入力 ctrl+h:表示人選択 ctrl+l:要注意日一覧 ctrl+o:オプション設定; do
  send_keys "$win" "${dialog%%:*}"
  close_dialog_keeping_icon "${dialog#*:}" "from the menu"
done

hide_window "after the dialogs"
icon_menu_item 2
close_dialog_keeping_icon 要注意日一覧 "from the icon's menu"
icon_menu_item 3
close_dialog_keeping_icon バージョン情報 "from the icon's menu"
hidden || fail "a dialog from the icon's menu showed the hidden window"

icon_click 1 2
desk_wait 10 shown || fail "a double-click on the icon did not show the window"

# A later start while the window is put away: it ends at once and the running copy comes forward.
hide_window "before the later start"
code=$(run_to_end "$folder/kirvo")
[ "$code" -eq 0 ] || fail "the later start ended with code $code"
grep -q . "$E2E_LOG" && fail "the later start said: $(cat "$E2E_LOG")"
desk_wait 10 shown || fail "a later start did not show the running copy"
[ "$(pgrep -c -f "^$folder/kirvo")" -eq 1 ] || fail "more than one copy runs"

# The panel crashes and comes back: the icon goes into the new one.
desk_panel_kill
desk_panel_start
expect_icon "$pid" "after the panel came back"
# With no notification area left, the put-away window is shown: the user is never stranded.
hide_window "before the panel went"
desk_panel_kill
desk_wait 10 shown || fail "the window stayed hidden when the notification area went away"
desk_panel_start
expect_icon "$pid" "after the panel came back a second time"

# The icon's menu: its last item, 終了, ends the program and writes the settings.
icon_menu_item 4
wait_exit "$pid" 10 || fail "終了 in the icon's menu did not end the program"
grep -q '^GraphWidth=' "$folder/kirvo.ini" || fail "ending from the icon did not save the settings"
echo "notification area ($kind): ok"
