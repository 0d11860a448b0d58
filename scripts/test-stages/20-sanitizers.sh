#!/usr/bin/env bash
# The whole suite again, built with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer (build-asan/): any memory fault, leak or undefined
# behaviour stops the run. The suite includes the soak of random configuration
# files (tests/robustness/soak). Quiet on success; prints the log on failure.
set -euo pipefail
cd "$(dirname "$0")/../.."
started=$SECONDS
dir=build-asan
log=$dir/stage.log
mkdir -p "$dir"

fail() {
  echo "sanitizer stage FAILED: $1 (log: $log)"
  tail -n 80 "$log"
  exit 1
}

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=exitcode=23

{
  # -O1 with line tables: what the sanitizers recommend, and quicker to build than -O2 -g.
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g1" \
    -DCMAKE_CXX_COMPILER=clang++-14 -DLURKFIELD_SANITIZE=ON -DLURKFIELD_TESTS=ON \
    -DLURKFIELD_BENCH=OFF -DLURKFIELD_FUZZ=OFF
} >"$log" 2>&1 || fail "configure"
cmake --build "$dir" -j2 >>"$log" 2>&1 || fail "build"
ctest --test-dir "$dir" -j2 --output-on-failure >>"$log" 2>&1 || fail "tests"
echo "sanitizer stage: $(grep -Eo '[0-9]+ tests passed|[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1), $((SECONDS - started)) s"
