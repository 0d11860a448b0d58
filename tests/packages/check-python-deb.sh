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
# lock of the package checks (apt-package.sh), so that two test runs on one
# machine take turns.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/windows/lib.sh" # seconds_since
deb=$(realpath "$1")
native=$(realpath -m "${2:-build}")
name=python3-lurkfield
version=$(dpkg-deb -f "$deb" Version)
source "$root/tests/packages/apt-package.sh"
work=$(mktemp -d)

fail() {
    echo "FAILED (python package): $*" >&2
    exit 1
}

take_turn $name

depends=$(dpkg-deb -f "$deb" Depends)
for needed in python3-numpy python3-pandas 'python3 (<<' libstdc++6 libc6; do
    [[ $depends == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
done

note_brought "$deb"
lintian_clean "$deb"

started=$EPOCHREALTIME
install_package "$deb"
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
purge_package || fail "apt-get purge $name"
remove_time=$(seconds_since "$started")
[[ ! -e $package_dir ]] || fail "files are left after the removal"
echo "python package: $lintian_said"
echo "python package: $(basename "$deb") installed in $install_time (bringing ${#brought[@]} more packages)," \
    "imported and played by /usr/bin/python3, removed in $remove_time"
