#!/usr/bin/env bash
# The packages: scripts/package.sh makes them in build-package/ (a Release
# build of its own; the Windows zip and installer from the cross build in
# build-mingw/, which the Wine stage has made). Then the Debian package is
# checked with lintian (no error, no warning), installed with apt-get, played on
# its installed sample world, its menu entry and AppStream metadata validated
# (desktop-file-validate, appstreamcli) and its launcher started, and removed
# again (tests/packages/check-deb.sh); the Windows zip is listed, its programs'
# resources read back and its lurkfield-text.exe run under Wine
# (check-windows-zip.sh); the installer installs, upgrades and uninstalls under
# Wine in a fresh prefix, and refuses what it must (check-windows-installer.sh);
# the web archive, when the web stage made the site, must hold it and LICENSE
# (check-web-archive.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
started=$SECONDS
dir=build-package

scripts/package.sh "$dir"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
[[ -n $version ]] || { echo "packages stage FAILED: no version in $dir/CMakeCache.txt"; exit 1; }

# The installer is checked in a Wine prefix of its own, new each run; making one
# takes 8-25 s, so it is made while the other packages are checked.
source tests/windows/lib.sh
setup_prefix=$PWD/$dir/wineprefix-setup
(wine_environment "$setup_prefix" && make_wine_prefix "$dir/wineboot-setup.log") &
prefix_pid=$!
# A failed check leaves no prefix in the making, nor a made one.
trap 'wait; rm -rf "$setup_prefix"' EXIT

tests/packages/check-deb.sh "$dir/lurkfield_${version}_amd64.deb" build
# The Python module's package: lintian, installed, imported by /usr/bin/python3, removed.
tests/packages/check-python-deb.sh "$dir/python3-lurkfield_${version}_amd64.deb" build
tests/packages/check-windows-zip.sh "$dir/lurkfield-$version-windows-x86_64.zip" "$version" build-mingw/wineprefix
waited=$SECONDS
wait "$prefix_pid" || { cat "$dir/wineboot-setup.log" >&2; echo "packages stage FAILED: wineboot -i for the installer's checks" >&2; exit 1; }
echo "packages stage: waited $((SECONDS - waited)) s for the installer's Wine prefix"
tests/packages/check-windows-installer.sh "$dir/lurkfield-$version-windows-x86_64-setup.exe" "$version" "$setup_prefix"
web=$dir/lurkfield-$version-web.tar.gz
[[ ! -f $web ]] || tests/packages/check-web-archive.sh "$web" "$version"
echo "packages stage: $((SECONDS - started)) s"
