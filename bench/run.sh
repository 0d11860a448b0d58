#!/usr/bin/env bash
# Measures Lurkfield against its speed and memory targets on this machine and
# prints the table: median, min and max over several rounds, since the machine
# is shared and noisy. With --baseline, a second build (of another revision) is
# measured in the same rounds, each benchmark and each run running in both builds
# one after the other, so that both columns see the same machine; the table
# shows both.
#   - the parts, with Google Benchmark (bench/lurkfield-bench), one repetition
#     per round, each benchmark in a fresh process;
#   - whole turns with the text front end: (processor time of --turns 30) - (that of
#     --turns 10), over 20, is the mean of turns 11 to 30, set-up and printing
#     cancel out; each run count is timed 2 x RUNS + 1 times and the medians are
#     subtracted, since one slow start would spoil a difference;
#   - peak memory of lurkfield-text --turns 100 on the big world (GNU time);
#   - the page faults (minor, GNU time) and the processor time of a fresh
#     lurkfield-text --turns 0 on the big world: its set-up, printing one frame.
# The set-up figure comes from fresh processes too: the first touch of every page
# of a new process costs extra on this machine.
# Usage: bench/run.sh [-r RUNS] [-b BUILD_DIR] [--no-build] [--check] [--small] [--baseline REV]
#   -r RUNS         rounds of every measurement (default 5)
#   -b BUILD_DIR    a Release build directory of its own (default build-bench)
#   --no-build      use the build directory as it is
#   --check         first prove that the benchmark worlds play the recorded game
#                   (a few turns of each, then 30 turns; see bench/*.sha256)
#   --small         the worlds shrunk by 5 per side, to try the script out quickly
#                   (the figures then say nothing about the targets)
#   --baseline REV  also measure revision REV (a git worktree of it is built in
#                   BUILD_DIR-baseline/), side by side with the working tree; of
#                   the benchmarks, REV runs those both builds have, and a row
#                   of one that REV lacks has empty cells for it
# Results (the raw figures and the table) go to BUILD_DIR/bench/results/.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=5 build=build-bench do_build=1 check=0 divisor=1 baseline=
while [[ $# -gt 0 ]]; do
  case $1 in
    -r) runs=$2; shift 2 ;;
    -b) build=$2; shift 2 ;;
    --no-build) do_build=0; shift ;;
    --check) check=1; shift ;;
    --small) divisor=5; shift ;;
    --baseline) baseline=$2; shift 2 ;;
    *) sed -n '2,/^set -euo/p' "$0" | sed '$d' >&2; exit 2 ;;
  esac
done
source bench/lib.sh

[[ $do_build == 1 ]] && build_release . "$build" lurkfield-text lurkfield-bench
builds=(this)
declare -A dir=([this]=$(realpath "$build"))
if [[ -n $baseline ]]; then
  base=$build-baseline
  if [[ ! -d $base/src ]]; then
    mkdir -p "$base"
    git worktree add --detach "$base/src" "$baseline" >/dev/null
  else
    git -C "$base/src" checkout -q --detach "$baseline"
  fi
  build_release "$base/src" "$base/build" lurkfield-text lurkfield-bench
  builds+=(baseline)
  dir[baseline]=$(realpath "$base/build")
fi

results="$build/bench/results"
worlds="$build/bench/worlds"
[[ $divisor != 1 ]] && worlds="$build/bench/small-worlds"
mkdir -p "$results" "$worlds"
rm -f "$results"/*.txt "$results"/*.turn
worlds=$(realpath "$worlds")
bench/make-worlds.sh "$worlds" "$divisor"
export LURKFIELD_WORLDS="$worlds"

if [[ $check == 1 && $divisor == 1 ]]; then
  for b in "${builds[@]}"; do
    tests/identity/check-trace.sh "${dir[$b]}/tools/lurkfield-text" bench/full-worlds.sha256 "$worlds"
    tests/identity/check-trace.sh "${dir[$b]}/tools/lurkfield-text" bench/long-worlds.sha256 "$worlds"
  done
fi

# record BUILD NAME VALUE: one figure of one round
file_of() { echo "$results/$1.${2//\//_}.txt"; }
record() { echo "$3" >>"$(file_of "$1" "$2")"; }
figure() { # BUILD NAME -> median min max, or "- - -" where the build has no such figure
  local file
  file=$(file_of "$1" "$2")
  if [[ -s $file ]]; then stats 3 <"$file"; else echo "- - -"; fi
}

# This build's benchmarks, in its order; a baseline runs those of them it has too,
# since the table shows this build's (a row of one that the baseline lacks stays empty).
benchmarks_of() { "${dir[$1]}/bench/lurkfield-bench" --benchmark_list_tests 2>/dev/null; }
benchmarks=$(benchmarks_of this)
[[ -n $baseline ]] && baseline_benchmarks=$(benchmarks_of baseline)

# One benchmark in a process of its own, as every program builds its one World in
# a fresh process (a world built where other worlds were freed lies differently
# in memory, and its turns differ by several per cent). The turns report their
# processor time as the counter cpu_ms (the last column).
bench_one() { # BUILD BENCHMARK
  "${dir[$1]}/bench/lurkfield-bench" --benchmark_filter="^${2}\$" --benchmark_format=csv 2>/dev/null |
    awk -F, 'NR > 1 { gsub(/"/, "", $1); sub(/\/iterations.*/, "", $1); print $1, $3, $NF }' |
    while read -r name wall cpu; do
      record "$1" "$name" "$wall"
      if [[ $name == *Turn* ]]; then record "$1" "$name.cpu" "$cpu"; fi
    done
}

# The builds in the order of a round, turned round every other round: the two
# figures of a round see the same moment of the machine, and no build always
# comes first.
builds_in_round() { # ROUND
  if (($1 % 2 == 1 && ${#builds[@]} == 2)); then echo baseline this; else echo "${builds[@]}"; fi
}

# One round of Google Benchmark: every benchmark in both builds one after the other.
bench_round() { # ROUND
  local name b
  for name in $benchmarks; do
    for b in $(builds_in_round "$1"); do
      [[ $b == baseline ]] && ! grep -qxF "$name" <<<"$baseline_benchmarks" && continue
      bench_one "$b" "$name"
    done
  done
}

# processor time of one run of lurkfield-text, in microseconds (a turn runs on one thread)
micros_of_run() { # BUILD WORLD TURNS
  cpu_micros "${dir[$1]}/tools/lurkfield-text" --config "$worlds/$2.config" --turns "$3"
}

echo "== Google Benchmark ($runs rounds: ${builds[*]})" >&2
for ((i = 0; i < runs; i++)); do bench_round "$i"; done

text_runs=$((2 * runs + 1))
echo "== Whole turns with lurkfield-text ($text_runs runs of each length)" >&2
for world in big huge deaf-and-far loud late; do
  for ((i = 0; i < text_runs; i++)); do
    for b in $(builds_in_round "$i"); do
      record "$b" "text-$world-10" "$(micros_of_run "$b" "$world" 10)"
      record "$b" "text-$world-30" "$(micros_of_run "$b" "$world" 30)"
    done
  done
  for b in "${builds[@]}"; do
    per_turn_ms "$(figure "$b" "text-$world-10")" "$(figure "$b" "text-$world-30")" >"$results/$b.text-$world.turn"
  done
done

echo "== Peak memory of lurkfield-text --turns 100 on the big world" >&2
for ((i = 0; i < runs; i++)); do
  for b in $(builds_in_round "$i"); do
    record "$b" memory "$(/usr/bin/time -f %M "${dir[$b]}/tools/lurkfield-text" \
      --config "$worlds/big.config" --turns 100 2>&1 >/dev/null | awk '{ print $1 / 1024 }')"
  done
done

echo "== Set-up of the big world in a fresh process: page faults and processor time" >&2
for ((i = 0; i < text_runs; i++)); do
  for b in $(builds_in_round "$i"); do
    read -r faults user system < <(/usr/bin/time -f "%R %U %S" "${dir[$b]}/tools/lurkfield-text" \
      --config "$worlds/big.config" --turns 0 2>&1 >/dev/null | tail -n1)
    record "$b" setup-faults "$faults"
    record "$b" setup-cpu "$(awk -v u="$user" -v s="$system" 'BEGIN { print (u + s) * 1000 }')"
  done
done

cell() { # "MEDIAN MIN MAX" UNIT: nothing for a figure the build has not ("- - -")
  read -r med lo hi <<<"$1"
  [[ $med == - ]] || printf '%s %s (%s .. %s)' "$med" "$2" "$lo" "$hi"
}
change() { # "THIS" "BASELINE": the medians' change in percent, nothing without both
  awk -v a="${1%% *}" -v b="${2%% *}" 'BEGIN {
    if (a == "-" || b == "-" || b + 0 == 0) print ""; else printf "%+.1f %%", (a - b) / b * 100 }'
}
source_figure() { # BUILD SOURCE: SOURCE is a figure name, or "text:WORLD"
  if [[ $2 == text:* ]]; then cat "$results/$1.text-${2#text:}.turn"; else figure "$1" "$2"; fi
}
row() { # WHAT TARGET UNIT SOURCE
  local what=$1 target=$2 unit=$3 name=$4 line this base
  this=$(source_figure this "$name")
  line="| $what | $target | $(cell "$this" "$unit") |"
  if [[ -n $baseline ]]; then
    base=$(source_figure baseline "$name")
    line+=" $(cell "$base" "$unit") | $(change "$this" "$base") |"
  fi
  echo "$line"
}

paint=BM_PaintBoard400x300In1600x1200WithASelectedPredator
{
  if [[ -n $baseline ]]; then
    echo "| what | target | this build: median (min .. max) | baseline $baseline | change |"
    echo "|---|---|---|---|---|"
  else
    echo "| what | target | median (min .. max) |"
    echo "|---|---|---|"
  fi
  row "one turn, big world" "<= 15 ms" ms BM_Turns11To30/big
  row "one turn, big world, processor time" "<= 15 ms" ms BM_Turns11To30/big.cpu
  row "one turn, big world (lurkfield-text, processor time)" "<= 15 ms" ms text:big
  row "turn 1 of the big world" "<= 50 ms" ms BM_Turn1/big
  row "one turn, huge world" "<= 6 x big" ms BM_Turns11To30/huge
  row "one turn, huge world (lurkfield-text, processor time)" "<= 6 x big" ms text:huge
  row "one turn, deaf-and-far" "<= 40 ms" ms BM_Turns11To30/deaf_and_far
  row "one turn, deaf-and-far (lurkfield-text, processor time)" "<= 40 ms" ms text:deaf-and-far
  row "one turn, loud" "<= 25 ms" ms BM_Turns11To30/loud
  row "one turn, loud (lurkfield-text, processor time)" "<= 25 ms" ms text:loud
  row "one turn, late (100 prey, 5,000 predators)" "<= big / 4" ms BM_Turns11To30/late.cpu
  row "one turn, late (lurkfield-text, processor time)" "<= big / 4" ms text:late
  row "mean turn of turns 1 to 300, big world" "" ms BM_Turns1To300/big.cpu
  row "set-up of the big world, fresh process" "<= 70 ms" ms BM_SetUpBigWorld
  row "set-up of the big world, page faults (lurkfield-text --turns 0)" "" faults setup-faults
  row "set-up of the big world, processor time (lurkfield-text --turns 0)" "" ms setup-cpu
  [[ -s $(file_of this "$paint") ]] &&
    row "paint, 400 x 300 board, 1600 x 1200 client, predator of sight 10 selected" "<= 3 ms" ms "$paint"
  row "peak memory, lurkfield-text --turns 100, big world" "<= 75 MB" MiB memory
  row "Config::getInt of a present key" "<= 15 ns" ns BM_ConfigGetIntOfAPresentKey
} | tee "$results/table.md"
huge=$(figure this BM_Turns11To30/huge) big=$(figure this BM_Turns11To30/big)
awk -v h="${huge%% *}" -v b="${big%% *}" 'BEGIN { printf "huge / big, medians: %.2f (target <= 6)\n", h / b }' |
  tee -a "$results/table.md"
ratio_of_text() { # BUILD: huge / big of lurkfield-text's processor time per turn
  awk -v h="$(cut -d' ' -f1 "$results/$1.text-huge.turn")" -v b="$(cut -d' ' -f1 "$results/$1.text-big.turn")" \
    'BEGIN { printf "%.2f", h / b }'
}
for b in "${builds[@]}"; do
  echo "huge / big, lurkfield-text processor time, medians ($b): $(ratio_of_text "$b") (target <= 4.5)"
done | tee -a "$results/table.md"
late=$(figure this BM_Turns11To30/late.cpu) bigcpu=$(figure this BM_Turns11To30/big.cpu)
awk -v l="${late%% *}" -v b="${bigcpu%% *}" 'BEGIN { printf "late / big, processor time medians: %.2f (target <= 0.25)\n", l / b }' |
  tee -a "$results/table.md"
