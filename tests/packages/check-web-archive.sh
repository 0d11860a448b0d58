#!/usr/bin/env bash
# The web archive holds the site in its one top folder, and LICENSE beside it.
#
#   tests/packages/check-web-archive.sh ARCHIVE VERSION
set -euo pipefail
archive=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Listed once into a file: grep -q would close the pipe early, and tar's SIGPIPE would
# fail the pipeline under pipefail.
tar -tzf "$archive" >"$work/listing"
grep -q "^lurkfield-$version-web/index.html$" "$work/listing" || { echo "packages stage FAILED: $archive holds no site"; exit 1; }
tar -xzf "$archive" -C "$work" "lurkfield-$version-web/LICENSE" 2>/dev/null &&
    cmp -s "$work/lurkfield-$version-web/LICENSE" "$(dirname "$0")/../../LICENSE" ||
    { echo "packages stage FAILED: $archive does not hold LICENSE"; exit 1; }
echo "web archive: $(grep -vc '/$' "$work/listing") files, LICENSE among them"
