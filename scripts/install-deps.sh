#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Lurkfield needs.
# Usage: scripts/install-deps.sh [build|windows|experiments|test]
#   build: compiler, CMake, Boost, SDL2, Xlib (enough to build and run the program)
#   windows: CMake, Boost and mingw-w64 (enough for scripts/build-windows.sh)
#   experiments: build, and OpenMPI (lurkfield-sweep-mpi) and gnuplot (--plot)
#   test:  everything for the full test suite as well (GoogleTest, Google Benchmark,
#          GNU time for bench/run.sh, Xvfb, xdotool, ImageMagick, clang for sanitizers
#          and fuzzing, mingw-w64, Wine, OpenMPI, gnuplot)
# Other engineers' installs may hold the package manager's lock: apt-get waits
# for it up to 10 minutes instead of failing at once.
set -euo pipefail

want=(g++ cmake make libboost-dev libsdl2-dev libx11-dev)
if [[ "${1:-build}" == windows ]]; then
  want=(cmake make libboost-dev g++-mingw-w64-x86-64)
fi
experiments=(openmpi-bin libopenmpi-dev gnuplot-nox)
if [[ "${1:-build}" == experiments ]]; then
  want+=("${experiments[@]}")
fi
if [[ "${1:-build}" == test ]]; then
  want+=(libgtest-dev libgmock-dev libbenchmark-dev time
         xvfb xauth xdotool x11-utils imagemagick
         clang-14 libclang-rt-14-dev
         g++-mingw-w64-x86-64 wine64 wine
         "${experiments[@]}")
fi

missing=()
for pkg in "${want[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$pkg")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
lock=(-o DPkg::Lock::Timeout=600)
"${sudo_cmd[@]}" apt-get "${lock[@]}" update -qq
"${sudo_cmd[@]}" apt-get "${lock[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
