#!/usr/bin/env bash
# Measures the Python module against its targets, side by side with the
# programs, in interleaved rounds (the machine is shared and noisy), and prints
# the table: median, min and max.
#   1. world.step(300) on the big world against lurkfield-text --turns 300:
#      processor time of each whole process (set-up, the turns, and Python's
#      start for the module), the two interleaved (target: at most 3 % more);
#   2. world.kinds() of the big world, the median of 50 calls in one process
#      (target: at most 2 ms).
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

[[ $do_build == 1 ]] && build_release . "$build" lurkfield-text lurkfield-python
text=$(realpath "$build/tools/lurkfield-text")
python=$(sed -n 's/^Python3_EXECUTABLE:FILEPATH=//p' "$build/CMakeCache.txt")
export PYTHONPATH
PYTHONPATH=$(realpath "$build/python")
results=$(realpath -m "$build/bench/results")
work="$results/python-work"
rm -rf "$work"
mkdir -p "$work"
bench/make-worlds.sh "$work" "$divisor"
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

{
  echo "| what | target | median | min .. max |"
  echo "|---|---|---|---|"
  stats_row "lurkfield-text --turns 300, big world (processor time)" "" "$text_cpu" s
  stats_row "world.step(300), big world, the whole Python process (processor time)" "" "$step_cpu" s
  awk -v a="${step_cpu%% *}" -v b="${text_cpu%% *}" \
    'BEGIN { printf "| world.step(300) against lurkfield-text (medians) | <= +3 %% | %+.1f %% | |\n", (a / b - 1) * 100 }'
  stats_row "world.kinds(), big world (median of 50 calls)" "<= 2 ms" "$kinds_ms" ms
} | tee "$results/python-table.md"
