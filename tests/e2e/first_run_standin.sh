#!/usr/bin/env bash
# First run with no files: the people dialog comes first; cancelling ends the program and writes nothing.
source "$(dirname "$0")/lib.sh"
start_display

folder=$(make_program_folder)
start_program "$folder/kirvo"
win=$(wait_window '^表示人選択$' 30) || fail "the people dialog did not open first"
send_keys "$win" Escape
wait_exit "$pid" 10 || fail "the program did not end after the people dialog was cancelled"
[ ! -e "$folder/kirvo.ini" ] || fail "a settings file was written"
[ ! -e "$folder/kirvo.dat" ] || fail "a people file was written"
echo "first run cancelled: ok"
