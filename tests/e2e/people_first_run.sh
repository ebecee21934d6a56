#!/usr/bin/env bash
# The people dialog on a first run: it opens before anything else; cancelling ends the program and writes
# nothing; with a version-1 people file beside the program, Enter confirms the people checked in it, the main
# window opens with them and the people file is rewritten as exactly the version-2 file.
source "$(dirname "$0")/lib.sh"
start_display

# Writes the bytes given as hex digits (spaces ignored) to a file.
write_hex() {
  local hex="${2// /}" escaped=""
  local i
  for ((i = 0; i < ${#hex}; i += 2)); do
    escaped+="\\x${hex:i:2}"
  done
  printf '%b' "$escaped" >"$1"
}

# 1. No files at all: the dialog comes first; Esc ends the program without writing anything.
folder=$(make_program_folder empty)
start_program "$folder/kirvo"
win=$(wait_window '^表示人選択$' 30) || fail "a first run did not open the people dialog"
[ "$(count_windows '^バイオリズム')" -eq 0 ] || fail "a main window opened before the people dialog"
send_keys "$win" Escape
wait_exit "$pid" 10 || fail "the program did not end when the people dialog was cancelled"
[ ! -e "$folder/kirvo.ini" ] || fail "cancelling the first run wrote a settings file"
[ ! -e "$folder/kirvo.dat" ] || fail "cancelling the first run wrote a people file"

# 2. A version-1 people file: abc (1970/1/1, checked), 山田花子 (1965/4/3), Taro (1980/12/31, checked).
abc_v1="0800 0300 616263 0700 00000000 40f8d840 0b00 ffff"
hanako_v1="0800 0800 8e52936389d48e71 0700 00000000 c046d740 0b00 0000"
taro_v1="0800 0400 5461726f 0700 00000000 80e4dc40 0b00 ffff"
no_groups="0300 00000000"
version1="$(printf '00001.00' | xxd -p) 03000000 $abc_v1 $hanako_v1 $taro_v1"
version2="$(printf '00002.00' | xxd -p) $(printf '%0628d' 0) 03000000 $abc_v1 $no_groups $hanako_v1 $no_groups $taro_v1 $no_groups"

folder=$(make_program_folder version1)
write_hex "$folder/kirvo.dat" "$version1"
write_hex "$E2E_DIR/expected.dat" "$version2"
[ "$(stat -c %s "$E2E_DIR/expected.dat")" -eq $((326 + 3 * 24 + 3 + 8 + 4)) ] || fail "the expected file is malformed"

start_program "$folder/kirvo"
win=$(wait_window '^表示人選択$' 30) || fail "the people dialog did not open with a version-1 people file"
send_keys "$win" Return
main=$(wait_window '^バイオリズム （abc, Taro）$' 30) \
  || fail "Enter in the people dialog did not open the main window with the checked people (windows: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|'))"
[ "$(count_windows '^表示人選択$')" -eq 0 ] || fail "the people dialog is still open"
if ! cmp -s "$folder/kirvo.dat" "$E2E_DIR/expected.dat"; then
  echo "expected:" >&2
  xxd "$E2E_DIR/expected.dat" | tail -n 8 >&2
  echo "written:" >&2
  xxd "$folder/kirvo.dat" | tail -n 8 >&2
  fail "the people file is not the exact version-2 file"
fi
[ ! -e "$folder/kirvo.dat.bak" ] || fail "a readable people file was backed up"

# Closing the main window ends the program and keeps the chosen people in the settings.
send_keys "$main" ctrl+q
wait_exit "$pid" 10 || fail "the program did not end after its main window closed"
grep -q '^BirthDay=1970/1/1,abc' "$folder/kirvo.ini" || fail "the settings lack the first chosen person"
grep -q '^BirthDay=1980/12/31,Taro' "$folder/kirvo.ini" || fail "the settings lack the second chosen person"
! grep -q '山田\|Hanako' "$folder/kirvo.ini" || fail "an unchecked person reached the settings"
echo "people on a first run: ok"
