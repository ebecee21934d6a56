#!/usr/bin/env bash
# A program folder the user cannot write. Settings the user can write in place are rewritten there (a portable
# copy an administrator shared); read-only settings with no user data folder to turn to (a home that cannot be
# written): closing shows the settings message, Cancel ends the program, and the settings file stays as it was.
# The package test covers the usual case, read-only settings and a home: the user's data folder takes over.
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
chmod 755 "$E2E_DIR" "$folder/kirvo"
runtime="$E2E_DIR/runtime"
home="$E2E_DIR/home"
mkdir -m 777 "$runtime"
mkdir -m 555 "$home"
trap 'chmod -R u+w "$E2E_DIR" 2>/dev/null; e2e_cleanup' EXIT

# One run: the settings file's mode, then what closing the window must do ("in place" or "message").
run_case() {
  local mode="$1" expected="$2"
  chmod 755 "$folder"
  printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nTaskTray=False\r\nDispPeriod=20\r\n' >"$folder/kirvo.ini"
  cp "$folder/kirvo.ini" "$E2E_DIR/original.ini"
  chmod "$mode" "$folder/kirvo.ini"
  chmod 555 "$folder"
  start_program "${as_user[@]}" env HOME="$home" XDG_RUNTIME_DIR="$runtime" "$folder/kirvo"
  win=$(wait_window '^バイオリズム （A）$' 30) || fail "no main window ($expected)"
  send_keys "$win" ctrl+q
  if [ "$expected" = message ]; then
    box=$(wait_window '^エラー$' 30) || fail "no message about the settings file"
    send_keys "$box" Escape
    wait_exit "$pid" 10 || fail "Cancel did not end the program"
    cmp -s "$folder/kirvo.ini" "$E2E_DIR/original.ini" || fail "the settings file changed"
  else
    wait_exit "$pid" 10 || fail "the program did not end after its window closed"
    grep -q '^GraphWidth=' "$folder/kirvo.ini" || fail "the settings were not rewritten in place"
    grep -q '^DispPeriod=20' "$folder/kirvo.ini" || fail "the settings rewritten in place lost a value"
  fi
  [ "$(ls -A "$folder" | wc -l)" -eq 2 ] || fail "something was left in the program folder: $(ls -A "$folder")"
  [ -z "$(ls -A "$home")" ] || fail "something was written into the home: $(ls -A "$home")"
  echo "read-only folder, settings $mode: $expected: ok"
}

run_case 666 "in place"
run_case 444 message
