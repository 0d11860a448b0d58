#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Lurkfield needs.
# Usage: scripts/install-deps.sh [build|windows|web|package|experiments|python|test]
#   build: compiler, CMake, Boost, nlohmann-json, SDL2, Xlib and zlib (the desktop icon's PNG
#          files), pybind11 and Python's headers (the Python module): enough to build, install
#          and run the program
#   windows: CMake, Boost, mingw-w64 and the host's g++ (enough for scripts/build-windows.sh)
#   web:   CMake, Boost, nlohmann-json, Emscripten, node and npm, g++ and zlib (enough for
#          scripts/build-web.sh)
#   package: build, with dpkg-dev, file, mingw-w64 and NSIS (enough for scripts/package.sh), and
#          lintian, desktop-file-utils and appstream (the packages stage's checks of the .deb)
#   experiments: build, and OpenMPI (lurkfield-sweep-mpi) and gnuplot (--plot)
#   python: build, and what the Python module and its example notebook use: numpy, pandas,
#          tqdm, matplotlib, Jupyter's kernel and notebook runner (test adds pytest)
#   test:  everything for the full test suite as well (GoogleTest, Google Benchmark,
#          GNU time for bench/run.sh, Xvfb, xdotool, ImageMagick, xclip, clang for sanitizers
#          and fuzzing, mingw-w64, Wine, dpkg-dev, file, unzip, NSIS and the package checks
#          for the packages, OpenMPI, gnuplot, and Emscripten, node, npm and Chromium for the web
#          build)
# Other engineers' installs may hold the package manager's lock: apt-get waits
# for it up to 10 minutes instead of failing at once.
set -euo pipefail

# node and npm may come from elsewhere than Debian (a newer node bundles its own npm):
# Debian's packages are wanted only where the commands are missing.
node_packages=()
command -v node >/dev/null || node_packages+=(nodejs)
command -v npm >/dev/null || node_packages+=(npm)

build=(g++ cmake make libboost-dev nlohmann-json3-dev libsdl2-dev libx11-dev zlib1g-dev
       pybind11-dev python3-dev)
# What the packages stage checks the Debian package with.
package_checks=(lintian desktop-file-utils appstream)
experiments=(openmpi-bin libopenmpi-dev gnuplot-nox)
# What the Python module imports where it needs them (numpy, pandas, tqdm), and the
# example notebook with what runs it headless.
python=(python3-numpy python3-pandas python3-tqdm python3-matplotlib python3-nbclient
        python3-ipykernel)
case ${1:-build} in
windows)
  # g++ too: the build compiles a tool it runs here (the window's icon maker).
  want=(g++ cmake make libboost-dev g++-mingw-w64-x86-64) ;;
package)
  # dpkg-shlibdeps (dpkg-dev) and file: CPack finds the Debian package's
  # dependencies with them. The Windows zip needs the cross build's tools, and
  # the Windows installer NSIS's makensis.
  want=("${build[@]}" dpkg-dev file g++-mingw-w64-x86-64 nsis "${package_checks[@]}") ;;
web)
  # g++ and zlib too: the build draws the page's icons with a tool it runs here.
  want=(g++ cmake make libboost-dev nlohmann-json3-dev zlib1g-dev emscripten "${node_packages[@]}") ;;
experiments)
  want=("${build[@]}" "${experiments[@]}") ;;
python)
  want=("${build[@]}" "${python[@]}") ;;
test)
  want=("${build[@]}" libgtest-dev libgmock-dev libbenchmark-dev time
        xvfb xauth xdotool x11-utils imagemagick xclip
        clang-14 libclang-rt-14-dev
        g++-mingw-w64-x86-64 wine64 wine
        dpkg-dev file unzip nsis "${package_checks[@]}" "${experiments[@]}"
        emscripten chromium "${node_packages[@]}") ;;
*)
  want=("${build[@]}") ;;
esac
# The full suite runs the Python module's tests (pytest) and its notebook too.
[[ ${1:-build} != test ]] || want+=("${python[@]}" python3-pytest)

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
