#!/usr/bin/env bash
# The packages: scripts/package.sh makes them in build-package/ (a Release
# build of its own; the Windows zip from the cross build in build-mingw/, which
# the Wine stage has made). Then the Debian package is checked with lintian
# (no error, no warning), installed with apt-get, played on its installed
# sample world, its menu entry and AppStream metadata validated
# (desktop-file-validate, appstreamcli) and its launcher started, and removed
# again (tests/packages/check-deb.sh); the Windows zip is listed, its programs'
# resources read back and its lurkfield-text.exe run under Wine
# (check-windows-zip.sh); the web archive, when the web stage made the site,
# must hold it and LICENSE (check-web-archive.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
started=$SECONDS
dir=build-package

scripts/package.sh "$dir"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
[[ -n $version ]] || { echo "packages stage FAILED: no version in $dir/CMakeCache.txt"; exit 1; }
tests/packages/check-deb.sh "$dir/lurkfield_${version}_amd64.deb" build
# The Python module's package: lintian, installed, imported by /usr/bin/python3, removed.
tests/packages/check-python-deb.sh "$dir/python3-lurkfield_${version}_amd64.deb" build
tests/packages/check-windows-zip.sh "$dir/lurkfield-$version-windows-x86_64.zip" "$version" build-mingw/wineprefix
web=$dir/lurkfield-$version-web.tar.gz
[[ ! -f $web ]] || tests/packages/check-web-archive.sh "$web" "$version"
echo "packages stage: $((SECONDS - started)) s"
