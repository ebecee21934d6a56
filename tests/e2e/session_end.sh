#!/usr/bin/env bash
# The desktop ends the session: SIGTERM, SIGHUP or SIGINT ends the program like closing its window (the
# settings are written, exit code 0), an open people dialog's unsaved changes are not saved and nothing is
# asked, and a settings file that cannot be written is kept and the reason goes to standard error.
# Run as an ordinary user: that is who a session ends for, and root would write past the file modes.
source "$(dirname "$0")/lib.sh"
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || { echo "setpriv missing: skipped"; exit 0; }
  user=65534
  as_user=(setpriv --reuid=$user --regid=$user --clear-groups)
else
  user=$(id -u)
  as_user=()
fi
start_display
chmod 755 "$E2E_DIR"
runtime="$E2E_DIR/runtime"
mkdir -m 700 "$runtime"
chown "$user" "$runtime"

# Starts the program of a folder as the user; sets $pid (the program itself, so signals reach it).
start_as_user() {
  start_program "${as_user[@]}" env HOME="$runtime" XDG_RUNTIME_DIR="$runtime" "$1/kirvo"
}

# Waits for the program to end and checks its exit code.
expect_exit_0() {
  wait_exit "$pid" 15 || fail "$1: the program did not end"
  local code=0
  wait "$pid" || code=$?
  [ "$code" -eq 0 ] || fail "$1: exit code $code"
}

# 1. Each signal writes the settings, as closing the window does.
for signal in TERM HUP INT; do
  folder=$(make_program_folder "sig$signal")
  printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nTaskTray=False\r\nDispPeriod=20\r\n' >"$folder/kirvo.ini"
  chown -R "$user" "$folder"
  start_as_user "$folder"
  wait_window '^バイオリズム （A）$' 30 >/dev/null || fail "$signal: no main window"
  kill -"$signal" "$pid"
  expect_exit_0 "$signal"
  grep -q '^GraphWidth=' "$folder/kirvo.ini" || fail "$signal: the settings were not written"
  grep -q '^DispPeriod=20' "$folder/kirvo.ini" || fail "$signal: the settings lost a value"
  [ "$(count_windows '^エラー$')" -eq 0 ] || fail "$signal: a message was shown"
done

# 2. The people dialog open with changes: nothing is asked, the people file stays, the settings are written.
folder=$(make_program_folder dialog)
printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nTaskTray=False\r\n' >"$folder/kirvo.ini"
chown -R "$user" "$folder"
start_as_user "$folder"
main=$(wait_window '^バイオリズム （A）$' 30) || fail "dialog: no main window"
send_keys "$main" ctrl+h
people=$(wait_window '^表示人選択$' 15) || fail "dialog: the people dialog did not open"
send_keys "$people" alt+s
sleep 0.5
kill -TERM "$pid"
expect_exit_0 "dialog"
[ ! -e "$folder/kirvo.dat" ] || fail "dialog: the unsaved changes were saved"
grep -q '^GraphWidth=' "$folder/kirvo.ini" || fail "dialog: the settings were not written"

# 3. A settings file that cannot be written (read-only beside the program, and a home where no data folder can
# be made): kept whole, the reason on standard error, still exit code 0.
folder=$(make_program_folder readonly)
printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nTaskTray=False\r\n' >"$folder/kirvo.ini"
cp "$folder/kirvo.ini" "$E2E_DIR/original.ini"
chmod 755 "$folder"
chmod 644 "$folder/kirvo.ini"
mkdir -m 555 "$E2E_DIR/closed-home"
start_program "${as_user[@]}" env HOME="$E2E_DIR/closed-home" XDG_RUNTIME_DIR="$runtime" "$folder/kirvo"
wait_window '^バイオリズム （A）$' 30 >/dev/null || fail "read-only: no main window"
kill -TERM "$pid"
expect_exit_0 "read-only"
cmp -s "$folder/kirvo.ini" "$E2E_DIR/original.ini" || fail "read-only: the settings file changed"
grep -q '設定ファイルの書き込みに失敗しました。' "$E2E_LOG" || fail "read-only: no reason on standard error"
echo "session end: ok"
