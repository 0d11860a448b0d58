#!/usr/bin/env bash
# Fuzzing: builds the libFuzzer targets of fuzz/ with clang (build-fuzz/) and
# runs each for a bounded time from the seeds in fuzz/corpus/, both at once.
# Any crash, sanitizer report, mismatch with the second settings reader, leak
# or slow input fails the stage; the input that did it is left in
# build-fuzz/findings/. Quiet on success; prints the fuzzer's log on failure.
set -euo pipefail
cd "$(dirname "$0")/../.."
started=$SECONDS
dir=build-fuzz
seconds=${LURKFIELD_FUZZ_SECONDS:-30}
mkdir -p "$dir"
log=$dir/stage.log

fail() {
  echo "fuzz stage FAILED: $1 (log: $2)"
  tail -n 60 "$2"
  exit 1
}

{
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DLURKFIELD_FUZZ=ON -DLURKFIELD_SANITIZE=ON -DLURKFIELD_TESTS=OFF -DLURKFIELD_BENCH=OFF
  cmake --build "$dir" -j2 --target fuzz-config-reader fuzz-world
} >"$log" 2>&1 || fail "build" "$log"

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
rm -rf "$dir/findings" "$dir/corpus"
mkdir -p "$dir/findings"
pids=()
for target in config_reader world; do
  # New inputs go to a scratch corpus; the seeds in the repository stay as they are.
  mkdir -p "$dir/corpus/$target"
  "$dir/fuzz/fuzz-${target//_/-}" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -max_len=4096 -print_final_stats=1 -artifact_prefix="$dir/findings/$target-" \
    "$dir/corpus/$target" "fuzz/corpus/$target" >"$dir/$target.log" 2>&1 &
  pids+=($!)
done
status=0
for i in 0 1; do
  target=$([[ $i == 0 ]] && echo config_reader || echo world)
  if ! wait "${pids[$i]}"; then
    status=1
    echo "fuzz stage FAILED: fuzz-${target//_/-} (log: $dir/$target.log)"
    tail -n 60 "$dir/$target.log"
  fi
done
[[ $status == 0 ]] || exit 1
runs() { grep -Eo 'stat::number_of_executed_units: [0-9]+' "$dir/$1.log" | grep -Eo '[0-9]+$'; }
echo "fuzz stage: config reader $(runs config_reader) inputs, world $(runs world) inputs," \
  "${seconds} s each, $((SECONDS - started)) s in all"
