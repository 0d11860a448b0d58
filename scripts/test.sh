#!/usr/bin/env bash
# Installs what is missing, builds Lurkfield and runs every test: the unit and
# end-to-end suite, then each extra stage in scripts/test-stages/ in name order
# (sanitizers, fuzzing, the Windows build under Wine, ...). Exits non-zero on the
# first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLURKFIELD_TESTS=ON -DLURKFIELD_BENCH=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

for stage in scripts/test-stages/*.sh; do
  [[ -e "$stage" ]] || continue
  echo "=== stage: $(basename "$stage" .sh)"
  bash "$stage"
done
echo "=== all tests passed"
