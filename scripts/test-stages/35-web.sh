#!/usr/bin/env bash
# The web build: builds the site and the node text front end with Emscripten
# (scripts/build-web.sh), then checks the text front end under node and the page
# in Debian's Chromium (tests/web/web-e2e.sh). Needs the native build in build/.
set -euo pipefail
cd "$(dirname "$0")/../.."
started=$SECONDS
scripts/build-web.sh build-web
tests/web/web-e2e.sh build-web build
echo "web stage: $((SECONDS - started)) s"
