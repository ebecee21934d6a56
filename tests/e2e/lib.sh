# Shared helpers of the end-to-end scripts: a private X display, a private program folder, bounded waits.
# Source it; every script gets its own display and folder and cleans both up.

set -euo pipefail

E2E_BINARY="${1:?usage: script.sh path/to/kirvo}"
E2E_DIR="$(mktemp -d)"
E2E_PIDS=()

E2E_STARTS=0

e2e_cleanup() {
  local pid i
  # The program writes its settings when it is ended: let it finish before its folder goes.
  for pid in "${E2E_PIDS[@]:-}"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  for pid in "${E2E_PIDS[@]:-}"; do
    for i in $(seq 1 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  done
  rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

fail() {
  local log
  echo "FAIL: $*" >&2
  for log in "$E2E_DIR"/program.*.log; do
    [ -s "$log" ] && { echo "--- standard error of start ${log##*/program.}:" >&2; tail -n 20 "$log" >&2; }
  done
  exit 1
}

# True when the X server accepts a client now.
display_ready() {
  local i
  for i in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# A start that the X server refused: the program ended inside its toolkit's connection to the display,
# before any of its own code ran. Such a start may be repeated; any other failure may not.
refused_in_log() {
  grep -q 'could not connect to display' "$E2E_LOG"
}

# Readies the next start: the display answers, and the start's standard error gets a log of its own.
next_start() {
  display_ready || fail "the display does not accept connections"
  E2E_STARTS=$((E2E_STARTS + 1))
  E2E_LOG="$E2E_DIR/program.$E2E_STARTS.log"
}

say_refused() {
  echo "e2e: the X server refused the program's connection before it ran (start $1: $(head -n 1 "$E2E_LOG")); starting it again" >&2
}

# True when process $1, or a process it started (a program run under a tracer), shows a window.
has_window() {
  local p
  for p in "$1" $(pgrep -P "$1" 2>/dev/null); do
    [ -n "$(xdotool search --onlyvisible --pid "$p" 2>/dev/null | head -n 1)" ] && return 0
  done
  return 1
}

# Starts a program in the background (arguments as for env: assignments, then the command) with its
# standard error in its own log, sets $pid, and waits up to 30 seconds until the program shows a window or
# ends. A start that the display refused is repeated (at most three times, said in the log); a program that
# ends for any other reason is left for the caller's checks to find.
start_program() {
  local attempt i
  for attempt in 1 2 3 4; do
    next_start
    env "$@" 2>"$E2E_LOG" &
    pid=$!
    E2E_PIDS+=("$pid")
    for i in $(seq 1 300); do
      kill -0 "$pid" 2>/dev/null || break
      has_window "$pid" && return 0
      sleep 0.1
    done
    ! kill -0 "$pid" 2>/dev/null && refused_in_log || return 0
    say_refused "$attempt"
  done
  fail "the display refused the program four times"
}

# Runs a program to its end (arguments as for start_program) and prints its exit code; a start the display
# refused is repeated like start_program does.
run_to_end() {
  local attempt code
  for attempt in 1 2 3 4; do
    next_start
    code=0
    timeout 20 env "$@" 2>"$E2E_LOG" || code=$?
    if [ "$code" -eq 0 ] || ! refused_in_log; then
      echo "$code"
      return 0
    fi
    say_refused "$attempt"
  done
  fail "the display refused the program four times"
}

# Starts Xvfb on a display number it picks itself (so parallel scripts never share one) and exports DISPLAY.
start_display() {
  local fifo="$E2E_DIR/displayfd" n="" i
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  E2E_PIDS+=("$!")
  read -r -t 20 n <"$fifo" || true
  rm -f "$fifo"
  [ -n "$n" ] || fail "Xvfb did not start"
  export DISPLAY=":$n"
  for i in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "Xvfb did not answer on :$n"
}

# Copies the program into a fresh program folder and prints that folder.
make_program_folder() {
  local folder="$E2E_DIR/${1:-prog}"
  mkdir -p "$folder"
  cp "$E2E_BINARY" "$folder/kirvo"
  echo "$folder"
}

# Waits up to $2 seconds (default 10) for a window whose title matches $1; prints its id.
wait_window() {
  local pattern="$1" timeout="${2:-10}" i id
  for i in $(seq 1 $((timeout * 10))); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Answers the file dialog titled $1 with the path $2: typed into its name box, then Return.
answer_file_dialog() {
  local dialog
  dialog=$(wait_window "^$1\$" 30) || fail "the file dialog $1 did not open"
  sleep 0.5
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  xdotool type --delay 20 "$2"
  xdotool key Return
}

# Waits up to 10 seconds for file $1 to be written (not empty); fails saying $2 otherwise.
wait_file() {
  local i
  for i in $(seq 1 100); do
    [ -s "$1" ] && return 0
    sleep 0.1
  done
  fail "$2"
}

# Counts the visible windows whose title matches $1.
count_windows() {
  xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l
}

# Waits up to $2 seconds for process $1 to end; returns 1 when it is still running.
wait_exit() {
  local pid="$1" timeout="${2:-10}" i
  for i in $(seq 1 $((timeout * 10))); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# Sends keys to a window after giving it the focus (there is no window manager under Xvfb).
send_keys() {
  local win="$1"
  shift
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  sleep 0.2
  xdotool key "$@"
}
