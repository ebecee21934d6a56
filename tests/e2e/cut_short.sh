#!/usr/bin/env bash
# Saves the system cuts short, as an ordinary user: a file-size limit fails the save like a full disk (the
# program is not killed, the settings stay as they were); a kill while a file is rewritten in place is undone
# at the next start; the temporary file a save killed before its rename left is removed at the next start.
source "$(dirname "$0")/lib.sh"
command -v strace >/dev/null || { echo "strace missing: skipped"; exit 0; }
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
home="$E2E_DIR/home"
mkdir -m 700 "$home"
chown "$user" "$home"

# Settings the program writes back in more than 1 KiB (sixty eras), from a file longer still (lines of keys
# it does not know, which it drops): a rewrite cut short leaves the old file's tail.
settings() {
  printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nTaskTray=False\r\n'
  for i in $(seq 1 60); do printf 'Era=%d,元号%02d\r\n' $((1800 + i)) "$i"; done
  for i in $(seq 1 60); do printf 'Unknown%02d=kept only as long as nobody rewrites the file\r\n' "$i"; done
}

# Starts the program of folder $1 as the user, with the rest of the arguments run before it (a limit, a
# tracer); sets $pid.
start_as_user() {
  local folder="$1"
  shift
  start_program "${as_user[@]}" env HOME="$home" XDG_RUNTIME_DIR="$home" "$@" "$folder/kirvo"
}

# Ends the program as a logout does (the program itself, not a tracer around it).
end_with_term() {
  wait_window '^バイオリズム （A）$' 30 >/dev/null || fail "$1: no main window"
  kill -TERM "$(pgrep -x -f "$folder/kirvo")"
  wait_exit "$pid" 15 || fail "$1: the program did not end"
}

# 1. A size limit of 1 KiB: the rewrite fails and is reported, the program ends normally, nothing is lost.
folder=$(make_program_folder limit)
settings >"$folder/kirvo.ini"
cp "$folder/kirvo.ini" "$E2E_DIR/limit.ini"
chown -R "$user" "$folder"
start_as_user "$folder" bash -c 'ulimit -f 1 && exec "$@"' limit
end_with_term "size limit"
code=0
wait "$pid" || code=$?
[ "$code" -eq 0 ] || fail "size limit: exit code $code (a killed program gives 153)"
grep -q 'File too large' "$E2E_LOG" || fail "size limit: the failure was not reported: $(cat "$E2E_LOG")"
cmp -s "$folder/kirvo.ini" "$E2E_DIR/limit.ini" || fail "size limit: the settings file changed"
[ ! -e "$folder/kirvo.lock" ] || fail "size limit: the lock was left behind"

# 2. The folder is not the user's, the settings file is: it is rewritten in place. Killed as the file is
# cut to its new length, the next start puts the previous bytes back.
folder=$(make_program_folder inplace)
settings >"$folder/kirvo.ini"
cp "$folder/kirvo.ini" "$E2E_DIR/inplace.ini"
chown "$user" "$folder/kirvo.ini"
start_as_user "$folder" strace -f -o /dev/null -P "$folder/kirvo.ini" -e trace=ftruncate -e inject=ftruncate:signal=KILL
end_with_term "in place"
cmp -s "$folder/kirvo.ini" "$E2E_DIR/inplace.ini" && fail "in place: the kill did not cut the save short"
start_as_user "$folder"
wait_window '^バイオリズム （A）$' 30 >/dev/null || fail "in place: no main window after the kill"
grep -q 'put back' "$E2E_LOG" || fail "in place: the next start said nothing of the file it put back"
cmp -s "$folder/kirvo.ini" "$E2E_DIR/inplace.ini" || fail "in place: the settings file was not put back whole"
end_with_term "in place, again"
grep -q '^GraphWidth=' "$folder/kirvo.ini" || fail "in place: the next save did not go through"

# 3. An ordinary save killed between writing its temporary file and renaming it over the settings leaves
# that file (NAME.XXXXXX) behind; the next start removes the user's own, and only those.
folder=$(make_program_folder rename)
settings >"$folder/kirvo.ini"
printf 'half a save' >"$folder/kirvo.ini.Ab12Cd"
printf 'not ours' >"$folder/kirvo.dat.Xy34Zw"
chown -R "$user" "$folder"
[ "$user" -eq 0 ] || chown 0 "$folder/kirvo.dat.Xy34Zw"
start_as_user "$folder"
end_with_term "leftovers"
[ ! -e "$folder/kirvo.ini.Ab12Cd" ] || fail "leftovers: the killed save's temporary file is still there"
[ "$user" -eq 0 ] || [ -e "$folder/kirvo.dat.Xy34Zw" ] || fail "leftovers: another user's file was removed"
echo "saves cut short: ok"
