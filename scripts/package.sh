#!/usr/bin/env bash
# Makes Lurkfield's packages with CPack, all named with the one version set in
# CMakeLists.txt:
#   DIR/lurkfield_VERSION_amd64.deb                 Debian package (Release build in DIR/)
#   DIR/lurkfield-VERSION-windows-x86_64.zip        the Windows programs (cross build in build-mingw/)
#   DIR/lurkfield-VERSION-windows-x86_64-setup.exe  the same programs' installer (NSIS)
#   DIR/lurkfield-VERSION-web.tar.gz                the browser build's static site, when
#                                                   build-web/site exists (scripts/build-web.sh)
# Usage: scripts/package.sh [DIR]     (default: build-package)
# Install the Debian package with: sudo apt-get install ./DIR/lurkfield_VERSION_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-package}
web_site=${LURKFIELD_WEB_SITE:-build-web/site}

scripts/install-deps.sh package
source scripts/lib/cross-build.sh
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
log=$dir/package.log
: >"$log"
# Packages of an earlier run (of another version, or a site since removed) go.
rm -f "$dir"/lurkfield*.deb "$dir"/lurkfield-*.zip "$dir"/lurkfield-*.exe "$dir"/lurkfield-*.tar.gz

fail() {
    tail -n 40 "$log" >&2
    echo "FAILED: $1 (log: $log)" >&2
    exit 1
}

# The Debian package, from a Release build of the programs alone, configured
# for the package's prefix: the desktop's menu entry names its launcher's path.
# The Python module's package, python3-lurkfield_VERSION_amd64.deb, comes with
# it (cmake/PythonPackage.cmake).
rm -f "$dir"/python3-lurkfield_*.deb
{
    cmake -S . -B "$dir" "${release_options[@]}" -DCMAKE_INSTALL_PREFIX=/usr &&
        cmake --build "$dir" -j2 &&
        (cd "$dir" && cpack -G DEB -B "$dir")
} >>"$log" 2>&1 || fail "the Debian package"

# The Windows zip, from the cross build (made or brought up to date here).
scripts/build-windows.sh build-mingw >>"$log" 2>&1 || fail "the Windows cross build"
(cd build-mingw && cpack -G ZIP -B "$dir") >>"$log" 2>&1 || fail "the Windows zip"

# The Windows installer, of the files the zip holds (stripped, as CPack strips
# them), from the script the cross build configured; -WX: no warning passes.
stage=$dir/_windows-installer
rm -rf "$stage"
{
    cmake --install build-mingw --prefix "$stage" --strip &&
        makensis -WX -V2 -DSTAGE="$stage" -DOUTDIR="$dir" build-mingw/lurkfield-setup.nsi
} >>"$log" 2>&1 || fail "the Windows installer"
rm -rf "$stage"

# The browser build's site, when it has been built.
if [[ -d $web_site ]]; then
    site=$(cd "$web_site" && pwd)
    (cd "$dir" && cpack --config "$dir/CPackWebConfig.cmake" -B "$dir" \
        -D "CPACK_INSTALLED_DIRECTORIES=$site;.") >>"$log" 2>&1 || fail "the web site's archive"
else
    echo "NOTE: no browser build in $web_site (scripts/build-web.sh makes it): no web archive" >&2
fi

rm -rf "$dir/_CPack_Packages"
echo "Packages in $dir:"
for package in "$dir"/*.deb "$dir"/*.zip "$dir"/*.exe "$dir"/*.tar.gz; do
    [[ -f $package ]] && echo "  $(basename "$package") ($(du -k "$package" | cut -f1) KB)"
done
exit 0
