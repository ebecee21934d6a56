#!/usr/bin/env bash
# The command line as packagers expect it: --help and --version answer at once with no display at all; any
# other argument is refused with the usage on standard error and exit code 2.
# Usage: command_line.sh <kirvo> <version>
set -uo pipefail
kirvo="$1"
version="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

fail() {
  echo "FAIL [$*]" >&2
  exit 1
}

# One call: the arguments, then the exit code, standard output's first line and a text standard error holds
# ("" for empty). No display is given, so a program that reached its window system would fail.
check() {
  local expected_code="$1" expected_out="$2" expected_err="$3" code=0
  shift 3
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 10 "$kirvo" "$@" >"$tmp/out" 2>"$tmp/err" || code=$?
  [ "$code" -eq "$expected_code" ] || fail "$*: exit code $code, not $expected_code; stderr: $(head -c 300 "$tmp/err")"
  [ "$(head -n 1 "$tmp/out")" = "$expected_out" ] || fail "$*: standard output '$(head -n 1 "$tmp/out")'"
  if [ -z "$expected_err" ]; then
    [ ! -s "$tmp/err" ] || fail "$*: unexpected standard error $(head -c 300 "$tmp/err")"
  else
    grep -q -F -- "$expected_err" "$tmp/err" || fail "$*: standard error lacks '$expected_err'"
    grep -q '^Usage: kirvo ' "$tmp/err" || fail "$*: no usage on standard error"
  fi
  echo "ok [$*]"
}

usage="Usage: kirvo [--help | --version]"
check 0 "kirvo $version" "" --version
check 0 "kirvo $version" "" -v
check 0 "$usage" "" --help
check 0 "$usage" "" -h
check 2 "" "Unknown option 'bogus'" --bogus
check 2 "" "unexpected argument: people.dat" people.dat
check 2 "" "unexpected argument: extra" --version extra
check 2 "" "Missing value after '-session'" -session
grep -q -e "--version" "$tmp/err" || fail "the usage does not name --version"
echo "command line: all cases passed"
