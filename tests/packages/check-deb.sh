#!/usr/bin/env bash
# Checks the Debian package with lintian (no error, no warning), installs it with
# apt-get as a user would, runs the installed programs on the installed sample
# world and the desktop's launcher, validates its menu entry and AppStream
# metadata, and removes the package again with every package it brought along:
# the machine is left as it was.
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
source "$root/tests/packages/apt-package.sh"
work=$(mktemp -d)

fail() {
    echo "FAILED (package): $*" >&2
    exit 1
}

take_turn lurkfield

# The dependencies dpkg-shlibdeps found: SDL2 and X11 for the window, the C++ runtime.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl2-2.0-0 libx11-6 libstdc++6 libc6; do
    [[ $depends == *"$library"* ]] || fail "the package does not depend on $library: $depends"
done

# What the installation will bring besides lurkfield, so that exactly that goes again.
note_brought "$deb"
lintian_clean "$deb"

started=$EPOCHREALTIME
install_package "$deb"
install_time=$(seconds_since "$started")

[[ $(dpkg-query -W -f='${Version}' lurkfield) == "$version" ]] || fail "the installed version is not $version"
app=org.lurkfield.Lurkfield
for file in /usr/bin/lurkfield /usr/bin/lurkfield-text /usr/share/lurkfield/lurkfield.config \
    /usr/share/doc/lurkfield/{README.md,docs/robustness.md,copyright,changelog.gz} \
    /usr/share/man/man1/lurkfield{,-text}.1.gz /usr/share/man/man5/lurkfield.config.5.gz \
    /usr/share/applications/$app.desktop /usr/share/metainfo/$app.metainfo.xml \
    /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$app.png; do
    [[ -f $file ]] || fail "$file was not installed"
done
for program in /usr/bin/lurkfield-sweep*; do
    [[ -f /usr/share/man/man1/$(basename "$program").1.gz ]] || fail "$program has no manual page"
done
grep -q '^Copyright: 2026 The Lurkfield developers$' /usr/share/doc/lurkfield/copyright &&
    grep -q '^License: Expat$' /usr/share/doc/lurkfield/copyright || fail "the copyright file is not MIT's"
[[ $(zcat /usr/share/doc/lurkfield/changelog.gz | head -n 1) == "lurkfield ($version) unstable; urgency=medium" ]] ||
    fail "the changelog does not begin with $version: $(zcat /usr/share/doc/lurkfield/changelog.gz | head -n 1)"

# The menu entry and the software centres' metadata as the desktop reads them: errors and
# warnings fail, hints and information do not.
desktop-file-validate /usr/share/applications/$app.desktop >"$work/desktop.txt" 2>&1 &&
    ! grep -qE ': (error|warning): ' "$work/desktop.txt" ||
    { cat "$work/desktop.txt" >&2; fail "desktop-file-validate refuses the menu entry"; }
appstreamcli validate --no-net /usr/share/metainfo/$app.metainfo.xml >"$work/appstream.txt" 2>&1 &&
    ! grep -qE '^[EW]: ' "$work/appstream.txt" ||
    { cat "$work/appstream.txt" >&2; fail "appstreamcli refuses the AppStream metadata"; }
launcher=$(sed -n 's/^Exec=//p' /usr/share/applications/$app.desktop)
[[ -x $launcher ]] || fail "the menu entry starts $launcher, which is not an installed program"
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

# The menu's launcher: the first start copies the sample world into the user's data folder
# and plays it there, a later one plays that copy as the user left it. Without a display
# (SDL's X11 driver and no DISPLAY) the program ends at once with its message.
no_display=(env -u WAYLAND_DISPLAY -u XDG_DATA_HOME DISPLAY= SDL_VIDEODRIVER=x11 HOME="$work/home")
for start in first again; do
    "${no_display[@]}" "$launcher" >"$work/launcher.txt" 2>&1 && rc=0 || rc=$?
    [[ $rc == 1 ]] && grep -q 'cannot open its window: no display' "$work/launcher.txt" ||
        fail "the launcher's $start start ended with $rc: $(cat "$work/launcher.txt")"
    if [[ $start == first ]]; then
        cmp -s "$work/home/.local/share/lurkfield/lurkfield.config" /usr/share/lurkfield/lurkfield.config ||
            fail "the first start did not copy the sample world into ~/.local/share/lurkfield"
        echo "grid.x 1" >>"$work/home/.local/share/lurkfield/lurkfield.config"
    fi
done
[[ $(tail -n 1 "$work/home/.local/share/lurkfield/lurkfield.config") == "grid.x 1" ]] ||
    fail "a later start replaced the user's lurkfield.config"
"${no_display[@]}" XDG_DATA_HOME="$work/data" "$launcher" >/dev/null 2>&1 || true
[[ -f $work/data/lurkfield/lurkfield.config ]] || fail "the launcher does not take XDG_DATA_HOME"

started=$EPOCHREALTIME
purge_package || fail "apt-get purge lurkfield"
remove_time=$(seconds_since "$started")
[[ ! -e /usr/bin/lurkfield-text && ! -e /usr/share/lurkfield && ! -e /usr/libexec/lurkfield ]] ||
    fail "files are left after the removal"
! dpkg-query -W -f='${Status}' lurkfield 2>/dev/null | grep -q 'ok installed' || fail "still installed"
echo "package: $lintian_said"
echo "package: $(basename "$deb") installed in $install_time (bringing ${#brought[@]} more packages)," \
    "played the sample world, menu entry, metadata and launcher checked, removed in $remove_time"
