#!/usr/bin/env bash
# The web archive holds the site in its one top folder.
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
grep -q "^lurkfield-$version-web/." "$work/listing" || { echo "packages stage FAILED: $archive holds no site"; exit 1; }
echo "web archive: $(grep -vc '/$' "$work/listing") files"
