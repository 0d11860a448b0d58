#!/usr/bin/env bash
# The real program in a real X window: starts its own Xvfb, runs lurkfield on a
# small hand-made world, plays it with xdotool (a space, a click, Escape) and
# reads the window's pixels back with ImageMagick. With the X probe
# (tests/e2e/XSendEventProbe.cpp) preloaded, it also checks that the program
# never sends its window an event over a second X connection: the server may
# handle that after the window is gone, and Xlib then ends the program with 1.
# Usage: tests/e2e/window_e2e.sh path/to/lurkfield [path/to/x-send-probe.so]
# Exits 0 when every check passes, 1 on the first failure, 77 (skipped) when the
# X tools are missing and cannot be installed.
set -euo pipefail

program=$(realpath "$1")
probe=${2:+$(realpath "$2")}
root=$(cd "$(dirname "$0")/../.." && pwd)

have_tools() {
    command -v Xvfb && command -v xdotool && command -v xwininfo && command -v import &&
        command -v convert && command -v compare
} >/dev/null

if ! have_tools; then
    "$root/scripts/install-deps.sh" test || true
    have_tools || { echo "SKIP: Xvfb, xdotool, x11-utils or ImageMagick missing"; exit 77; }
fi

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
    [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [[ -f $work/err.txt ]] && sed 's/^/  program: /' "$work/err.txt" >&2
    exit 1
}

# A display of our own; -displayfd picks a number no other X server uses. Other
# servers may start at the same moment, so make sure the display is really ours.
start_display() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 1040x780x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
    [[ -s $work/display ]] || return 1
    export DISPLAY=":$(cat "$work/display")"
    kill -0 "$xvfb_pid" 2>/dev/null &&
        xwininfo -root 2>/dev/null | grep -q 'geometry 1040x780+0+0'
}
for attempt in 1 2 3; do
    start_display && break
    kill "$xvfb_pid" 2>/dev/null || true
    ((attempt < 3)) || fail "Xvfb did not start"
done
unset WAYLAND_DISPLAY SDL_VIDEODRIVER
# In a sanitizer build, leaks of the system libraries behind SDL are not ours.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$root/tests/e2e/system-leaks.supp"

# 6 x 4 cells, no obstacles; the prey stroll every turn, the predator never acts
# and shows its own cell as its hearing square and its neighbours as its sight.
mkdir "$work/world"
cat >"$work/world/lurkfield.config" <<'EOF'
grid.x 6
grid.y 4
obstacle.density 0
prey.number 3
predator.number 1
prey.reaction_time 1
predator.reaction_time 0
predator.hearing 0
predator.sight 1
EOF
preload=()
if [[ -n $probe ]]; then
    # A sanitizer runtime need not come first: the probe only passes calls on.
    preload=(env LD_PRELOAD="$probe" LURKFIELD_X_PROBE_LOG="$work/x-probe.txt"
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0")
fi
(cd "$work/world" && exec "${preload[@]}" "$program") 2>"$work/err.txt" &
game_pid=$!

window=""
for _ in $(seq 100); do
    window=$(xwininfo -root -tree 2>/dev/null | awk '/"Lurkfield"/ { print $1; exit }')
    [[ -n $window ]] && break
    sleep 0.1
done
[[ -n $window ]] || fail "no window titled Lurkfield appeared"
read -r width height < <(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
cell_w=$((width / 6))
cell_h=$((height / 4))

shot() { import -window "$window" "$work/$1.png"; }
# The colour of pixel (x, y) of a screenshot as #RRGGBB.
pixel() { convert "$work/$1.png" -crop "1x1+$2+$3" +repage -depth 8 txt:- | awk 'NR == 2 { print $3 }'; }
expect_pixel() {
    local got
    got=$(pixel "$1" "$2" "$3")
    [[ $got == "$4" ]] || fail "$5: pixel ($2, $3) of $1 is $got, expected $4"
}
wait_for_paint() {
    for _ in $(seq 50); do
        shot "$1"
        [[ $(pixel "$1" 0 0) == "#000000" ]] && return
        sleep 0.1
    done
    fail "the board was never painted"
}

# The grid: a line at every cell edge, white between the lines.
wait_for_paint start
for k in 0 1 2 3 4 5; do
    expect_pixel start $((k * cell_w)) 3 "#000000" "vertical grid line $k"
    expect_pixel start $((k * cell_w + 2)) 3 "#FFFFFF" "space beside grid line $k"
done
for k in 0 1 2 3; do
    expect_pixel start 3 $((k * cell_h)) "#000000" "horizontal grid line $k"
done

# The predator is the one cell whose centre is black: the middle of its H.
predator=""
for row in 0 1 2 3; do
    for column in 0 1 2 3 4 5; do
        if [[ $(pixel start $((column * cell_w + cell_w / 2)) $((row * cell_h + cell_h / 2))) == "#000000" ]]; then
            predator="$column $row"
        fi
    done
done
[[ -n $predator ]] || fail "no predator figure found"
read -r column row <<<"$predator"
centre_x=$((column * cell_w + cell_w / 2))
centre_y=$((row * cell_h + cell_h / 2))
radius=$(((cell_w < cell_h ? cell_w : cell_h) / 3))
expect_pixel start "$centre_x" $((centre_y - radius)) "#000000" "top of the predator's circle"
expect_pixel start "$centre_x" $((centre_y - radius - 1)) "#FFFFFF" "just above the predator's circle"
expect_pixel start "$centre_x" $((centre_y - radius + 2)) "#FFFFFF" "white inside the predator's circle"

# A space runs a turn: the prey stroll, so the board changes.
xdotool windowfocus --sync "$window"
xdotool key space
changed=0
for _ in $(seq 30); do
    sleep 0.1
    shot turn
    changed=$(compare -metric AE "$work/start.png" "$work/turn.png" null: 2>&1 || true)
    [[ $changed != 0 ]] && break
done
[[ $changed != 0 ]] || fail "the board did not change after a space"

# A click on the predator's cell shows its hearing square and the cells it sees.
xdotool mousemove --window "$window" "$centre_x" "$centre_y" click 1
for _ in $(seq 30); do
    sleep 0.1
    shot selected
    [[ $(pixel selected $((column * cell_w + 1)) "$centre_y") == "#00FF00" ]] && break
done
expect_pixel selected $((column * cell_w + 1)) "$centre_y" "#00FF00" "left side of the hearing square"
expect_pixel selected $(((column + 1) * cell_w - 1)) "$centre_y" "#00FF00" "right side of the hearing square"
expect_pixel selected $((column * cell_w + 5)) $((row * cell_h + 5)) "#FFFF80" "sight fill of the predator's cell"
neighbour=$((column > 0 ? column - 1 : column + 1))
expect_pixel selected $((neighbour * cell_w + 5)) $((row * cell_h + 5)) "#FFFF80" "sight fill of a neighbour"

# Escape ends the program with exit code 0.
xdotool key Escape
status=0
for _ in $(seq 50); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "the program still runs after Escape"
wait "$game_pid" || status=$?
game_pid=""
((status == 0)) || fail "the program exited with $status after Escape"
if [[ -n $probe ]]; then
    grep -q '^created window' "$work/x-probe.txt" 2>/dev/null ||
        fail "the X probe saw no window being created: was it preloaded?"
    ! grep -q 'second X connection' "$work/x-probe.txt" ||
        fail "the program sent its window an event over a second X connection: $(grep -c 'second X connection' "$work/x-probe.txt") time(s)"
fi
echo "window end to end: grid, predator figure, turn, selection overlay and Escape all as expected"
