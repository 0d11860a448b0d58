#!/usr/bin/env bash
# End-to-end checks of the web build (scripts/build-web.sh):
#   - the text front end under node against the native one: the same interface and
#     output, the same frames on worlds that no random draw can change, and the
#     sample world's game as computed natively with musl's rand();
#   - the experiment the page must write: lurkfield-sweep's files with musl's rand(),
#     their counts equal to the node text front end's frames;
#   - the page in Debian's Chromium, driven by Playwright (tests/web/page_test.js),
#     against the site served on 127.0.0.1, its boards checked by the Wine stage's
#     screenshot checker against the node text front end's frames.
#
#   tests/web/web-e2e.sh [WEB_BUILD_DIR] [NATIVE_BUILD_DIR]
#       defaults: build-web (scripts/build-web.sh) and build (scripts/test.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
web=$(realpath -m "${1:-$root/build-web}")
native=$(realpath -m "${2:-$root/build}")
node_text=$web/tools/lurkfield-text.js
native_text=$native/tools/lurkfield-text
musl_text=$native/tests/web/lurkfield-text-musl-rand
musl_sweep=$native/tests/web/lurkfield-sweep-musl-rand
boardcheck=$native/tests/windows/boardcheck
failures=$web/web-e2e-failure
passed=()
source "$root/scripts/lib/web.sh"

work=$(mktemp -d)
server_pid=
cleanup() {
    local rc=$?
    trap - EXIT
    set +e
    [[ -z $server_pid ]] || kill "$server_pid" 2>/dev/null
    if ((rc != 0)); then
        rm -rf "$failures" && mkdir -p "$failures"
        cp -r "$work"/. "$failures"/ 2>/dev/null
        echo "FAILED (web): frames, screenshots and logs kept in $failures" >&2
    fi
    rm -rf "$work"
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
    echo "FAILED (web): $*" >&2
    exit 1
}

for program in "$node_text" "$web/site/index.html"; do
    [[ -e $program ]] || fail "$program is missing: run scripts/build-web.sh first"
done
[[ -x /usr/bin/chromium ]] || fail "Debian's Chromium is missing: scripts/install-deps.sh test installs it"
for program in "$native_text" "$musl_text" "$musl_sweep" "$boardcheck"; do
    [[ -x $program ]] || fail "$program is missing: the checks need the native build (scripts/test.sh builds it)"
done

# Runs program $2 (node or native, by name) with the remaining arguments in folder $1;
# writes $1/NAME.out, NAME.err and NAME.status.
run_text() {
    local dir=$1 name=$2 status=0
    shift 2
    local -a program=("$native_text")
    [[ $name == node ]] && program=(node "$node_text")
    [[ $name == musl ]] && program=("$musl_text")
    (cd "$dir" && timeout 120 "${program[@]}" "$@") >"$dir/$name.out" 2>"$dir/$name.err" || status=$?
    echo "$status" >"$dir/$name.status"
}

# The same standard output, standard error and exit status from node and native.
expect_same_run() {
    local tag=$1 dir=$work/$1 part
    shift
    run_text "$dir" node "$@"
    run_text "$dir" native "$@"
    for part in out err status; do
        cmp -s "$dir/node.$part" "$dir/native.$part" ||
            fail "$tag: the node text front end's $part differs from the native one's: $(diff "$dir/node.$part" "$dir/native.$part" | head -n 5)"
    done
}

check_text_interface() {
    mkdir -p "$work"/{help,version,bad-option,bad-number,no-file} "$work/folder/lurkfield.config"
    expect_same_run help --help
    expect_same_run version --version
    expect_same_run bad-option --colour
    expect_same_run bad-number --turns 3x
    expect_same_run no-file --turns 2
    expect_same_run folder --turns 2 --trace
    [[ $(cat "$work/no-file/node.status") == 1 ]] || fail "no settings file: exit status $(cat "$work/no-file/node.status"), expected 1"
    passed+=(text-interface)
}

# Worlds that no random draw can change play the same on every C library.
check_text_fixed_worlds() {
    local world name
    for world in "$root"/tests/windows/worlds/*.config; do
        name=$(basename "$world" .config)
        mkdir -p "$work/$name"
        cp "$world" "$work/$name/lurkfield.config"
        expect_same_run "$name" --turns 3 --trace
    done
    passed+=(text-fixed-worlds)
}

# The sample world draws many numbers: its first turns under node must be the game
# that musl's generator deals, computed here by the native simulation.
check_text_sample_game() {
    local dir=$work/sample
    mkdir -p "$dir"
    cp "$root/lurkfield.config" "$dir/"
    run_text "$dir" node --turns 20 --trace
    run_text "$dir" musl --turns 20 --trace
    run_text "$dir" native --turns 20 --trace
    [[ $(cat "$dir/node.status") == 0 ]] || fail "sample world: node exited with $(cat "$dir/node.status"): $(cat "$dir/node.err")"
    cmp -s "$dir/node.out" "$dir/musl.out" ||
        fail "sample world: node's 20 turns differ from the game musl's rand() deals: $(diff "$dir/node.out" "$dir/musl.out" | head -n 5)"
    ! cmp -s "$dir/node.out" "$dir/native.out" ||
        fail "sample world: node dealt glibc's world; the check above would prove nothing"
    passed+=(text-sample-game)
}

# The frames the page must show, from the node text front end.
write_page_frames() {
    local dir=$work/page
    mkdir -p "$dir/sample" "$dir/second" "$dir/shared"
    cp "$root/lurkfield.config" "$dir/sample/"
    (cd "$dir/sample" && node "$node_text" --turns 1000 --trace >trace.txt)
    # A second world for the history: crowded, predators acting every other turn.
    sed -e 's/^grid.x .*/grid.x 24/' -e 's/^grid.y .*/grid.y 18/' -e 's/^prey.number .*/prey.number 90/' \
        -e 's/^predator.number .*/predator.number 12/' -e 's/^predator.reaction_time .*/predator.reaction_time 2/' \
        "$root/lurkfield.config" >"$dir/second/lurkfield.config"
    (cd "$dir/second" && node "$node_text" --turns 20 --trace >trace.txt)
    cp "$root/tests/windows/worlds/all-obstacles.config" "$dir/shared/lurkfield.config"
    (cd "$dir/shared" && node "$node_text" --turns 0 >frame0.txt)
}

# The experiment the page must write: lurkfield-sweep's files with musl's generator,
# whose counts for run r are first checked against the headers of the node text
# front end's frames of the same world (seed 1 + r, the run's --set).
write_experiment_files() {
    local dir=$work/page/experiment run rep sight seed
    mkdir -p "$dir"
    cp "$root/lurkfield.config" "$dir/"
    echo "--vary predator.sight=1,6 --reps 2 --turns 20 --every 5" >"$dir/options.txt"
    # shellcheck disable=SC2046
    (cd "$dir" && "$musl_sweep" $(cat options.txt) --table native-table.csv \
        --summary native-summary.csv --quiet) || fail "lurkfield-sweep (musl's rand) did not run"
    for run in 0 1 2 3; do
        sight=$(((run / 2) * 5 + 1)) seed=$((1 + run))
        (cd "$dir" && node "$node_text" --seed "$seed" --set "predator.sight=$sight" --turns 20 --trace) |
            sed -n 's/^turn \([0-9]*\): \([0-9]*\) obstacles, \([0-9]*\) prey, \([0-9]*\) predators.*/\1,\2,\3,\4/p' |
            awk -F, '$1 % 5 == 0' >"$dir/node-$run.txt"
        awk -F, -v run="$run" '$1 == run { print $5 "," $6 "," $7 "," $8 }' "$dir/native-table.csv" >"$dir/sweep-$run.txt"
        cmp -s "$dir/node-$run.txt" "$dir/sweep-$run.txt" ||
            fail "experiment run $run: lurkfield-sweep's counts (musl's rand) differ from node's frames: $(diff "$dir/node-$run.txt" "$dir/sweep-$run.txt" | head -n 5)"
    done
    passed+=(experiment-files)
}

prepare_browser() {
    # playwright-core from the committed lock file; it drives Debian's Chromium and
    # downloads no browser of its own.
    local npm_dir=$web/npm-tests
    npm_ci_locked "$root/tests/web" "$npm_dir" "$work/npm.log" ||
        { cat "$work/npm.log" >&2; fail "npm ci of the page tests' packages"; }
    export NODE_PATH=$npm_dir/node_modules
    serve_site "$web/site" "$work/server.log" || fail "the site's server did not start"
    url=$site_url
}

started=$SECONDS
check_text_interface
check_text_fixed_worlds
check_text_sample_game
write_page_frames
write_experiment_files
prepare_browser
node "$root/tests/web/page_test.js" "$url" "$work/page" "$boardcheck" || fail "the page in Chromium (above)"
passed+=(page)
rm -rf "$failures"
echo "web: ${#passed[@]} groups of checks passed (${passed[*]}) in $((SECONDS - started)) s"
