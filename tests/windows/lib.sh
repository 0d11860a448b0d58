# shellcheck shell=bash
# Helpers for driving Windows programs under Wine in a private X server.
# Sourced by tests/windows/wine-e2e.sh; expects $work (a scratch folder) and
# $boardcheck (the screenshot checker) to be set. The package checks
# (tests/packages/) take the Wine prefix and the timing from here too.
#
# Without a window manager Wine draws no frame, so a top-level X window is
# exactly the client area and a screenshot of it starts at client pixel (0, 0).

fail() {
    echo "FAILED (windows/wine): $*" >&2
    exit 1
}

# xdotool, bounded: `windowfocus --sync` would wait for ever for a focus that never comes.
xdo() {
    timeout 10 xdotool "$@" || fail "xdotool $* failed or did not return within 10 s"
}

# Seconds since $1 (an $EPOCHREALTIME), such as "2.1 s".
seconds_since() {
    awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f s", b - a }'
}

# A private X server on a free display (other servers may be running).
start_xvfb() {
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    local deadline=$((SECONDS + 15))
    until [[ -s $work/display ]]; do
        ((SECONDS < deadline)) && kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
        sleep 0.1
    done
    export DISPLAY=":$(head -n1 "$work/display")"
}

stop_xvfb() {
    if [[ -n ${xvfb_pid:-} ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    xvfb_pid=
}

# Wine with our own 64-bit prefix $1, quiet, and without offering to install
# Mono or Gecko.
wine_environment() {
    export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# Whether $WINEPREFIX was made to the end by an earlier run.
wine_prefix_ready() {
    [[ -f $WINEPREFIX/.lurkfield-ready ]]
}

# Makes $WINEPREFIX afresh (8-25 s, ~700 MB), wineboot's output in $1; marks it
# ready only when that succeeded.
make_wine_prefix() {
    rm -rf "$WINEPREFIX"
    { timeout 300 wineboot -i && timeout 60 wineserver -w; } >"$1" 2>&1 || return 1
    touch "$WINEPREFIX/.lurkfield-ready"
}

# A prefix of our own in the build folder, made once, in the background so that
# other preparations can run meanwhile; finish_wine waits for it. DISPLAY must be
# set before the first Wine process starts the wineserver: a server started
# without it makes later window creation fail.
start_wine() {
    wine_environment "$1"
    [[ -n ${DISPLAY:-} ]] || fail "start_wine needs DISPLAY"
    # A server left by an interrupted run would still talk to its dead display.
    wineserver -k 2>/dev/null || true
    wine_started=1
    boot_pid=
    if ! wine_prefix_ready; then
        boot_started=$EPOCHREALTIME
        make_wine_prefix "$work/wineboot.log" &
        boot_pid=$!
        background_pids+=("$boot_pid")
    fi
}

finish_wine() {
    if [[ -n $boot_pid ]]; then
        wait "$boot_pid" || { cat "$work/wineboot.log" >&2; fail "wineboot -i failed"; }
        notes+=("new Wine prefix in $(seconds_since "$boot_started")")
    fi
    # One server for the whole run, so that each program starts in a fraction of a second.
    wineserver -p
}

stop_wine() {
    [[ -z ${wine_started:-} ]] || wineserver -k 2>/dev/null
    wine_started=
}

# The first visible window whose name matches the regular expression $1, within $2 seconds.
find_window() {
    local pattern=$1 deadline=$((SECONDS + $2)) id
    while :; do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1)
        [[ -n $id ]] && { echo "$id"; return 0; }
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# Waits up to $2 seconds until X window $1 no longer exists.
wait_window_gone() {
    local deadline=$((SECONDS + $2))
    while xwininfo -id "$1" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# The window named like $2 of background program $1, started as $3, within 30 s;
# fails at once, with the program's output, when the program ends first.
window_of_program() {
    local pid=$1 pattern=$2 tag=$3 deadline=$((SECONDS + 30)) id
    until id=$(find_window "$pattern" 0); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" || true
            tail -n 20 "$work/programs.log" >&2
            fail "$tag: the program ended before a window named $pattern appeared"
        fi
        ((SECONDS < deadline)) || fail "$tag: no visible window named $pattern within 30 s"
    done
    echo "$id"
}

# Resizes X window $1 to $2 ("W H") and waits until it has that size.
resize_window() {
    xdo windowsize "$1" $2
    local deadline=$((SECONDS + 10))
    until [[ $(window_size "$1") == "$2" ]]; do
        ((SECONDS < deadline)) || fail "window $1 did not take the size $2"
        sleep 0.05
    done
}

# "WIDTH HEIGHT" of an X window.
window_size() {
    xwininfo -id "$1" | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w, h }'
}

screenshot() {
    timeout 10 import -silent -window "$1" -depth 8 "ppm:$2" 2>>"$work/import.log"
}

# Waits until window $1 shows the board of frame $3 (the program repaints after
# it has handled the input, so the first screenshot may come too early); the
# screenshot is kept as $work/$2.ppm. Extra arguments go to boardcheck.
expect_board() {
    local id=$1 name=$2 shot=$work/$2.ppm frame=$3 deadline=$((SECONDS + 10))
    shift 3
    until screenshot "$id" "$shot" && "$boardcheck" board "$shot" "$frame" "$@" >/dev/null 2>&1; do
        if ((SECONDS >= deadline)); then
            "$boardcheck" board "$shot" "$frame" "$@" >&2 || true
            fail "$name: the window does not show the board of $(basename "$frame")"
        fi
        sleep 0.1
    done
}

# Waits for background process $1 to end within $2 seconds and sets $exit_code
# (not in a subshell: only the shell that started a process can wait for it).
wait_for_exit() {
    local pid=$1 deadline=$((SECONDS + $2))
    while kill -0 "$pid" 2>/dev/null; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
    exit_code=0
    wait "$pid" || exit_code=$?
}

# Presses key $2 in window $1 and expects background program $3 to end with exit
# code 0 within 20 s; $4 names the check in a failure. Notes how long it took.
key_ends_program() {
    local window=$1 key=$2 pid=$3 what=$4
    xdo windowfocus --sync "$window"
    local pressed=$EPOCHREALTIME
    xdo key "$key"
    wait_for_exit "$pid" 20 || fail "$what: still running 20 s after $key"
    ((exit_code == 0)) || fail "$what: exit code $exit_code after $key, expected 0"
    notes+=("$key to exit $(seconds_since "$pressed")")
}

# Starts a program in the background in folder $1; its pid goes to $started_pid.
start_in() {
    local dir=$1
    shift
    (cd "$dir" && exec "$@") >>"$work/programs.log" 2>&1 &
    started_pid=$!
    background_pids+=("$started_pid")
}

kill_background() {
    local pid
    for pid in "${background_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    background_pids=()
}
