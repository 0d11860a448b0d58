#!/usr/bin/env bash
# The trace identity check on small worlds: the sample world over 200 turns and
# the benchmark worlds shrunk by 5 per side over 30 turns. Takes well under a second.
# Usage: check-small-worlds.sh LURKFIELD_TEXT
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:?usage: check-small-worlds.sh LURKFIELD_TEXT}")
worlds=$(mktemp -d)
trap 'rm -rf "$worlds"' EXIT
"$here/../../bench/make-worlds.sh" "$worlds" 5
cp "$here/sample-world.config" "$worlds/"
"$here/check-trace.sh" "$program" "$here/small-worlds.sha256" "$worlds"
