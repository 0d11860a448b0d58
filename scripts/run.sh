#!/usr/bin/env bash
# Installs what is missing, builds Lurkfield and runs it on the bundled sample
# world (lurkfield.config in the project root).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLURKFIELD_TESTS=OFF -DLURKFIELD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" >/dev/null
# Let the C library ask for transparent huge pages where the system grants them
# on request: a big world's set-up then takes a few hundred page faults instead
# of about 11,000 (see docs/performance.md). It changes nothing else.
export GLIBC_TUNABLES=${GLIBC_TUNABLES:+$GLIBC_TUNABLES:}glibc.malloc.hugetlb=1
if [[ -x build/app/lurkfield ]]; then
  exec build/app/lurkfield
fi
exec build/tools/lurkfield-text --turns 5 --trace
