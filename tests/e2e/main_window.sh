#!/usr/bin/env bash
# The taskbar window restored from a prepared settings file: its caption, Ctrl+Q ends the program, and the
# settings file is rewritten byte for byte as expected.
source "$(dirname "$0")/lib.sh"
start_display

folder=$(make_program_folder)
printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nBirthDay=1970/11/23,B\r\nTaskTray=False\r\nGraphPosX=1500\r\nGraphPosY=1200\r\nGraphWidth=9000\r\nGraphHeight=6000\r\n' >"$folder/kirvo.ini"
printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nBirthDay=1970/11/23,B\r\nEra=0,\x90\xbc\x97\xef\r\nEra=1867,\x96\xbe\x8e\xa1\r\nEra=1911,\x91\xe5\x90\xb3\r\nEra=1925,\x8f\xba\x98\x61\r\nEra=1988,\x95\xbd\x90\xac\r\nEra=2018,\x97\xdf\x98\x61\r\nTaskTray=False\r\nGraphPosX=1500\r\nGraphPosY=1200\r\nGraphWidth=9000\r\nGraphHeight=6000\r\n' >"$E2E_DIR/expected.ini"

start_program "$folder/kirvo"
win=$(wait_window '^バイオリズム （A, B）$' 30) || fail "no window titled バイオリズム （A, B）"
send_keys "$win" ctrl+q
wait_exit "$pid" 10 || fail "Ctrl+Q did not end the program from the taskbar window"
cmp "$folder/kirvo.ini" "$E2E_DIR/expected.ini" || {
  od -c "$folder/kirvo.ini" | head -40 >&2
  fail "the rewritten settings file differs from the expected bytes"
}
echo "taskbar window: ok"
