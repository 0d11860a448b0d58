# shellcheck shell=bash
# Helpers of the benchmark scripts (bench/run.sh, bench/sweep.sh, bench/web.sh),
# sourced from the project's root.

# build_release SOURCE_DIR BUILD_DIR TARGET...: a Release build of its own, with
# the benchmarks and without the tests, of the named targets; quiet.
build_release() {
  local source=$1 build=$2
  shift 2
  cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLURKFIELD_BENCH=ON -DLURKFIELD_TESTS=OFF >/dev/null
  cmake --build "$build" -j2 --target "$@" >/dev/null
}

# stats DIGITS: "median min max" of the numbers on standard input, one per line,
# to DIGITS significant digits; "- - -" when there are none.
stats() {
  sort -g | awk -v digits="$1" '{ v[NR] = $1 } END {
    if (NR == 0) { print "- - -"; exit }
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    f = "%." digits "g"
    printf f " " f " " f "\n", m, v[1], v[NR] }'
}

# Processor time (user + system, with the children the command waited for) of one
# run of a command: steadier than the wall clock on a shared machine. cpu_seconds
# gives it in seconds, cpu_micros in whole microseconds. Bash's own time, to the
# millisecond: GNU time prints hundredths, which is half a millisecond of a turn
# figure taken over 20 turns.
cpu_time() {
  local TIMEFORMAT='%3U %3S'
  { time "$@" >/dev/null 2>&1; } 2>&1 | tail -n1
}
cpu_seconds() { cpu_time "$@" | awk '{ print $1 + $2 }'; }
cpu_micros() { cpu_time "$@" | awk '{ printf "%d\n", ($1 + $2) * 1000000 }'; }

# per_turn_ms "STATS OF 10 TURNS" "STATS OF 30 TURNS" [FORMAT]: the mean turn of
# turns 11 to 30 in ms, from the processor times of runs of --turns 10 and
# --turns 30 in microseconds ("median min max", as stats prints them); set-up and
# printing cancel out. Prints the medians' difference over 20, then the range,
# which pairs the extremes, with FORMAT (default "%.3g %.3g %.3g\n"; a format of
# one number prints the median alone).
per_turn_ms() {
  awk -v a="$1" -v b="$2" -v format="${3:-%.3g %.3g %.3g\n}" 'BEGIN {
    split(a, p, " "); split(b, q, " ")
    printf format, (q[1] - p[1]) / 20000, (q[2] - p[3]) / 20000, (q[3] - p[2]) / 20000 }'
}

# stats_row WHAT TARGET "MEDIAN MIN MAX" UNIT: one row of a figures table in Markdown.
stats_row() {
  local med lo hi
  read -r med lo hi <<<"$3"
  printf '| %s | %s | %s %s | %s .. %s |\n' "$1" "$2" "$med" "$4" "$lo" "$hi"
}

# fresh_worlds DIR DIVISOR: DIR emptied and filled with the benchmark worlds
# (bench/make-worlds.sh), shrunk by DIVISOR per side.
fresh_worlds() {
  rm -rf "$1"
  mkdir -p "$1"
  bench/make-worlds.sh "$1" "$2"
}
