#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer) into build-fuzz/ and
# runs each for a bounded time, one after another. Fails when any target finds a crash, a hang, a leak or a
# broken property; the input that did it is kept in build-fuzz/fuzz/findings/.
# Usage: scripts/fuzz.sh [SECONDS-PER-TARGET (default 60)] [TARGET...]   (targets: build-fuzz/fuzz/targets.txt)
# Each target keeps its growing corpus in build-fuzz/fuzz/work/<target>, so later runs start where earlier
# ones stopped; the seeds in fuzz/corpus/<target> are only read.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
build="$root/build-fuzz"

"$root/scripts/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKIRVO_BUILD_FUZZ=ON -DKIRVO_BUILD_TESTS=OFF -DKIRVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz --parallel "${KIRVO_JOBS:-$(nproc)}"

if [ $# -gt 0 ]; then
  targets=("$@")
else
  mapfile -t targets <"$build/fuzz/targets.txt"
fi

export QT_QPA_PLATFORM=offscreen
# Every sanitizer report is fatal and symbolized; libFuzzer itself catches leaks between inputs.
export ASAN_OPTIONS="abort_on_error=1:symbolize=1:detect_leaks=1:allocator_may_return_null=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p "$build/fuzz/findings" "$build/fuzz/logs"

failed=()
summary=()
for t in "${targets[@]}"; do
  [ -n "$t" ] || continue
  if [ ! -x "$build/fuzz/fuzz_$t" ]; then
    echo "no fuzz target '$t' (see $build/fuzz/targets.txt)" >&2
    failed+=("$t")
    continue
  fi
  work="$build/fuzz/work/$t"
  mkdir -p "$work"
  args=(-max_total_time="$seconds" -rss_limit_mb=1024 -malloc_limit_mb=256 -timeout=10
        -print_final_stats=1 -artifact_prefix="$build/fuzz/findings/$t-")
  [ -f "$root/fuzz/$t.dict" ] && args+=(-dict="$root/fuzz/$t.dict")
  seeds=()
  [ -d "$root/fuzz/corpus/$t" ] && seeds+=("$root/fuzz/corpus/$t")
  log="$build/fuzz/logs/$t.log"
  echo "fuzzing $t for ${seconds}s"
  if "$build/fuzz/fuzz_$t" "${args[@]}" "$work" "${seeds[@]}" >"$log" 2>&1; then
    done_line=$(grep -a -o 'Done [0-9]* runs in [0-9]* second' "$log" | tail -n 1 || true)
    cov=$(grep -a -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1 || true)
    rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -n 1)
    corp=$(ls "$work" | wc -l)
    summary+=("$t: ${done_line:-Done ? runs}s, ${cov:-cov: ?}, corpus $corp, peak RSS ${rss:-?} MB")
  else
    failed+=("$t")
    summary+=("$t: FINDING (see $log)")
    echo "---- $t found a problem; the end of its log:" >&2
    tail -n 60 "$log" >&2
    ls "$build/fuzz/findings/$t-"* >&2 2>/dev/null || true
  fi
done

printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found problems in: ${failed[*]} (inputs in $build/fuzz/findings/)" >&2
  exit 1
fi
