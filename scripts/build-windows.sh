#!/usr/bin/env bash
# Cross-builds the Windows programs with mingw-w64 on Debian:
#   BUILD_DIR/app/lurkfield.exe         the window (GUI subsystem, real user32 and gdi32)
#   BUILD_DIR/tools/lurkfield-text.exe  the text front end (console)
# Both are linked statically and import only system DLLs (checked below).
# Usage: scripts/build-windows.sh [BUILD_DIR]     (default: build-mingw)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-mingw}

scripts/install-deps.sh windows

source scripts/lib/cross-build.sh
cross_build "$build" cmake/toolchain-mingw64.cmake "the Windows cross build"

# Our Win32 layer stands in for Windows elsewhere; it must never reach a Windows build.
if grep -q '"file": ".*/platform/' "$build/compile_commands.json"; then
    echo "FAILED: platform/ sources are compiled into the Windows build" >&2
    exit 1
fi

# "NAME SUBSYSTEM": the program must exist, with that subsystem and no DLL beyond the system's.
check_program() {
    local exe=$build/$1 subsystem=$2 dumped dll
    dumped=$(x86_64-w64-mingw32-objdump -p "$exe") || { echo "FAILED: $exe was not built" >&2; exit 1; }
    grep -q "^Subsystem.*($subsystem)" <<<"$dumped" || {
        echo "FAILED: $exe is not a $subsystem program: $(grep '^Subsystem' <<<"$dumped")" >&2; exit 1; }
    for dll in $(awk '/DLL Name:/ { print toupper($3) }' <<<"$dumped"); do
        case $dll in
        GDI32.DLL | KERNEL32.DLL | USER32.DLL | MSVCRT.DLL | UCRTBASE.DLL | API-MS-WIN-CRT-*) ;;
        *) echo "FAILED: $exe needs $dll, which Windows does not provide" >&2; exit 1 ;;
        esac
    done
}
check_program tools/lurkfield-text.exe "Windows CUI"
if [[ -d app ]]; then
    check_program app/lurkfield.exe "Windows GUI"
else
    echo "WARNING: there is no app/ yet: only lurkfield-text.exe was built" >&2
fi
