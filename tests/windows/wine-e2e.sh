#!/usr/bin/env bash
# End-to-end checks of the Windows build under Wine: the real user32 and gdi32
# (Wine's) run the unchanged program, in a private Xvfb with no window manager.
#
#   tests/windows/wine-e2e.sh [CROSS_BUILD_DIR] [NATIVE_BUILD_DIR]
#       defaults: build-mingw (scripts/build-windows.sh) and build (scripts/test.sh)
#
# The boards the window must show come from lurkfield-text.exe run under the
# same Wine: the Microsoft C runtime's rand() differs from glibc's, so the same
# file gives another world than on Linux. Only worlds that no random draw can
# change are compared with the Linux program, which draws through our own layer.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cross=$(cd "${1:-$root/build-mingw}" && pwd)
native=$(realpath -m "${2:-$root/build}")
source "$root/tests/windows/lib.sh"

lurkfield=$cross/app/lurkfield.exe
text=$cross/tools/lurkfield-text.exe
boardcheck=$native/tests/windows/boardcheck
failures=$cross/wine-e2e-failure
notes=()
passed=()
background_pids=()

work=$(mktemp -d)
cleanup() {
    local rc=$?
    trap - EXIT
    set +e # clean up everything, whatever fails
    kill_background
    stop_wine
    stop_xvfb
    if ((rc != 0)); then
        rm -rf "$failures" && mkdir -p "$failures"
        cp -r "$work"/. "$failures"/ 2>/dev/null || true
        echo "FAILED (windows/wine): screenshots, frames and logs kept in $failures" >&2
    fi
    rm -rf "$work"
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Runs check function $1 and notes how long it took.
timed() {
    local started=$EPOCHREALTIME
    "$1"
    notes+=("${1#check_} $(seconds_since "$started")")
}

[[ -x $text ]] || fail "$text is missing: run scripts/build-windows.sh first"
[[ -x $boardcheck ]] || fail "$boardcheck is missing: the checks need the native build (scripts/test.sh builds it)"
start_xvfb
start_wine "$cross/wineprefix"
finish_wine

source "$root/tests/windows/checks.sh"
timed check_text_front_end
if [[ -d $root/app ]]; then
    [[ -x $lurkfield ]] || fail "$lurkfield is missing although app/ exists: run scripts/build-windows.sh"
    timed check_sample_world
    timed check_missing_config
    timed check_memory_refusal
    timed check_same_as_our_layer
else
    echo "WARNING (windows/wine): there is no app/ yet, so no lurkfield.exe: the window checks were SKIPPED" >&2
fi
rm -rf "$failures"
summary=$(IFS=,; echo "${notes[*]}")
echo "windows/wine: ${#passed[@]} checks passed (${summary//,/, })"
