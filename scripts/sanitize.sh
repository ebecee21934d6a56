#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer (clang) into
# build-asan/ and runs the tests there. Any sanitizer report fails its test.
# Usage: scripts/sanitize.sh [extra ctest arguments, e.g. -R tst_params or -LE e2e]
# The end-to-end tests run too, so the real program is checked on a display as well.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-asan"

"$root/scripts/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKIRVO_SANITIZE=ON -DKIRVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "${KIRVO_JOBS:-$(nproc)}"

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
# Undefined behaviour stops the test like a memory error does; leaks are checked when each test ends.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:symbolize=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:symbolize=1"
# A copy every user can read: some end-to-end tests run the program as an ordinary user.
supp="$(mktemp)"
cp "$root/scripts/lsan.supp" "$supp"
chmod 644 "$supp"
export LSAN_OPTIONS="suppressions=$supp:print_suppressions=0"

cd "$build"
ctest --output-on-failure --parallel "${KIRVO_JOBS:-$(nproc)}" "$@"
