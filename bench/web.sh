#!/usr/bin/env bash
# Measures the web build against its targets on this machine and prints the table:
#   - a turn of the big world (mean of turns 11 to 30) with the text front end under
#     node against the native one, in processor time, from the medians of interleaved
#     runs of --turns 10 and --turns 30 (as bench/run.sh does), in the same run;
#   - the site's size, uncompressed;
#   - in Chromium, served on 127.0.0.1: load to first painted board, space to
#     repainted board and Play at the fastest on the sample world, and an experiment of
#     20 runs x 300 turns of a 200 x 200 world (4,000 prey, 400 predators) on the page's
#     workers (one per core) against lurkfield-sweep --jobs 2 with the same options
#     (wall clock, medians of interleaved runs), and the board's history: any turn of the
#     sample world's first 10,000, Back at turn 1,000 of the 200 x 200 world
#     (bench/web_page_timing.js).
# Usage: bench/web.sh [-r RUNS] [-w WEB_DIR] [-b BENCH_DIR] [--no-build]
#   -r RUNS      runs of each measurement (default 5)
#   -w WEB_DIR   the web build (default build-web, made by scripts/build-web.sh)
#   -b BENCH_DIR the native Release build (default build-bench, as bench/run.sh)
#   --no-build   use both builds as they are
set -euo pipefail
cd "$(dirname "$0")/.."

runs=5 web=build-web build=build-bench do_build=1
while [[ $# -gt 0 ]]; do
  case $1 in
    -r) runs=$2; shift 2 ;;
    -w) web=$2; shift 2 ;;
    -b) build=$2; shift 2 ;;
    --no-build) do_build=0; shift ;;
    *) sed -n '2,/^set -euo/p' "$0" | sed '$d' >&2; exit 2 ;;
  esac
done
source bench/lib.sh
source scripts/lib/web.sh

if [[ $do_build == 1 ]]; then
  scripts/build-web.sh "$web" >/dev/null
  build_release . "$build" lurkfield-text lurkfield-sweep
fi
native=$(realpath "$build/tools/lurkfield-text")
native_sweep=$(realpath "$build/tools/lurkfield-sweep")
node_text=$(realpath "$web/tools/lurkfield-text.js")
worlds=$(realpath -m "$build/bench/worlds")
mkdir -p "$worlds"
bench/make-worlds.sh "$worlds" 1

results=$web/bench
mkdir -p "$results"
text_runs=$((2 * runs + 1))
echo "== big world, turns 11 to 30: native and node, $text_runs interleaved runs of each length" >&2
for ((i = 0; i < text_runs; i++)); do
  for turns in 10 30; do
    echo "native $turns $(cpu_micros "$native" --config "$worlds/big.config" --turns "$turns")"
    echo "node $turns $(cpu_micros node "$node_text" --config "$worlds/big.config" --turns "$turns")"
  done
done >"$results/turns.txt"
turn_ms() { # PROGRAM: median (30 turns) - median (10 turns), per turn, in ms
  local t10 t30
  t10=$(awk -v p="$1" '$1 == p && $2 == 10 { print $3 }' "$results/turns.txt" | stats 3)
  t30=$(awk -v p="$1" '$1 == p && $2 == 30 { print $3 }' "$results/turns.txt" | stats 3)
  per_turn_ms "$t10" "$t30" '%.1f\n'
}
native_ms=$(turn_ms native)
node_ms=$(turn_ms node)

site_bytes=$(du -cb "$web"/site/* | tail -n1 | cut -f1)

experiment="--set grid.x=200 --set grid.y=200 --set prey.number=4000 --set predator.number=400 --reps 20 --turns 300"
echo "== the experiment natively: lurkfield-sweep --jobs 2 $experiment, $runs runs" >&2
for ((i = 0; i < runs; i++)); do
  # shellcheck disable=SC2086 # the options are words
  /usr/bin/time -f %e "$native_sweep" --config lurkfield.config $experiment --jobs 2 --quiet \
    2>&1 >/dev/null | tail -1
done >"$results/experiment-native.txt"
native_experiment=$(stats 3 <"$results/experiment-native.txt" | cut -d" " -f1)

echo "== the page in Chromium, $runs loads with 20 turns each" >&2
# playwright-core, as the web stage installs it (tests/web/package-lock.json).
: >"$results/npm.log"
npm_ci_locked tests/web "$web/npm-tests" "$results/npm.log" ||
  { cat "$results/npm.log" >&2; echo "npm ci of the page tests' packages failed" >&2; exit 1; }
server_pid=
trap '[[ -z $server_pid ]] || kill "$server_pid" 2>/dev/null' EXIT
serve_site "$web/site" "$results/server.log" || { echo "the site's server did not start" >&2; exit 1; }
NODE_PATH=$(realpath "$web/npm-tests/node_modules") node bench/web_page_timing.js "$site_url" "$runs" "$experiment" >"$results/page.txt"
page() { awk -v n="$1" '$1 == n { printf "%s ms (%s .. %s)", $2, $3, $4 }' "$results/page.txt"; }

{
  echo "| what | target | measured |"
  echo "|---|---|---|"
  echo "| big world, node text front end, turns 11-30, against native in the same run | at most 2 x |" \
       "$(awk -v a="$node_ms" -v b="$native_ms" 'BEGIN { printf "%.2f x (%s ms against %s ms a turn)", a / b, a, b }') |"
  echo "| sample world in the page: space to repainted board | at most 16 ms |" \
       "$(page space-to-repainted-board); on screen at the next frame: $(page space-to-shown-frame) |"
  echo "| Play at the fastest, sample world (turns a second) | at least 60 |" \
       "$(awk '$1 == "play-turns-per-second" { printf "%s (%s .. %s)", $2, $3, $4 }' "$results/page.txt") |"
  echo "| experiment, 20 runs x 300 turns, 200 x 200, page workers against lurkfield-sweep --jobs 2 | at most 2 x |" \
       "$(awk -v n="$native_experiment" '$1 == "experiment-seconds" { printf "%.2f x (%s s against %s s)", $2 / n, $2, n }' "$results/page.txt") |"
  echo "| the site (html, js, wasm, chart; uncompressed) | at most 600 KB |" \
       "$((site_bytes / 1024)) KB ($site_bytes bytes) |"
  echo "| load to first painted board, served on localhost | at most 1 s | $(page load-to-first-board) |"
  echo "| history: any turn of the sample world's first 10,000 (40 at random; the slowest in brackets) | at most 50 ms |" \
       "$(page history-any-turn) |"
  echo "| history: Back at turn 1,000, 200 x 200, 4,000 prey, 400 predators | at most 150 ms |" \
       "$(page history-back-at-1000) |"
} | tee "$results/table.md"
