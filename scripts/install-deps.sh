#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Lurkfield needs.
# Usage: scripts/install-deps.sh [build|windows|web|test]
#   build: compiler, CMake, Boost, SDL2, Xlib (enough to build and run the program)
#   windows: CMake, Boost and mingw-w64 (enough for scripts/build-windows.sh)
#   web:   CMake, Boost, Emscripten, node and npm (enough for scripts/build-web.sh)
#   test:  everything for the full test suite as well (GoogleTest, Google Benchmark,
#          GNU time for bench/run.sh, Xvfb, xdotool, ImageMagick, clang for sanitizers
#          and fuzzing, mingw-w64, Wine, Emscripten, node, npm and Chromium)
set -euo pipefail

# node and npm may come from elsewhere than Debian (a newer node bundles its own npm):
# Debian's packages are wanted only where the commands are missing.
node_packages=()
command -v node >/dev/null || node_packages+=(nodejs)
command -v npm >/dev/null || node_packages+=(npm)

want=(g++ cmake make libboost-dev libsdl2-dev libx11-dev)
if [[ "${1:-build}" == windows ]]; then
  want=(cmake make libboost-dev g++-mingw-w64-x86-64)
fi
if [[ "${1:-build}" == web ]]; then
  want=(cmake make libboost-dev emscripten "${node_packages[@]}")
fi
if [[ "${1:-build}" == test ]]; then
  want+=(libgtest-dev libgmock-dev libbenchmark-dev time
         xvfb xauth xdotool x11-utils imagemagick
         clang-14 libclang-rt-14-dev
         g++-mingw-w64-x86-64 wine64 wine
         emscripten chromium "${node_packages[@]}")
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
# Others may run apt at the same time: wait for its lock instead of failing.
apt_get=("${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600)
"${apt_get[@]}" update -qq
"${apt_get[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
