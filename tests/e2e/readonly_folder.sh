#!/usr/bin/env bash
# A program folder the user cannot write: closing shows the settings message, Cancel ends the program, and
# the settings file stays as it was.
source "$(dirname "$0")/lib.sh"
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || { echo "setpriv missing: skipped"; exit 0; }
  # Root writes anywhere: run the program as an ordinary user instead.
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  as_user=()
fi
start_display

folder=$(make_program_folder)
printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nTaskTray=False\r\nDispPeriod=20\r\n' >"$folder/kirvo.ini"
cp "$folder/kirvo.ini" "$E2E_DIR/original.ini"
chmod 755 "$E2E_DIR" "$folder"
chmod 644 "$folder/kirvo.ini"
chmod 755 "$folder/kirvo"
runtime="$(mktemp -d)"
chmod 777 "$runtime"

start_program "${as_user[@]}" env HOME="$runtime" XDG_RUNTIME_DIR="$runtime" "$folder/kirvo"
win=$(wait_window '^バイオリズム （A）$' 30) || fail "no main window"
send_keys "$win" ctrl+q
box=$(wait_window '^エラー$' 30) || fail "no message about the settings file"
send_keys "$box" Escape
wait_exit "$pid" 10 || fail "Cancel did not end the program"
cmp -s "$folder/kirvo.ini" "$E2E_DIR/original.ini" || fail "the settings file changed"
[ "$(ls -A "$folder" | wc -l)" -eq 2 ] || fail "something was left in the program folder: $(ls -A "$folder")"
rm -rf "$runtime"
echo "read-only folder: ok"
