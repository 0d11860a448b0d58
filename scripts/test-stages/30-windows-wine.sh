#!/usr/bin/env bash
# The Windows build: cross-builds lurkfield.exe and lurkfield-text.exe with
# mingw-w64, then runs them under Wine in a private Xvfb (tests/windows/).
set -euo pipefail
cd "$(dirname "$0")/../.."
started=$SECONDS
scripts/build-windows.sh build-mingw
tests/windows/wine-e2e.sh build-mingw build
echo "windows/wine stage: $((SECONDS - started)) s"
