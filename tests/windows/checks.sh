# The checks of tests/windows/wine-e2e.sh, one function each; sourced by it.

# Runs the text front end under Wine in folder $1; its standard output goes to $2.
text_frame() {
    local dir=$1 out=$2
    shift 2
    (cd "$dir" && timeout 60 wine "$text" "$@") >"$out" 2>"$out.err" || fail "lurkfield-text.exe $* failed: $(cat "$out.err")"
}

# The Windows console ends lines with CRLF; the text must be the same otherwise.
check_text_front_end() {
    mkdir -p "$work/none"
    local rc=0
    (cd "$work/none" && timeout 60 wine "$text" --turns 0) >"$work/none/out.txt" 2>"$work/none/err.txt" || rc=$?
    ((rc == 1)) || fail "lurkfield-text.exe without a configuration file exited with $rc, expected 1"
    local message="The grid is too small. Do you have a correct config? (lurkfield.config)"
    [[ $(tr -d '\r' <"$work/none/err.txt") == "$message" ]] ||
        fail "lurkfield-text.exe without a configuration file said: $(cat "$work/none/err.txt")"
    mkdir -p "$work/sample"
    cp "$root/lurkfield.config" "$work/sample/"
    text_frame "$work/sample" "$work/frame0.txt" --turns 0
    text_frame "$work/sample" "$work/frame1.txt" --turns 1
    grep -q $'^turn 0: .*\r$' "$work/frame0.txt" || fail "lurkfield-text.exe printed no frame: $(head -c 300 "$work/frame0.txt")"
    # Otherwise the space key's check below would prove nothing.
    ! cmp -s <(tail -n +2 "$work/frame0.txt") <(tail -n +2 "$work/frame1.txt") ||
        fail "the sample world's board is the same after one turn"
    passed+=(text-front-end)
}

# Client pixel at the centre of cell (column $2, row $3) of window $1 on a grid of frame $4.
cell_centre() {
    local size grid_w grid_h
    size=$(window_size "$1")
    read -r grid_w grid_h < <(tr -d '\r' <"$4" | awk '/^turn / { n = 0; w = 0; next } /^[.#oH]+$/ { n++; w = length($0) } END { print w, n }')
    local width=${size% *} height=${size#* }
    local cw=$((width / grid_w)) ch=$((height / grid_h))
    echo "$(($2 * cw + cw / 2)) $(($3 * ch + ch / 2))"
}

click_cell() {
    local xy
    xy=$(cell_centre "$1" "$2" "$3" "$4")
    xdo mousemove --window "$1" ${xy% *} ${xy#* } click 1
}

check_sample_world() {
    start_in "$work/sample" wine "$lurkfield"
    sample_pid=$started_pid
    sample_id=$(window_of_program "$sample_pid" '^Lurkfield' "sample world") || exit 1
    expect_board "$sample_id" sample-start "$work/frame0.txt"

    xdo windowfocus --sync "$sample_id"
    xdo key space
    expect_board "$sample_id" sample-turn1 "$work/frame1.txt"

    sample_selections
    sample_odd_sizes

    key_ends_program "$sample_id" Escape "$sample_pid" "sample world"
    passed+=(sample-window sample-space sample-click sample-odd-sizes sample-escape)
}

# Select a predator, then a prey, then clear the prey by clicking it again.
sample_selections() {
    local config=$work/sample/lurkfield.config frame=$work/frame1.txt predator prey
    predator=$("$boardcheck" find "$frame" H) || fail "sample world: no predator after turn 1"
    prey=$("$boardcheck" find "$frame" o) || fail "sample world: no prey after turn 1"
    click_cell "$sample_id" $predator "$frame"
    expect_board "$sample_id" sample-predator-selected "$frame" --config "$config" --select $predator
    click_cell "$sample_id" $prey "$frame"
    expect_board "$sample_id" sample-prey-selected "$frame" --config "$config" --select $prey
    click_cell "$sample_id" $prey "$frame"
    expect_board "$sample_id" sample-deselected "$frame"
}

# Where the cell arithmetic has edges, in a client area of 500 x 400 (cells of
# 12 x 13 on the sample grid, not square, with strips of 20 and 10 pixels past
# the last column and row): a click in the strip below the last row (no cell
# there), and a window smaller than the grid (cells of 0 pixels, where painting
# and clicks must neither loop for ever nor divide by zero).
sample_odd_sizes() {
    local config=$work/sample/lurkfield.config frame=$work/frame1.txt predator size
    predator=$("$boardcheck" find "$frame" H)
    size=$(window_size "$sample_id")
    resize_window "$sample_id" "500 400"
    expect_board "$sample_id" sample-500x400 "$frame"
    click_cell "$sample_id" $predator "$frame"
    expect_board "$sample_id" sample-500x400-selected "$frame" --config "$config" --select $predator
    xdo mousemove --window "$sample_id" 10 399 click 1
    expect_board "$sample_id" sample-strip-click "$frame"
    # With nothing selected, ignoring the click and clearing the selection look alike.
    resize_window "$sample_id" "30 20"
    xdo mousemove --window "$sample_id" 5 5 click 1
    sleep 0.3
    resize_window "$sample_id" "500 400"
    kill -0 "$sample_pid" 2>/dev/null || fail "sample world: the program ended after a click on cells of 0 pixels"
    expect_board "$sample_id" sample-after-tiny-click "$frame"
    # A selection is painted in the tiny window too, and survives it.
    click_cell "$sample_id" $predator "$frame"
    resize_window "$sample_id" "30 20"
    sleep 0.3
    resize_window "$sample_id" "500 400"
    kill -0 "$sample_pid" 2>/dev/null || fail "sample world: the program ended painting cells of 0 pixels"
    expect_board "$sample_id" sample-after-tiny-paint "$frame" --config "$config" --select $predator
    resize_window "$sample_id" "$size"
}

check_missing_config() {
    mkdir -p "$work/empty"
    start_in "$work/empty" wine "$lurkfield"
    local pid=$started_pid box
    box=$(window_of_program "$pid" '^Error$' "no configuration") || exit 1
    ! xdotool search --name '^Lurkfield' >/dev/null 2>&1 || fail "no configuration: a Lurkfield window exists"
    screenshot "$box" "$work/message-box.ppm"
    key_ends_program "$box" Return "$pid" "no configuration"
    passed+=(message-box)
}

# A world the machine has not the memory for (65535 x 65535 cells, about 68 GB
# by the estimate) is refused with both figures: the available one comes from
# GlobalMemoryStatusEx. The text front end exits with 1; the window shows the
# message in its box and exits with 1 too.
check_memory_refusal() {
    mkdir -p "$work/huge"
    printf 'grid.x 65535\ngrid.y 65535\n' >"$work/huge/lurkfield.config"
    local rc=0 said
    (cd "$work/huge" && timeout 60 wine "$text") >"$work/huge/out.txt" 2>"$work/huge/err.txt" || rc=$?
    said=$(tr -d '\r' <"$work/huge/err.txt")
    ((rc == 1)) || fail "lurkfield-text.exe on a world too large for memory exited with $rc, expected 1"
    [[ $said =~ ^"Not enough memory for this world: it needs about 69630 MB, and "[0-9]+" MB are available (lurkfield.config)."$ ]] ||
        fail "lurkfield-text.exe on a world too large for memory said: $said"
    start_in "$work/huge" wine "$lurkfield"
    local pid=$started_pid box
    box=$(window_of_program "$pid" '^Error$' "memory refusal") || exit 1
    xdo windowfocus --sync "$box"
    xdo key Return
    wait_for_exit "$pid" 20 || fail "memory refusal: still running 20 s after Return"
    ((exit_code == 1)) || fail "memory refusal: the window program exited with $exit_code, expected 1"
    passed+=(memory-refusal)
}

# Shows the world in folder $1 with program "${@:5}", in a window of client size
# $3 ("W H", or empty for the program's own), and keeps two screenshots:
# $2-plain.ppm, and $2-selected.ppm with cell $4 ("C R") selected. Sets
# $shot_size to the client size.
shoot_world() {
    local dir=$1 tag=$2 size=$3 select=$4 id pid
    shift 4
    start_in "$dir" "$@"
    pid=$started_pid
    id=$(window_of_program "$pid" '^Lurkfield' "$tag") || exit 1
    echo "$tag: window $id of process $pid" >>"$work/programs.log"
    [[ -z $size ]] || resize_window "$id" "$size"
    shot_size=$(window_size "$id")
    expect_board "$id" "$tag-plain" "$dir/frame.txt"
    click_cell "$id" $select "$dir/frame.txt"
    expect_board "$id" "$tag-selected" "$dir/frame.txt" --config "$dir/lurkfield.config" --select $select
    xdo windowfocus --sync "$id"
    xdo key Escape
    wait_for_exit "$pid" 20 || fail "$tag: still running 20 s after Escape"
    ((exit_code == 0)) || fail "$tag: exit code $exit_code after Escape, expected 0"
    wait_window_gone "$id" 10 || fail "$tag: the window is still there 10 s after the program ended"
}

# A world that no random draw can change, drawn by Wine's GDI and by our own
# layer (the Linux program) in the same client size.
compare_world() {
    local name=$1 select=$2 dir=$work/$1
    mkdir -p "$dir"
    cp "$root/tests/windows/worlds/$name.config" "$dir/lurkfield.config"
    text_frame "$dir" "$dir/frame.txt" --turns 0
    shoot_world "$dir" "$name-wine" "" "$select" wine "$lurkfield"
    shoot_world "$dir" "$name-linux" "$shot_size" "$select" "$linux_lurkfield"
    local state
    for state in plain selected; do
        local select_args=()
        [[ $state == selected ]] && select_args=(--config "$dir/lurkfield.config" --select $select)
        "$boardcheck" same "$work/$name-wine-$state.ppm" "$work/$name-linux-$state.ppm" "$dir/frame.txt" \
            "${select_args[@]}" >"$work/$name-$state.same" 2>&1 || {
            cat "$work/$name-$state.same" >&2
            fail "$name ($state): Wine's GDI and our layer draw different boards"
        }
    done
    passed+=("same-as-our-layer:$name")
}

check_same_as_our_layer() {
    linux_lurkfield=$native/app/lurkfield
    [[ -x $linux_lurkfield ]] || fail "$linux_lurkfield is missing: the comparison needs the Linux build (scripts/test.sh builds it)"
    compare_world all-obstacles "2 1"
    compare_world lone-predator "0 0"
    compare_world lone-prey "0 0"
}
