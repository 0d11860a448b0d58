#!/usr/bin/env bash
# Checks the Python module's Debian package with lintian (no error, no
# warning), installs it with apt-get as a user would, imports it with the
# system's interpreter (/usr/bin/python3) from another folder and plays the
# installed sample world's settings with it, then removes it again with every
# package it brought along: the machine is left as it was.
#
#   tests/packages/check-python-deb.sh DEB [NATIVE_BUILD_DIR]
#       NATIVE_BUILD_DIR (default build): its lurkfield-text, when built, must
#       print the board the installed module shows.
#
# Refuses to run where python3-lurkfield is installed already. Runs under the
# lock of check-deb.sh, so that two test runs on one machine take turns.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/windows/lib.sh" # seconds_since
deb=$(realpath "$1")
native=$(realpath -m "${2:-build}")
name=python3-lurkfield
version=$(dpkg-deb -f "$deb" Version)
apt=(apt-get -o DPkg::Lock::Timeout=600 -y -qq)
[[ $(id -u) -eq 0 ]] || apt=(sudo "${apt[@]}")
work=$(mktemp -d)

fail() {
    echo "FAILED (python package): $*" >&2
    exit 1
}

exec 9>"${TMPDIR:-/tmp}/lurkfield-package-check.lock"
flock -w 900 9 || fail "another package check held the lock for 15 minutes"
! dpkg-query -W -f='${Status}' $name 2>/dev/null | grep -q 'ok installed' ||
    fail "$name is installed on this machine already; remove it first (apt-get purge $name)"

depends=$(dpkg-deb -f "$deb" Depends)
for package in python3-numpy python3-pandas 'python3 (<<' libstdc++6 libc6; do
    [[ $depends == *"$package"* ]] || fail "the package does not depend on $package: $depends"
done

mapfile -t brought < <(LC_ALL=C "${apt[@]}" -s install "$deb" | awk -v n=$name '/^Inst / && $2 != n { print $2 }')
purge() {
    local going=($name "${brought[@]}") extra
    extra=$(LC_ALL=C "${apt[@]}" -s purge "${going[@]}" | awk '/^Purg / { print $2 }' |
        grep -vxF -f <(printf '%s\n' "${going[@]}") || true)
    [[ -z $extra ]] || going=($name)
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge "${going[@]}" >"$work/purge.log" 2>&1 ||
        { cat "$work/purge.log" >&2; return 1; }
}
installed=
cleanup() {
    local rc=$?
    trap - EXIT
    set +e
    if [[ -n $installed ]]; then
        purge || { echo "FAILED (python package): apt-get purge $name" >&2; rc=1; }
    fi
    rm -rf "$work"
    exit "$rc"
}
trap cleanup EXIT

lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb" >"$work/lintian.txt" \
    2>"$work/lintian.err" && ! grep -q '^[EW]: ' "$work/lintian.txt" ||
    { cat "$work/lintian.txt" "$work/lintian.err" >&2; fail "lintian finds errors or warnings in $deb"; }
lintian_said="lintian: 0 errors, 0 warnings, $(grep -c '^I: ' "$work/lintian.txt" || true) information tags"

started=$EPOCHREALTIME
installed=1
DEBIAN_FRONTEND=noninteractive "${apt[@]}" install "$deb" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "apt-get install $deb"; }
install_time=$(seconds_since "$started")
package_dir=/usr/lib/python3/dist-packages/lurkfield
for file in $package_dir/__init__.py $package_dir/_lurkfield.cpython-*.so \
    /usr/share/doc/$name/{copyright,changelog.gz}; do
    compgen -G "$file" >/dev/null || fail "$file was not installed"
done

# The system's interpreter, from a folder without the sources, without any PYTHONPATH.
cat >"$work/settings.config" <<'CONFIG'
grid.x 12
grid.y 9
obstacle.density 10
prey.number 15
predator.number 3
prey.reaction_time 1
predator.reaction_time 1
predator.sight 4
prey.eatable 1
CONFIG
(cd "$work" && env -u PYTHONPATH /usr/bin/python3 -c '
import lurkfield, sys
assert lurkfield.__file__.startswith(sys.argv[1]), lurkfield.__file__
world = lurkfield.World("settings.config", seed=3)
world.step(5)
print("turn", world.turn, tuple(world.census()), lurkfield.__version__)
print("\n".join("".join(".#oH"[code] for code in row) for row in world.kinds()))
' "$package_dir") >"$work/module.txt" 2>&1 || fail "the installed module failed: $(cat "$work/module.txt")"
[[ $(head -n 1 "$work/module.txt") == "turn 5 "*" $version" ]] || fail "the module said: $(cat "$work/module.txt")"
if [[ -x $native/tools/lurkfield-text ]]; then
    "$native/tools/lurkfield-text" --config "$work/settings.config" --seed 3 --turns 5 | sed -n '2,10p' \
        >"$work/text.txt"
    cmp -s <(tail -n +2 "$work/module.txt") "$work/text.txt" ||
        fail "the installed module plays another game than $native's lurkfield-text"
fi

started=$EPOCHREALTIME
installed=
purge || fail "apt-get purge $name"
remove_time=$(seconds_since "$started")
[[ ! -e $package_dir ]] || fail "files are left after the removal"
echo "python package: $lintian_said"
echo "python package: $(basename "$deb") installed in $install_time (bringing ${#brought[@]} more packages)," \
    "imported and played by /usr/bin/python3, removed in $remove_time"
