#!/usr/bin/env bash
# The Windows installer as a user meets it, under Wine in a fresh prefix and a
# private X server: what stops it (the world folder a file, a read-only world
# folder, a second setup, the program running) says so and changes nothing; a
# silent install puts the programs, the sample world, the Start menu shortcut
# (target and working folder read back) and the registration for Settings >
# Apps in place; the licence page shows LICENSE; the installed lurkfield-text.exe
# plays the installed world; an upgrade keeps the user's edited world, even in a
# read-only folder; a silent uninstall removes programs, shortcut and
# registration, and keeps the world.
#
#   tests/packages/check-windows-installer.sh SETUP VERSION [WINEPREFIX]
#       WINEPREFIX (default build-package/wineprefix-setup): a prefix made by
#       make_wine_prefix (tests/windows/lib.sh) and not used since, as the
#       packages stage makes one meanwhile; made here otherwise. Removed at the
#       end, so that no later run takes a used one for fresh.
set -euo pipefail
setup=$(realpath "$1")
version=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/windows/lib.sh"
source "$root/tests/packages/shortcut.sh"
source "$root/tests/packages/resources.sh"
prefix=$(realpath -m "${3:-build-package/wineprefix-setup}")
work=$(mktemp -d)
background_pids=()
notes=()
started=$EPOCHREALTIME
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lurkfield'

fail() {
    echo "FAILED (windows installer): $*" >&2
    exit 1
}

protected=
cleanup() {
    local rc=$?
    trap - EXIT
    set +e
    [[ -z $protected ]] || writable "$protected"
    kill_background
    stop_wine
    stop_xvfb
    rm -rf "$work" "$prefix"
    exit "$rc"
}
trap cleanup EXIT

# Makes folder $1 one that Wine cannot write in (root writes anywhere, but not
# into an immutable folder), or fails; one at a time.
read_only() {
    if (($(id -u) == 0)); then chattr +i "$1"; else chmod a-w "$1"; fi 2>/dev/null || return 1
    protected=$1
}
writable() {
    if (($(id -u) == 0)); then chattr -i "$1"; else chmod u+w "$1"; fi
    protected=
}

# Runs a Windows program to its end; its output (both streams) in $said, its
# exit code in $rc.
run() {
    rc=0
    said=$(timeout 120 wine "$@" 2>&1 | tr -d '\r') || rc=$?
    [[ $rc != 124 ]] || fail "$(basename "$1") $*: still running after 120 s"
}

# The uninstaller, so that its exit code comes back: uninstall.exe /S starts a
# copy of itself in %TEMP% and ends at once; this does the copy itself (as
# NSIS's documentation tells a caller to) and runs it in the installation.
run_uninstaller_copy() {
    mkdir -p "$work/uninstaller"
    cp "$programs/uninstall.exe" "$work/uninstaller/"
    run "$work/uninstaller/uninstall.exe" /S "_?=$programs_win"
}

# $1 names the case; $rc must be 2 and $said the message $2.
expect_refused() {
    [[ $rc == 2 ]] || fail "$1: exit code $rc, expected 2 (output: $said)"
    [[ $said == *"$2"* ]] || fail "$1: the message is not \"$2\" but: $said"
}

# The state of the installation and the world (checked unchanged by a refusal).
state() {
    local folder
    for folder in "$programs" "$world"; do
        [[ ! -d $folder ]] || find "$folder" -type f -exec md5sum {} + | sort
    done
    [[ ! -f $shortcut ]] || md5sum "$shortcut"
    wine reg query "$key" 2>/dev/null | tr -d '\r' || true
}

# The installed lurkfield-text.exe on the world in the world folder: a board of $1 columns.
expect_played() {
    said=$(cd "$world" && timeout 60 wine "$programs/lurkfield-text.exe" --turns 2 2>&1 | tr -d '\r') ||
        fail "the installed lurkfield-text.exe on the world: $said"
    grep -q '^turn 2: .* predators$' <<<"$said" || fail "lurkfield-text.exe printed: ${said:0:300}"
    [[ $(grep -c "^[.#oH]\\{$1\\}\$" <<<"$said") == 30 ]] || fail "the world played is not $1 x 30: ${said:0:300}"
}

source "$root/tests/packages/windows-installer-cases.sh"

start_xvfb
start_wine "$prefix"
finish_wine
rm -f "$prefix/.lurkfield-ready" # used from now on

# Where Windows keeps the user's programs and roaming data, as Wine tells it.
mapfile -t folders < <(wine cmd /c 'echo %APPDATA%& echo %LOCALAPPDATA%' | tr -d '\r')
((${#folders[@]} == 2)) || fail "cmd did not tell APPDATA and LOCALAPPDATA: ${folders[*]}"
world_win="${folders[0]}\\Lurkfield"
programs_win="${folders[1]}\\Programs\\Lurkfield"
mapfile -t unix < <(winepath -u "$world_win" "$programs_win" "${folders[0]}\\Microsoft\\Windows\\Start Menu\\Programs\\Lurkfield.lnk")
world=${unix[0]} programs=${unix[1]} shortcut=${unix[2]}

for case in refusals_before_installing first_install licence_and_second_setup upgrade_keeps_the_world \
    refusals_while_the_program_runs uninstall; do
    case_started=$EPOCHREALTIME
    "$case"
    notes+=("$case $(seconds_since "$case_started")")
done
joined=$(printf '%s, ' "${notes[@]}")
echo "windows installer: $(basename "$setup"): refusals, install, shortcut, registration, licence page," \
    "resources, play, upgrade and uninstall checked under Wine (${joined%, }); $(seconds_since "$started")"
