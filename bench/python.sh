#!/usr/bin/env bash
# Measures the Python module against its targets, side by side with the
# programs, in interleaved rounds (the machine is shared and noisy), and prints
# the table: median, min and max.
#   1. world.step(300) on the big world against lurkfield-text --turns 300:
#      processor time of each whole process (set-up, the turns, and Python's
#      start for the module), the two interleaved (target: at most 3 % more);
#   2. world.kinds() of the big world, the median of 50 calls in one process
#      (target: at most 2 ms);
#   3. bench/sweep.sh's sweep, four runs of the big world x 30 turns, with
#      --jobs 1 and 2: the wall clock of lurkfield.sweep in an interpreter that
#      has imported pandas (a notebook's) against the whole lurkfield-sweep
#      with its table file, interleaved (target: at most 5 % more), and the
#      processor time of each with its workers, steadier on a busy machine.
# Usage: bench/python.sh [-r RUNS] [-b BUILD_DIR] [--no-build] [--small]
#   -r RUNS      rounds (default 5)
#   -b BUILD_DIR a Release build directory of its own (default build-bench)
#   --no-build   use the build directory as it is
#   --small      the big world shrunk by 5 per side, to try the script out quickly
# Results go to BUILD_DIR/bench/results/python-*.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=5 build=build-bench do_build=1 divisor=1
while [[ $# -gt 0 ]]; do
  case $1 in
    -r) runs=$2; shift 2 ;;
    -b) build=$2; shift 2 ;;
    --no-build) do_build=0; shift ;;
    --small) divisor=5; shift ;;
    *) sed -n '2,/^set -euo/p' "$0" | sed '$d' >&2; exit 2 ;;
  esac
done
source bench/lib.sh

[[ $do_build == 1 ]] && build_release . "$build" lurkfield-text lurkfield-sweep lurkfield-python
text=$(realpath "$build/tools/lurkfield-text")
sweep=$(realpath "$build/tools/lurkfield-sweep")
python=$(sed -n 's/^Python3_EXECUTABLE:FILEPATH=//p' "$build/CMakeCache.txt")
export PYTHONPATH
PYTHONPATH=$(realpath "$build/python")
results=$(realpath -m "$build/bench/results")
work="$results/python-work"
fresh_worlds "$work" "$divisor"
cd "$work"

echo "== 1. 300 turns of the big world: world.step against lurkfield-text ($runs rounds)" >&2
for ((i = 0; i < runs; i++)); do
  echo "text $(cpu_seconds "$text" --config big.config --turns 300)"
  echo "step $(cpu_seconds "$python" -c 'import lurkfield; lurkfield.World("big.config").step(300)')"
done >"$results/python-step.txt"
text_cpu=$(awk '$1 == "text" { print $2 }' "$results/python-step.txt" | stats 4)
step_cpu=$(awk '$1 == "step" { print $2 }' "$results/python-step.txt" | stats 4)

echo "== 2. world.kinds() of the big world ($runs rounds of 50 calls)" >&2
for ((i = 0; i < runs; i++)); do
  "$python" -c '
import statistics, time, lurkfield
world = lurkfield.World("big.config")
world.step(10)
times = []
for _ in range(50):
    start = time.perf_counter()
    world.kinds()
    times.append(time.perf_counter() - start)
print(statistics.median(times) * 1000)'
done >"$results/python-kinds.txt"
kinds_ms=$(stats 3 <"$results/python-kinds.txt")

echo "== 3. four runs of the big world x 30 turns: lurkfield.sweep against lurkfield-sweep ($runs rounds)" >&2
for ((i = 0; i < runs; i++)); do
  for jobs in 1 2; do
    echo "program$jobs $(/usr/bin/time -f "%e %U %S" "$sweep" --config big.config --reps 4 --turns 30 \
      --jobs "$jobs" --quiet --table jobs.csv 2>&1 >/dev/null | tail -1)"
    echo "module$jobs $("$python" -c '
import resource, sys, time, pandas, lurkfield
def processor():
    return sum(r.ru_utime + r.ru_stime for r in
               (resource.getrusage(resource.RUSAGE_SELF), resource.getrusage(resource.RUSAGE_CHILDREN)))
start, used = time.perf_counter(), processor()
lurkfield.sweep("big.config", reps=4, turns=30, jobs=int(sys.argv[1]), progress=False)
print(time.perf_counter() - start, processor() - used, 0)' "$jobs")"
  done
done >"$results/python-sweep.txt"
for name in program1 module1 program2 module2; do
  declare "sweep_$name=$(awk -v n=$name '$1 == n { print $2 }' "$results/python-sweep.txt" | stats 3)"
  declare "sweep_cpu_$name=$(awk -v n=$name '$1 == n { print $3 + $4 }' "$results/python-sweep.txt" | stats 3)"
done

{
  echo "| what | target | median | min .. max |"
  echo "|---|---|---|---|"
  stats_row "lurkfield-text --turns 300, big world (processor time)" "" "$text_cpu" s
  stats_row "world.step(300), big world, the whole Python process (processor time)" "" "$step_cpu" s
  awk -v a="${step_cpu%% *}" -v b="${text_cpu%% *}" \
    'BEGIN { printf "| world.step(300) against lurkfield-text (medians) | <= +3 %% | %+.1f %% | |\n", (a / b - 1) * 100 }'
  stats_row "world.kinds(), big world (median of 50 calls)" "<= 2 ms" "$kinds_ms" ms
  for jobs in 1 2; do
    for clock in "" cpu_; do
      program=sweep_${clock}program$jobs module=sweep_${clock}module$jobs
      what=$([[ -z $clock ]] && echo "wall clock" || echo "processor time with the workers")
      stats_row "lurkfield-sweep, 4 runs of the big world x 30 turns, --jobs $jobs ($what)" "" "${!program}" s
      stats_row "lurkfield.sweep of the same, jobs=$jobs (the call's $what)" "" "${!module}" s
      awk -v a="${!module%% *}" -v b="${!program%% *}" -v j=$jobs -v w="$what" \
        'BEGIN { printf "| lurkfield.sweep against lurkfield-sweep, jobs %d, %s (medians) | <= +5 %% | %+.1f %% | |\n", j, w, (a / b - 1) * 100 }'
    done
  done
} | tee "$results/python-table.md"
