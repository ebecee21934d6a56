#!/usr/bin/env bash
# Ctrl+L opens the critical-day list from the main window; its save button writes the calendar file, whose
# name gets .ics when typed without it; Esc closes the list.
source "$(dirname "$0")/lib.sh"
start_display

folder=$(make_program_folder)
printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nTaskTray=False\r\n' >"$folder/kirvo.ini"
start_program HOME="$E2E_DIR" "$folder/kirvo"
win=$(wait_window '^バイオリズム （A）$' 30) || fail "no main window"
send_keys "$win" ctrl+l
list=$(wait_window '^要注意日一覧$' 30) || fail "Ctrl+L did not open the critical-day list"
send_keys "$list" alt+s
answer_file_dialog 名前を付けて保存 "$E2E_DIR/days"
wait_file "$E2E_DIR/days.ics" "no calendar file was written"
head -c 17 "$E2E_DIR/days.ics" | cmp -s - <(printf 'BEGIN:VCALENDAR\r\n') || fail "the file is no calendar"
grep -q "^SUMMARY:要注意日：A（" "$E2E_DIR/days.ics" || fail "no critical day of A in the file"
send_keys "$list" Escape
for i in $(seq 1 50); do
  [ "$(count_windows '^要注意日一覧$')" -eq 0 ] && break
  sleep 0.1
done
[ "$(count_windows '^要注意日一覧$')" -eq 0 ] || fail "Esc did not close the list"
send_keys "$win" ctrl+q
wait_exit "$pid" 10 || fail "the program did not end"
echo "critical-day list: ok"
