# Shared helpers of the end-to-end scripts: a private X display, a private program folder, bounded waits.
# Source it; every script gets its own display and folder and cleans both up.

set -euo pipefail

E2E_BINARY="${1:?usage: script.sh path/to/kirvo}"
E2E_DIR="$(mktemp -d)"
E2E_PIDS=()

e2e_cleanup() {
  for pid in "${E2E_PIDS[@]:-}"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
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
