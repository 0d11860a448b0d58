#!/usr/bin/env bash
# Installs the Debian package with apt-get as a user would, runs the installed
# programs on the installed sample world, and removes the package again with
# every package it brought along: the machine is left as it was.
#
#   tests/packages/check-deb.sh DEB [NATIVE_BUILD_DIR]
#       NATIVE_BUILD_DIR (default build): its lurkfield-text, when built, must
#       print the same frames as the installed one.
#
# Refuses to run where a lurkfield package is installed already (it would be
# replaced). Runs under a lock, so that two test runs on one machine take turns.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/windows/lib.sh" # seconds_since
deb=$(realpath "$1")
native=$(realpath -m "${2:-build}")
version=$(dpkg-deb -f "$deb" Version)
apt=(apt-get -o DPkg::Lock::Timeout=600 -y -qq)
[[ $(id -u) -eq 0 ]] || apt=(sudo "${apt[@]}")
work=$(mktemp -d)

fail() {
    echo "FAILED (package): $*" >&2
    exit 1
}

exec 9>"${TMPDIR:-/tmp}/lurkfield-package-check.lock"
flock -w 900 9 || fail "another package check held the lock for 15 minutes"

! dpkg-query -W -f='${Status}' lurkfield 2>/dev/null | grep -q 'ok installed' ||
    fail "a lurkfield package is installed on this machine already; remove it first (apt-get purge lurkfield)"

# The dependencies dpkg-shlibdeps found: SDL2 and X11 for the window, the C++ runtime.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl2-2.0-0 libx11-6 libstdc++6 libc6; do
    [[ $depends == *"$library"* ]] || fail "the package does not depend on $library: $depends"
done

# What the installation will bring besides lurkfield, so that exactly that goes again.
mapfile -t brought < <(LC_ALL=C "${apt[@]}" -s install "$deb" | awk '/^Inst / && $2 != "lurkfield" { print $2 }')
# Purges lurkfield and what it brought, unless something installed meanwhile
# needs one of those (apt would remove that too): then only lurkfield goes.
purge() {
    local going=(lurkfield "${brought[@]}") extra
    extra=$(LC_ALL=C "${apt[@]}" -s purge "${going[@]}" | awk '/^Purg / { print $2 }' |
        grep -vxF -f <(printf '%s\n' "${going[@]}") || true)
    if [[ -n $extra ]]; then
        echo "NOTE (package): $(echo $extra) now need what lurkfield brought; only lurkfield is removed" >&2
        going=(lurkfield)
    fi
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge "${going[@]}" >"$work/purge.log" 2>&1 ||
        { cat "$work/purge.log" >&2; return 1; }
}

installed=
cleanup() {
    local rc=$?
    trap - EXIT
    set +e
    if [[ -n $installed ]]; then
        purge || { echo "FAILED (package): apt-get purge lurkfield" >&2; rc=1; }
    fi
    rm -rf "$work"
    exit "$rc"
}
trap cleanup EXIT

started=$EPOCHREALTIME
installed=1
DEBIAN_FRONTEND=noninteractive "${apt[@]}" install "$deb" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "apt-get install $deb"; }
install_time=$(seconds_since "$started")

[[ $(dpkg-query -W -f='${Version}' lurkfield) == "$version" ]] || fail "the installed version is not $version"
for file in /usr/bin/lurkfield /usr/bin/lurkfield-text /usr/share/lurkfield/lurkfield.config \
    /usr/share/doc/lurkfield/README.md /usr/share/doc/lurkfield/docs/robustness.md; do
    [[ -f $file ]] || fail "$file was not installed"
done
[[ $(/usr/bin/lurkfield-text --version) == "lurkfield-text $version" ]] ||
    fail "lurkfield-text --version says: $(/usr/bin/lurkfield-text --version)"

# The installed text front end on the installed sample world, from another folder.
(cd "$work" && /usr/bin/lurkfield-text --config /usr/share/lurkfield/lurkfield.config --turns 3 --trace) \
    >"$work/frames.txt" || fail "the installed lurkfield-text failed on the installed sample world"
[[ $(grep -c '^turn ' "$work/frames.txt") == 4 ]] || fail "expected 4 frames: $(head -c 300 "$work/frames.txt")"
[[ $(sed -n 2p "$work/frames.txt" | tr -d '\n' | wc -c) == 40 ]] || fail "the sample world is not 40 columns wide"
if [[ -x $native/tools/lurkfield-text ]]; then
    "$native/tools/lurkfield-text" --config /usr/share/lurkfield/lurkfield.config --turns 3 --trace \
        >"$work/native.txt"
    cmp -s "$work/frames.txt" "$work/native.txt" || fail "the installed program plays another game than $native's"
fi

# The window program starts with its shared libraries found, and refuses an
# empty folder with its message (SDL's dummy driver: no display needed).
mkdir "$work/empty"
(cd "$work/empty" && SDL_VIDEODRIVER=dummy /usr/bin/lurkfield) >"$work/window.txt" 2>&1 ||
    fail "the installed window program failed: $(cat "$work/window.txt")"
grep -q '^Error: The grid is too small' "$work/window.txt" || fail "the window program said: $(cat "$work/window.txt")"

started=$EPOCHREALTIME
installed=
purge || fail "apt-get purge lurkfield"
remove_time=$(seconds_since "$started")
[[ ! -e /usr/bin/lurkfield-text && ! -e /usr/share/lurkfield ]] || fail "files are left after the removal"
! dpkg-query -W -f='${Status}' lurkfield 2>/dev/null | grep -q 'ok installed' || fail "still installed"
echo "package: $(basename "$deb") installed in $install_time (bringing ${#brought[@]} more packages)," \
    "played the sample world, removed in $remove_time"
