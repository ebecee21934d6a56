#!/usr/bin/env bash
# Export then import through the people dialog's File menu: the text file holds the people, and importing it
# appends them again, which OK saves into the people file. A text saved as UTF-8, as editors on Linux save it,
# comes in with its Japanese names whole.
source "$(dirname "$0")/lib.sh"
start_display

folder=$(make_program_folder)
printf '[kirvo]\r\n\r\nBirthDay=1970/1/5,Taro\r\nTaskTray=False\r\n' >"$folder/kirvo.ini"
start_program HOME="$E2E_DIR" "$folder/kirvo"
win=$(wait_window '^バイオリズム （Taro）$' 30) || fail "no main window"

# Add one person in the people dialog (the birthday boxes show today).
send_keys "$win" ctrl+h
people=$(wait_window '^表示人選択$' 30) || fail "the people dialog did not open"
sleep 0.5
xdotool windowfocus --sync "$people" 2>/dev/null || true
xdotool mousemove --window "$people" 200 35 click 1
sleep 0.2
xdotool type --delay 20 "Taro"
xdotool key alt+a
sleep 0.3

# Export.
send_keys "$people" alt+f
sleep 0.5
xdotool key e
answer_file_dialog 名前を付けて保存 "$E2E_DIR/people.txt"
settings=$(wait_window '^エクスポート／インポート設定$' 30) || fail "the export settings did not open"
send_keys "$settings" Return
wait_file "$E2E_DIR/people.txt" "nothing was exported"
grep -q $'^[0-9]*/[0-9]*/[0-9]*,Taro\r$' "$E2E_DIR/people.txt" || fail "the export lacks Taro: $(cat -A "$E2E_DIR/people.txt")"
[ "$(wc -l <"$E2E_DIR/people.txt")" -eq 1 ] || fail "the export does not hold one person"

# Import the same file: the person comes in again, unchecked.
send_keys "$people" alt+f
sleep 0.5
xdotool key i
answer_file_dialog 開く "$E2E_DIR/people.txt"
settings=$(wait_window '^エクスポート／インポート設定$' 30) || fail "the import settings did not open"
send_keys "$settings" Return
sleep 1

# A UTF-8 file made from a code page 932 one with iconv.
printf '1965/4/3,\x93\x63\x92\x86\x94\xfc\x8d\xe7\r\n' | iconv -f CP932 -t UTF-8 >"$E2E_DIR/utf8.txt"
grep -q '田中美咲' "$E2E_DIR/utf8.txt" || fail "iconv did not make the UTF-8 file"
send_keys "$people" alt+f
sleep 0.5
xdotool key i
answer_file_dialog 開く "$E2E_DIR/utf8.txt"
settings=$(wait_window '^エクスポート／インポート設定$' 30) || fail "the second import's settings did not open"
send_keys "$settings" Return
sleep 1
# Closing the dialog asks whether to save the changes; Yes writes the people file with both entries.
send_keys "$people" Escape
question=$(wait_window '^確認$' 30) || fail "closing did not ask to save"
send_keys "$question" Return
wait_file "$folder/kirvo.dat" "the people file was not saved"
count=$(grep -a -o 'Taro' "$folder/kirvo.dat" | wc -l)
[ "$count" -eq 2 ] || fail "the people file holds Taro $count times, not 2"
grep -a -q -F "$(printf '\x93\x63\x92\x86\x94\xfc\x8d\xe7')" "$folder/kirvo.dat" ||
  fail "the people file lacks 田中美咲 from the UTF-8 file"
send_keys "$win" ctrl+q
wait_exit "$pid" 15 || fail "the program did not end"
echo "export and import: ok"
