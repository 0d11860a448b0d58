#!/usr/bin/env bash
# Measures lurkfield-sweep against its targets, side by side in one run, and
# prints the table: median, min and max over several runs, since the machine is
# shared and noisy.
#   1. four runs of the big world x 30 turns with --jobs 2 against --jobs 1:
#      wall clock of the whole sweep, the two interleaved; the speed-up is the
#      ratio of the medians (target: at least 1.8 on a 2-core machine);
#   2. a run inside a sweep against lurkfield-text --turns N on the same world
#      (the big world, N = 100): processor time of each program with all its
#      processes (GNU time counts the workers the sweep waited for), the three
#      interleaved. The sweep records turns 0 and N (--every N), what the text
#      front end prints; the default --every 1 records the census of every
#      turn as well (the grid keeps the counts, nothing is walked), which is
#      shown too (target: at most 5 % slower);
#   3. the sweep's own peak memory (not its workers') over 2,000 runs of the
#      40 x 30 sample world x 1,000 turns with --jobs 2, as the sweep records it
#      in the table's .json (getrusage), checked against /proc's VmHWM sampled
#      while it runs (target: at most 50 MB).
# Usage: bench/sweep.sh [-r RUNS] [-b BUILD_DIR] [--no-build] [--small]
#   -r RUNS      repetitions of measurements 1 and 2 (default 5)
#   -b BUILD_DIR a Release build directory of its own (default build-bench)
#   --no-build   use the build directory as it is
#   --small      the big world shrunk by 5 per side and 200 runs for the memory,
#                to try the script out quickly (the figures then say nothing)
# Results go to BUILD_DIR/bench/results/sweep-*.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=5 build=build-bench do_build=1 divisor=1 memory_runs=2000
while [[ $# -gt 0 ]]; do
  case $1 in
    -r) runs=$2; shift 2 ;;
    -b) build=$2; shift 2 ;;
    --no-build) do_build=0; shift ;;
    --small) divisor=5; memory_runs=200; shift ;;
    *) sed -n '2,/^set -euo/p' "$0" | sed '$d' >&2; exit 2 ;;
  esac
done
source bench/lib.sh

[[ $do_build == 1 ]] && build_release . "$build" lurkfield-text lurkfield-sweep
text=$(realpath "$build/tools/lurkfield-text")
sweep=$(realpath "$build/tools/lurkfield-sweep")
results=$(realpath -m "$build/bench/results")
work="$results/sweep-work"
fresh_worlds "$work" "$divisor"
cp lurkfield.config "$work/sample.config"
cd "$work"

# seconds of wall clock
wall_of() { /usr/bin/time -f %e "$@" 2>&1 >/dev/null | tail -1; }

echo "== 1. four runs of the big world x 30 turns, --jobs 1 and --jobs 2 ($runs runs each)" >&2
for ((i = 0; i < runs; i++)); do
  for jobs in 1 2; do
    echo "$jobs $(wall_of "$sweep" --config big.config --reps 4 --turns 30 --jobs "$jobs" --quiet --table jobs.csv)"
  done
done >"$results/sweep-jobs.txt"
cmp -s jobs.csv <("$sweep" --config big.config --reps 4 --turns 30 --jobs 1 --quiet) ||
  { echo "the tables of --jobs 1 and --jobs 2 differ" >&2; exit 1; }
jobs1=$(awk '$1 == 1 { print $2 }' "$results/sweep-jobs.txt" | stats 4)
jobs2=$(awk '$1 == 2 { print $2 }' "$results/sweep-jobs.txt" | stats 4)

echo "== 2. one run of the big world x 100 turns: sweep against lurkfield-text ($runs runs each)" >&2
for ((i = 0; i < runs; i++)); do
  echo "text $(cpu_seconds "$text" --config big.config --turns 100)"
  echo "sparse $(cpu_seconds "$sweep" --config big.config --turns 100 --every 100 --jobs 1 --quiet)"
  echo "every $(cpu_seconds "$sweep" --config big.config --turns 100 --jobs 1 --quiet)"
done >"$results/sweep-run.txt"
text_cpu=$(awk '$1 == "text" { print $2 }' "$results/sweep-run.txt" | stats 4)
sparse_cpu=$(awk '$1 == "sparse" { print $2 }' "$results/sweep-run.txt" | stats 4)
every_cpu=$(awk '$1 == "every" { print $2 }' "$results/sweep-run.txt" | stats 4)

echo "== 3. the sweep's peak memory over $memory_runs runs of the sample world x 1,000 turns" >&2
"$sweep" --config sample.config --reps "$memory_runs" --turns 1000 --jobs 2 --quiet \
  --table memory.csv --summary memory-summary.csv &
pid=$!
hwm=0
while kill -0 "$pid" 2>/dev/null; do
  now=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0)
  [[ -n $now && $now -gt $hwm ]] && hwm=$now
  sleep 0.2
done
wait "$pid"
recorded=$(sed -n 's/.*"peak_memory_kilobytes": \([0-9]*\).*/\1/p' memory.csv.json)
rows=$(($(wc -l <memory.csv) - 1))
table_mb=$(du -m memory.csv | cut -f1)
rm -f memory.csv

ratio() { awk -v a="${1%% *}" -v b="${2%% *}" "BEGIN { printf \"%.3g\", $3 }"; }
{
  echo "| what | target | median | min .. max |"
  echo "|---|---|---|---|"
  stats_row "4 runs of the big world x 30 turns, --jobs 1 (wall clock)" "" "$jobs1" s
  stats_row "4 runs of the big world x 30 turns, --jobs 2 (wall clock)" "" "$jobs2" s
  printf '| speed-up of --jobs 2 over --jobs 1 (ratio of the medians) | >= 1.8 | %s | |\n' \
    "$(ratio "$jobs1" "$jobs2" "a / b")"
  stats_row "lurkfield-text --turns 100, big world (processor time)" "" "$text_cpu" s
  stats_row "lurkfield-sweep, one run x 100 turns, --every 100 (processor time)" "" "$sparse_cpu" s
  printf '| the run in the sweep against lurkfield-text (medians) | <= +5 %% | %+.1f %% | |\n' \
    "$(ratio "$sparse_cpu" "$text_cpu" "(a / b - 1) * 100")"
  stats_row "lurkfield-sweep, one run x 100 turns, --every 1 (processor time)" "" "$every_cpu" s
  printf '| the same with every turn counted, against lurkfield-text | | %+.1f %% | |\n' \
    "$(ratio "$every_cpu" "$text_cpu" "(a / b - 1) * 100")"
  printf '| the sweep'"'"'s peak memory, %s runs x 1,000 turns, --jobs 2 (getrusage) | <= 50 MB | %.1f MB | VmHWM sampled: %.1f MB |\n' \
    "$memory_runs" "$(awk -v k="$recorded" 'BEGIN { print k / 1024 }')" "$(awk -v k="$hwm" 'BEGIN { print k / 1024 }')"
  echo "| (that sweep wrote $rows rows, $table_mb MB of table) | | | |"
} | tee "$results/sweep-table.md"
