#!/usr/bin/env bash
# A second copy started from the same program folder ends at once, shows nothing and writes nothing;
# a copy in another folder is another program and starts normally.
source "$(dirname "$0")/lib.sh"
start_display

folder=$(make_program_folder one)
printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,Hanako\r\n' >"$folder/kirvo.ini"
cp "$folder/kirvo.ini" "$E2E_DIR/original.ini"

start_program "$folder/kirvo"
first=$pid
win=$(wait_window '^バイオリズム （Hanako）$' 30) || fail "the first copy showed no main window"

# The lock lives beside the settings, so a copy with another temporary folder is still the second copy.
for tmp in "${TMPDIR:-/tmp}" "$E2E_DIR"; do
  code=$(run_to_end TMPDIR="$tmp" "$folder/kirvo")
  [ "$code" -eq 0 ] || fail "the second copy (TMPDIR=$tmp) ended with code $code"
done
[ "$(count_windows '^バイオリズム')" -eq 1 ] || fail "more than one main window"
cmp -s "$folder/kirvo.ini" "$E2E_DIR/original.ini" || fail "the second copy wrote the settings file"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"
[ -e "$folder/kirvo.lock" ] || fail "no lock beside the settings file"

# Another folder is another program.
other=$(make_program_folder two)
printf '[kirvo]\r\n\r\nBirthDay=1970/11/23,Ichiro\r\n' >"$other/kirvo.ini"
start_program "$other/kirvo"
wait_window '^バイオリズム （Ichiro）$' 15 >/dev/null || fail "a copy in another folder did not start"

# Closing the first copy's window ends it and writes the settings file.
send_keys "$win" ctrl+q
wait_exit "$first" 10 || fail "the first copy did not end after its window closed"
grep -q '^GraphWidth=' "$folder/kirvo.ini" || fail "closing the window did not write the settings"
grep -q '^BirthDay=1965/4/3,Hanako' "$folder/kirvo.ini" || fail "the display list was not kept"
[ ! -e "$folder/kirvo.lock" ] || fail "the lock was left behind"
echo "second copy: ok"
