# shellcheck shell=bash
# The resources of a Windows program as windres reads them back: sourced by the
# package checks of the zip and the installer.

# Writes the resources of program $1 as a resource script to $2.
resources_of() {
    x86_64-w64-mingw32-windres -i "$1" -O rc -o "$2" 2>"$2.err" ||
        fail "windres cannot read $(basename "$1")'s resources: $(cat "$2.err")"
}

# Fails unless resource script $1 (of program $2) holds a version resource of
# version $3 with each of the further values ('"Name", "text"').
expect_version_resource() {
    local rc=$1 program=$2 version=$3 major minor patch value
    shift 3
    IFS=. read -r major minor patch <<<"$version"
    grep -q "FILEVERSION $major, $minor, $patch, 0" "$rc" || fail "$program: no FILEVERSION $version"
    grep -q "PRODUCTVERSION $major, $minor, $patch, 0" "$rc" || fail "$program: no PRODUCTVERSION $version"
    for value in "\"FileVersion\", \"$version\"" "\"ProductVersion\", \"$version\"" \
        '"ProductName", "Lurkfield"' "$@"; do
        grep -qF "VALUE $value" "$rc" || fail "$program's version resource lacks $value"
    done
}

# Fails unless resource script $1 (of program $2) holds the predator icon at its nine sizes.
expect_predator_icon() {
    grep -q '^[0-9]* 14 /\* RT_GROUP_ICON \*/' "$1" || fail "$2 has no icon"
    grep -q 'Has 9 elements' "$1" || fail "$2's icon does not hold its nine sizes"
}

# The manifest in resource script $1 of an NSIS program, which windres shows as
# 16-bit words, each two bytes of the text.
nsis_manifest_of() {
    awk '/^1 24 / { inside = 1; next } inside && /^END/ { exit } inside' "$1" |
        grep -o '\\x[0-9a-f]\{4\}' | sed 's/\\x\(..\)\(..\)/\\x\2\\x\1/' | tr -d '\n' |
        { read -r escaped; printf '%b' "$escaped"; }
}
