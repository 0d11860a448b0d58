# shellcheck shell=bash
# shellcheck disable=SC2154 # the variables are check-windows-installer.sh's
# The cases of check-windows-installer.sh, in the order it runs them: each
# leaves the prefix as the next expects it. Uses that script's helpers and its
# $setup, $version, $world, $programs, $shortcut (Unix paths) and $world_win,
# $programs_win (as Windows names them).

# Before anything is installed: a world folder that is a file, and a read-only
# one without a world, stop setup before it installs anything.
refusals_before_installing() {
    mkdir -p "$(dirname "$world")"
    printf 'my notes\r\n' >"$world"
    run "$setup" /S
    expect_refused "the world folder a file" \
        "$world_win is a file, and Lurkfield keeps your world in a folder of that name."
    [[ $(cat "$world") == $'my notes\r' ]] || fail "setup changed the file $world_win"
    [[ ! -e $programs && ! -e $shortcut ]] || fail "setup refused, yet installed something"
    rm "$world"

    mkdir "$world"
    if read_only "$world"; then
        run "$setup" /S
        expect_refused "a read-only world folder" \
            "Setup cannot write the sample world into your world folder, $world_win: the folder is read-only"
        [[ -z $(ls -A "$world") && ! -e $programs && ! -e $shortcut ]] ||
            fail "setup refused the read-only world folder, yet installed something"
        writable "$world"
    else
        notes+=("NOTE: no read-only folder can be made here, so none was checked")
    fi
    rmdir "$world"
}

first_install() {
    local time=$EPOCHREALTIME name fields
    run "$setup" /S
    [[ $rc == 0 && -z $said ]] || fail "the silent install: exit code $rc, output: $said"
    notes+=("the install itself $(seconds_since "$time")")
    for name in lurkfield.exe lurkfield-text.exe lurkfield.config README.txt LICENSE.txt uninstall.exe; do
        [[ -f $programs/$name ]] || fail "$programs_win\\$name was not installed: $(ls "$programs" 2>&1)"
    done
    cmp -s "$programs/lurkfield.config" "$root/lurkfield.config" || fail "the installed sample world is not lurkfield.config"
    cmp -s "$world/lurkfield.config" "$root/lurkfield.config" || fail "$world_win holds no sample world"

    fields=$(shortcut_fields "$shortcut") || fail "no Start menu entry Lurkfield ($shortcut)"
    grep -qxF "target=$programs_win\\lurkfield.exe" <<<"$fields" && grep -qxF "folder=$world_win" <<<"$fields" ||
        fail "the Start menu entry does not start lurkfield.exe in the world folder: $fields"

    registration=$(wine reg query "$key" | tr -d '\r') || fail "no registration under $key"
    expect_value DisplayName REG_SZ "Lurkfield"
    expect_value DisplayVersion REG_SZ "$version"
    expect_value Publisher REG_SZ "The Lurkfield developers"
    expect_value DisplayIcon REG_SZ "$programs_win\\lurkfield.exe,0"
    expect_value InstallLocation REG_SZ "$programs_win"
    expect_value UninstallString REG_SZ "\"$programs_win\\uninstall.exe\""
    expect_value QuietUninstallString REG_SZ "\"$programs_win\\uninstall.exe\" /S"
    local size kb
    size=$(awk '$1 == "EstimatedSize" && $2 == "REG_DWORD" { print $3 }' <<<"$registration")
    [[ $size == 0x* ]] || fail "the registration has no EstimatedSize: $registration"
    size=$((size))
    kb=$(($(find "$programs" -type f -printf '%s+')0))
    kb=$((kb / 1024))
    ((size > 0 && size >= kb - 8 && size <= kb + 8)) || fail "EstimatedSize is $size KB, the programs take $kb KB"

    resources_of "$setup" "$work/setup.rc"
    resources_of "$programs/uninstall.exe" "$work/uninstall.rc"
    for name in setup uninstall; do
        expect_version_resource "$work/$name.rc" "the $name program" "$version" \
            '"CompanyName", "The Lurkfield developers"' "\"FileDescription\", \"Lurkfield $version Setup\""
        expect_predator_icon "$work/$name.rc" "the $name program"
    done
    # Run by a user, it asks for no administrator rights.
    [[ $(nsis_manifest_of "$work/setup.rc") == *'<requestedExecutionLevel level="asInvoker"'* ]] ||
        fail "the installer's manifest asks for more than the user's rights: $(nsis_manifest_of "$work/setup.rc")"

    run "$programs/lurkfield-text.exe" --version
    [[ $said == "lurkfield-text $version" ]] || fail "the installed lurkfield-text.exe --version says: $said"
    expect_played 40
}

# A value of $registration: name, type and value as `reg query` shows them.
expect_value() {
    grep -qxF "    $1    $2    $3" <<<"$registration" ||
        fail "the registration's $1 is not $2 \"$3\": $(grep "^    $1 " <<<"$registration")"
}

# The licence page shows LICENSE (copied from it to the clipboard); while that
# setup waits there, a second one and the uninstaller are refused, silently
# and with a message box; cancelled, the first ends with exit code 1.
licence_and_second_setup() {
    local before first window second box deadline licence
    before=$(state)
    licence=$(cat "$root/LICENSE")
    start_in "$work" wine "$setup"
    first=$started_pid
    window=$(window_of_program "$first" "^Lurkfield $version Setup: License Agreement\$" "the licence page")
    xdo mousemove --window "$window" 240 120 click 1
    xdo windowfocus --sync "$window"
    xdo key ctrl+a ctrl+c
    deadline=$((SECONDS + 10))
    until [[ $(timeout 5 xclip -o -selection clipboard 2>/dev/null | tr -d '\r') == "$licence" ]]; do
        ((SECONDS < deadline)) ||
            fail "the licence page does not show LICENSE: $(timeout 5 xclip -o -selection clipboard 2>&1 | head -c 300)"
        sleep 0.1
    done

    run "$setup" /S
    expect_refused "a second setup" "Lurkfield's setup is running already."
    run_uninstaller_copy
    expect_refused "an uninstall during setup" "Lurkfield's setup is running already."
    start_in "$work" wine "$setup"
    second=$started_pid
    box=$(window_of_program "$second" "^Lurkfield $version Setup\$" "the second setup's message box")
    xdo windowfocus --sync "$box"
    xdo key Return
    wait_for_exit "$second" 20 || fail "the second setup still runs 20 s after its message was dismissed"
    ((exit_code == 2)) || fail "the second setup ended with exit code $exit_code, expected 2"

    xdo windowfocus --sync "$window"
    xdo key Escape
    wait_for_exit "$first" 20 || fail "the setup on its licence page still runs 20 s after Escape"
    ((exit_code == 1)) || fail "the cancelled setup ended with exit code $exit_code, expected 1"
    [[ $(state) == "$before" ]] || fail "the refused and the cancelled setups changed something"
}

# The user edits the world (a later line replaces a key) and makes its folder
# read-only; files of an older version are in place. The installer run again
# replaces the programs and keeps the world.
upgrade_keeps_the_world() {
    printf 'grid.x 12\r\n' >>"$world/lurkfield.config"
    cp "$world/lurkfield.config" "$work/world.config"
    echo "an older version's README" >"$programs/README.txt"
    : >"$programs/lurkfield-text.exe"
    read_only "$world" || notes+=("NOTE: the upgrade ran with a writable world folder")
    run "$setup" /S
    [[ $rc == 0 && -z $said ]] || fail "the upgrade: exit code $rc, output: $said"
    [[ -z $protected ]] || writable "$world"
    cmp -s "$world/lurkfield.config" "$work/world.config" || fail "the upgrade changed the user's world"
    grep -q "^Lurkfield $version for Windows" "$programs/README.txt" || fail "the upgrade left the older README.txt"
    expect_played 12
    [[ -f $shortcut ]] && wine reg query "$key" /v DisplayVersion >/dev/null || fail "the upgrade lost the entry or the registration"
}

# While the installed window program runs, neither an uninstall nor an upgrade
# touches anything.
refusals_while_the_program_runs() {
    local pid window before
    start_in "$world" wine "$programs/lurkfield.exe"
    pid=$started_pid
    window=$(window_of_program "$pid" '^Lurkfield$' "the installed lurkfield.exe")
    before=$(state)
    run_uninstaller_copy
    expect_refused "an uninstall while lurkfield.exe runs" \
        "Lurkfield is running: $programs_win\\lurkfield.exe is in use. Close it, then try again."
    run "$setup" /S
    expect_refused "an upgrade while lurkfield.exe runs" "Lurkfield is running: $programs_win\\lurkfield.exe is in use."
    [[ $(state) == "$before" ]] || fail "the refused uninstall or upgrade changed something"
    key_ends_program "$window" Escape "$pid" "the installed lurkfield.exe"
}

# The uninstall as Settings > Apps runs it, silently: uninstall.exe /S hands the
# work to a copy of itself in %TEMP% and ends. The copy inherits its output, so
# `run` waits for the copy too; were it not so, the registration, which goes
# last, would tell when the copy is done.
uninstall() {
    local deadline=$((SECONDS + 30))
    cp "$world/lurkfield.config" "$work/world.config"
    run "$programs/uninstall.exe" /S
    [[ $rc == 0 && -z $said ]] || fail "the silent uninstall: exit code $rc, output: $said"
    while wine reg query "$key" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || fail "the registration is still there 30 s after the uninstall started"
        sleep 0.2
    done
    [[ ! -e $programs ]] || fail "the uninstall left $programs_win: $(ls -A "$programs")"
    [[ ! -e $shortcut ]] || fail "the uninstall left the Start menu entry"
    cmp -s "$world/lurkfield.config" "$work/world.config" || fail "the uninstall changed or removed the user's world"
}
