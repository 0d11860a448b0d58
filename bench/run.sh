#!/usr/bin/env bash
# Measures Lurkfield against its speed and memory targets on this machine and
# prints the table: median, min and max over several runs, since the machine is
# shared and noisy.
#   - the parts, with Google Benchmark (bench/lurkfield-bench);
#   - whole turns with the text front end: (processor time of --turns 30) - (that of
#     --turns 10), over 20, is the mean of turns 11 to 30, set-up and printing
#     cancel out; each run count is timed 2 x RUNS + 1 times, interleaved, and
#     the medians are subtracted, since one slow start would spoil a difference;
#   - the set-up of the big world once more, each time in a fresh process: the
#     first touch of every page of a new process costs extra on this machine,
#     and the benchmark's repetitions reuse the pages of the one before;
#   - peak memory of lurkfield-text --turns 100 on the big world (GNU time).
# Usage: bench/run.sh [-r RUNS] [-b BUILD_DIR] [--no-build] [--check] [--small]
#   -r RUNS      repetitions of every measurement (default 5)
#   -b BUILD_DIR a Release build directory of its own (default build-bench)
#   --no-build   use the build directory as it is
#   --check      first prove that the benchmark worlds play the recorded game
#                (a few turns of each, then 30 turns; see bench/*.sha256)
#   --small      the worlds shrunk by 5 per side, to try the script out quickly
#                (the figures then say nothing about the targets)
# Results (the benchmark's CSV and the table) go to BUILD_DIR/bench/results/.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=5 build=build-bench do_build=1 check=0 divisor=1
while [[ $# -gt 0 ]]; do
  case $1 in
    -r) runs=$2; shift 2 ;;
    -b) build=$2; shift 2 ;;
    --no-build) do_build=0; shift ;;
    --check) check=1; shift ;;
    --small) divisor=5; shift ;;
    *) sed -n '2,/^set -euo/p' "$0" | sed '$d' >&2; exit 2 ;;
  esac
done

# Google Benchmark reports median, min and max only for two repetitions or more.
(( runs < 2 )) && runs=2

if [[ $do_build == 1 ]]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLURKFIELD_BENCH=ON >/dev/null
  cmake --build "$build" -j2 --target lurkfield-text lurkfield-bench >/dev/null
fi
text=$(realpath "$build/tools/lurkfield-text")
bench=$(realpath "$build/bench/lurkfield-bench")
worlds="$build/bench/worlds"
[[ $divisor != 1 ]] && worlds="$build/bench/small-worlds"
results="$build/bench/results"
mkdir -p "$results" "$worlds"
worlds=$(realpath "$worlds")
bench/make-worlds.sh "$worlds" "$divisor"
export LURKFIELD_WORLDS="$worlds"

if [[ $check == 1 && $divisor == 1 ]]; then
  tests/identity/check-trace.sh "$text" bench/full-worlds.sha256 "$worlds"
  tests/identity/check-trace.sh "$text" bench/long-worlds.sha256 "$worlds"
fi

# median min max of the numbers on standard input, one per line
stats() { sort -g | awk '{ v[NR] = $1 } END {
  m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
  printf "%.3g %.3g %.3g\n", m, v[1], v[NR] }'; }

# processor time (user + system) of one run of lurkfield-text, in microseconds;
# steadier than the wall clock on a shared machine, and a turn runs on one thread
micros_of_run() { # WORLD TURNS
  /usr/bin/time -f "%U %S" "$text" --config "$worlds/$1.config" --turns "$2" 2>&1 >/dev/null |
    awk '{ printf "%d\n", ($1 + $2) * 1000000 }'
}

echo "== Google Benchmark ($runs repetitions)" >&2
# Two runs, because the CSV report wants the same counters in every row: the turns
# report their processor time as a counter, the other parts have none.
for part in turns others; do
  filter=Turn
  [[ $part == others ]] && filter=-Turn
  "$bench" --benchmark_filter="$filter" --benchmark_repetitions="$runs" \
    --benchmark_report_aggregates_only=true \
    --benchmark_out="$results/bench-$part.csv" --benchmark_out_format=csv >&2
done
cat "$results/bench-turns.csv" "$results/bench-others.csv" >"$results/bench.csv"

# bench_cpu NAME: median processor time per turn of a turn benchmark (counter cpu_ms)
bench_cpu() {
  awk -F, -v n="$1" '$1 == "\"" n "_median\"" { printf "%.3g ms", $NF }' "$results/bench-turns.csv"
}

# bench_stat NAME: median min max of one benchmark, in its own unit
bench_stat() {
  awk -F, -v n="$1" '
    $1 == "\"" n "_median\"" { med = $3; unit = $5 } $1 == "\"" n "_min\"" { lo = $3 }
    $1 == "\"" n "_max\"" { hi = $3 }
    END { printf "%.3g %.3g %.3g\n", med, lo, hi }' "$results/bench.csv"
}

text_runs=$((2 * runs + 1))
echo "== Whole turns with lurkfield-text ($text_runs runs of each length)" >&2
declare -A text_turn
for world in big huge deaf-and-far loud; do
  for ((i = 0; i < text_runs; i++)); do
    echo "10 $(micros_of_run "$world" 10)"
    echo "30 $(micros_of_run "$world" 30)"
  done >"$results/text-$world-runs.txt"
  t10=$(awk '$1 == 10 { print $2 }' "$results/text-$world-runs.txt" | stats)
  t30=$(awk '$1 == 30 { print $2 }' "$results/text-$world-runs.txt" | stats)
  # median of (30 turns) - median of (10 turns); the range pairs the extremes.
  text_turn[$world]=$(awk -v a="$t10" -v b="$t30" 'BEGIN {
    split(a, p, " "); split(b, q, " ")
    printf "%.3g %.3g %.3g\n", (q[1] - p[1]) / 20000, (q[2] - p[3]) / 20000, (q[3] - p[2]) / 20000 }')
  echo "${text_turn[$world]}" >"$results/text-$world.txt"
  echo "  $world: ${text_turn[$world]} ms (median min max)" >&2
done

echo "== Set-up of the big world in fresh processes ($text_runs runs)" >&2
for ((i = 0; i < text_runs; i++)); do
  "$bench" --benchmark_filter=BM_SetUpBigWorld --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /BM_SetUpBigWorld/ { print $3 }'
done | stats >"$results/setup-fresh.txt"

echo "== Peak memory of lurkfield-text --turns 100 on the big world" >&2
for ((i = 0; i < runs; i++)); do
  /usr/bin/time -f %M "$text" --config "$worlds/big.config" --turns 100 2>&1 >/dev/null |
    awk '{ print $1 / 1024 }'
done | stats >"$results/memory.txt"

manual=iterations:1/manual_time
row() { # WHAT TARGET "MEDIAN MIN MAX" UNIT [PROCESSOR TIME]
  read -r med lo hi <<<"$3"
  printf '| %s | %s | %s %s | %s .. %s | %s |\n' "$1" "$2" "$med" "$4" "$lo" "$hi" "${5:-}"
}
big=$(bench_stat "BM_Turns11To30/big/$manual")
huge=$(bench_stat "BM_Turns11To30/huge/$manual")
{
  echo "| what | target | median | min .. max | processor time (median) |"
  echo "|---|---|---|---|---|"
  row "one turn, big world" "<= 15 ms" "$big" ms "$(bench_cpu "BM_Turns11To30/big/$manual")"
  row "one turn, big world (lurkfield-text, processor time)" "<= 15 ms" "${text_turn[big]}" ms
  row "turn 1 of the big world" "<= 50 ms" "$(bench_stat "BM_Turn1/big/$manual")" ms \
    "$(bench_cpu "BM_Turn1/big/$manual")"
  row "one turn, huge world" "<= 6 x big" "$huge" ms "$(bench_cpu "BM_Turns11To30/huge/$manual")"
  row "one turn, huge world (lurkfield-text, processor time)" "<= 6 x big" "${text_turn[huge]}" ms
  printf '| huge / big, medians of the same run | <= 6 | %.2f | | |\n' \
    "$(awk -v h="${huge%% *}" -v b="${big%% *}" 'BEGIN { print h / b }')"
  row "one turn, deaf-and-far" "<= 40 ms" "$(bench_stat "BM_Turns11To30/deaf_and_far/$manual")" ms \
    "$(bench_cpu "BM_Turns11To30/deaf_and_far/$manual")"
  row "one turn, deaf-and-far (lurkfield-text, processor time)" "<= 40 ms" "${text_turn[deaf-and-far]}" ms
  row "one turn, loud" "<= 25 ms" "$(bench_stat "BM_Turns11To30/loud/$manual")" ms \
    "$(bench_cpu "BM_Turns11To30/loud/$manual")"
  row "one turn, loud (lurkfield-text, processor time)" "<= 25 ms" "${text_turn[loud]}" ms
  row "set-up of the big world" "<= 70 ms" "$(bench_stat "BM_SetUpBigWorld/$manual")" ms
  row "set-up of the big world, fresh process" "<= 70 ms" "$(cat "$results/setup-fresh.txt")" ms
  paint=BM_PaintBoard400x300In1600x1200WithASelectedPredator
  if grep -q "$paint" "$results/bench.csv"; then
    row "paint, 400 x 300 board, 1600 x 1200 client, predator of sight 10 selected" "<= 3 ms" \
      "$(bench_stat "$paint")" ms
  fi
  row "peak memory, lurkfield-text --turns 100, big world" "<= 75 MB" "$(cat "$results/memory.txt")" MiB
  row "Config::getInt of a present key" "<= 15 ns" "$(bench_stat BM_ConfigGetIntOfAPresentKey)" ns
} | tee "$results/table.md"
