#!/usr/bin/env bash
# Whatever stands where the lock goes, one copy runs on the settings file: a lock file that names no copy is
# made anew; anything that is not a file is left alone and the lock kept in the runtime folder. Each time the
# first start runs, and a second one ends at once (code 0, no window) after reaching the first. Run as an
# ordinary user, whom file modes bind.
source "$(dirname "$0")/lib.sh"
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || { echo "setpriv missing: skipped"; exit 0; }
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  owner=65534
else
  as_user=()
  owner=$(id -u)
fi
start_display

folder=$(make_program_folder)
runtime="$E2E_DIR/runtime"
home="$E2E_DIR/home"
mkdir -m 700 "$runtime" "$home"
chmod 755 "$E2E_DIR"
[ "$owner" = "$(id -u)" ] || chown "$owner" "$folder" "$runtime" "$home"
lock="$folder/kirvo.lock"
run_as() {
  echo "${as_user[@]}" env HOME="$home" XDG_RUNTIME_DIR="$runtime" "$folder/kirvo"
}

# One kind of broken lock: what stands there, the test that it still does afterwards ("" where the lock is
# made anew beside the settings), and the command that puts it there.
run_case() {
  local kind="$1" kept="$2" first win code
  shift 2
  rm -rf "$lock" "$folder/nowhere"
  printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\n' >"$folder/kirvo.ini"
  [ "$owner" = "$(id -u)" ] || chown "$owner" "$folder/kirvo.ini"
  # Made by root where the tests run as root, like a lock left by the program run with sudo.
  "$@"
  start_program $(run_as)
  first=$pid
  win=$(wait_window '^バイオリズム （A）$' 30) || fail "$kind: the first copy showed no main window"
  code=$(run_to_end $(run_as))
  [ "$code" -eq 0 ] || fail "$kind: the second copy ended with code $code"
  ! grep -q 'could not be brought forward' "$E2E_LOG" || fail "$kind: the second copy did not reach the first"
  [ "$(count_windows '^バイオリズム')" -eq 1 ] || fail "$kind: more than one main window"
  kill -0 "$first" 2>/dev/null || fail "$kind: the first copy ended"
  if [ -z "$kept" ]; then
    [ -f "$lock" ] && [ -s "$lock" ] || fail "$kind: no new lock beside the settings"
  else
    test "$kept" "$lock" || fail "$kind: what stood there was not left alone"
    compgen -G "$runtime/kirvo-*.lock" >/dev/null || fail "$kind: no lock in the runtime folder"
  fi
  send_keys "$win" ctrl+q
  wait_exit "$first" 10 || fail "$kind: the first copy did not end after its window closed"
  echo "$kind: ok"
}

run_case "empty file" "" touch "$lock"
run_case "garbage" "" sh -c "printf 'not a lock\n' >'$lock'"
run_case "folder" -d mkdir "$lock"
run_case "pipe" -p mkfifo "$lock"
run_case "link to nothing" -L ln -s "$folder/nowhere" "$lock"
if [ "$(id -u)" -eq 0 ]; then
  run_case "device" -c mknod "$lock" c 1 5
else
  echo "device: skipped (making a device node needs root)"
fi
