#!/usr/bin/env bash
# The Windows zip as a user meets it: it holds the two programs, the sample
# world, README.txt and LICENSE.txt (CRLF line ends); its lurkfield-text.exe runs under Wine
# in the unpacked folder; both programs carry the version resource and the
# manifest, and lurkfield.exe its icon, read back from the .exe files.
#
#   tests/packages/check-windows-zip.sh ZIP VERSION [WINEPREFIX]
#       WINEPREFIX (default build-mingw/wineprefix, as the Wine stage leaves it)
#       is made when it is missing.
set -euo pipefail
zip=$(realpath "$1")
version=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/windows/lib.sh"
source "$root/tests/packages/resources.sh"
wine_environment "$(realpath -m "${3:-build-mingw/wineprefix}")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
started=$EPOCHREALTIME

fail() {
    echo "FAILED (windows zip): $*" >&2
    exit 1
}

folder=$(basename "$zip" .zip)
unzip -Z1 "$zip" >"$work/listing" || fail "unzip cannot list $zip"
for name in lurkfield.exe lurkfield-text.exe lurkfield.config README.txt LICENSE.txt; do
    grep -qxF "$folder/$name" "$work/listing" || fail "$folder/$name is not in the zip: $(tr '\n' ' ' <"$work/listing")"
done
unzip -q "$zip" -d "$work"
dir=$work/$folder

lines=$(wc -l <"$dir/README.txt")
crlf=$(grep -c $'\r$' "$dir/README.txt" || true)
((lines > 20 && crlf == lines)) || fail "README.txt has $crlf CRLF ends in $lines lines"
grep -q "^Lurkfield $version for Windows" "$dir/README.txt" || fail "README.txt does not begin with the version"
[[ $(tr -d '\r' <"$dir/LICENSE.txt") == "$(cat "$root/LICENSE")" && $(grep -c $'\r$' "$dir/LICENSE.txt") == \
    $(wc -l <"$dir/LICENSE.txt") ]] || fail "LICENSE.txt is not LICENSE with CRLF line ends"

# The resources, as windres reads them back from each program.
manifest_of() {
    # The quoted pieces of the manifest resource, joined and unescaped.
    awk '/^1 24 / { inside = 1; next } inside && /^END/ { exit } inside && /"/ {
             sub(/^[ \t]*"/, ""); sub(/"[ \t]*$/, ""); printf "%s", $0 }' "$1" |
        sed 's/""/"/g; s/\\n/\n/g'
}
for program in lurkfield lurkfield-text; do
    rc=$work/$program.rc
    resources_of "$dir/$program.exe" "$rc"
    expect_version_resource "$rc" "$program.exe" "$version" "\"OriginalFilename\", \"$program.exe\""
    manifest_of "$rc" >"$work/$program.manifest"
    for part in '<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2' \
        'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' '</assembly>'; do
        grep -qF "$part" "$work/$program.manifest" || fail "$program.exe's manifest lacks $part"
    done
done
expect_predator_icon "$work/lurkfield.rc" lurkfield.exe
! grep -q 'RT_GROUP_ICON' "$work/lurkfield-text.rc" || fail "lurkfield-text.exe carries an icon"

# The text front end from the zip, under Wine, in the unpacked folder.
if ! wine_prefix_ready; then
    make_wine_prefix "$work/wineboot.log" || { cat "$work/wineboot.log" >&2; fail "wineboot -i"; }
fi
said=$(cd "$dir" && timeout 60 wine lurkfield-text.exe --version 2>&1 | tr -d '\r') ||
    fail "lurkfield-text.exe --version failed: $said"
[[ $said == "lurkfield-text $version" ]] || fail "lurkfield-text.exe --version says: $said"
(cd "$dir" && timeout 60 wine lurkfield-text.exe --turns 2) >"$work/frame.txt" 2>"$work/frame.err" ||
    fail "lurkfield-text.exe on the sample world: $(cat "$work/frame.err")"
grep -q $'^turn 2: .* predators\r$' "$work/frame.txt" || fail "lurkfield-text.exe printed: $(head -c 300 "$work/frame.txt")"
[[ $(grep -c $'^[.#oH]\\{40\\}\r$' "$work/frame.txt") == 30 ]] || fail "the sample world's board is not 40 x 30"
wineserver -k 2>/dev/null || true
echo "windows zip: $(basename "$zip") holds the programs, the sample world, README.txt and LICENSE.txt (CRLF);" \
    "version $version and manifests read back; lurkfield-text.exe played under Wine;" \
    "$(seconds_since "$started")"
