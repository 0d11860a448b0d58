#!/usr/bin/env bash
# Installs what is missing, builds Lurkfield and runs it on the bundled sample
# world (lurkfield.config in the project root).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLURKFIELD_TESTS=OFF -DLURKFIELD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" >/dev/null
if [[ -x build/app/lurkfield ]]; then
  exec build/app/lurkfield
fi
exec build/tools/lurkfield-text --turns 5 --trace
