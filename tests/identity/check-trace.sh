#!/usr/bin/env bash
# Proves that the game still plays the same: runs lurkfield-text --trace on fixed
# worlds and compares a checksum of every frame it prints with the one recorded
# from a build that is known to play the game right. Speed work on the turn must
# never change a single frame, so any difference fails.
#
# Usage: check-trace.sh LURKFIELD_TEXT CHECKSUMS WORLD_DIR
#   CHECKSUMS lines: "<sha256> <config file in WORLD_DIR> <turns>"; '#' starts a comment.
# With RECORD=1 it prints a fresh CHECKSUMS file instead of comparing; record only
# with a build whose game is known to be right.
#
# The worlds are built with the C library's rand(), so the checksums hold for the
# glibc generator only.
set -euo pipefail

program=${1:?usage: check-trace.sh LURKFIELD_TEXT CHECKSUMS WORLD_DIR}
sums=${2:?missing CHECKSUMS}
worlds=${3:?missing WORLD_DIR}

failures=0
while read -r expected config turns; do
  [[ -z "$expected" || "$expected" == \#* ]] && continue
  actual=$(cd "$worlds" && "$program" --config "$config" --turns "$turns" --trace | sha256sum)
  actual=${actual%% *}
  if [[ "${RECORD:-0}" == 1 ]]; then
    echo "$actual $config $turns"
  elif [[ "$actual" == "$expected" ]]; then
    echo "same frames: $config, $turns turns"
  else
    echo "DIFFERENT frames: $config, $turns turns (expected $expected, got $actual)" >&2
    failures=$((failures + 1))
  fi
done <"$sums"
exit $((failures > 0))
