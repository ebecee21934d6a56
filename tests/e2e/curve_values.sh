#!/usr/bin/env bash
# Saving the curve values through the save dialog writes the CSV file in code page 932 with CR LF.
source "$(dirname "$0")/lib.sh"
start_display

folder=$(make_program_folder)
printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nTaskTray=False\r\nDispPeriod=1\r\nGraphPoint=5\r\n' >"$folder/kirvo.ini"
start_program HOME="$E2E_DIR" "$folder/kirvo"
win=$(wait_window '^バイオリズム （A）$' 30) || fail "no main window"
send_keys "$win" alt+f
sleep 0.5
xdotool key s
answer_file_dialog 名前を付けて保存 "$E2E_DIR/out.csv"
wait_file "$E2E_DIR/out.csv" "no curve-values file was written"
lines=$(tr -cd '\n' <"$E2E_DIR/out.csv" | wc -c)
crs=$(tr -cd '\r' <"$E2E_DIR/out.csv" | wc -c)
[ "$lines" -eq 6 ] && [ "$crs" -eq 6 ] || fail "expected 6 CR LF lines, got $lines LF and $crs CR"
head -c 7 "$E2E_DIR/out.csv" | cmp -s - <(printf '\x8f\x6f\x97\xcd\x93\xfa,') || fail "the file does not start with 出力日, in code page 932"
send_keys "$win" ctrl+q
wait_exit "$pid" 10 || fail "the program did not end"
echo "curve values: ok"
