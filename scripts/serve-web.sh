#!/usr/bin/env bash
# Builds the site (scripts/build-web.sh) and serves it on http://127.0.0.1:PORT/ until
# stopped with Ctrl+C. Only this machine can reach it.
# Usage: scripts/serve-web.sh [DIR] [PORT]     (defaults: build-web, 8000)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-web}
port=${2:-8000}
scripts/build-web.sh "$dir"
echo "Lurkfield in the browser: open http://127.0.0.1:$port/ (Ctrl+C stops the server)"
exec node web/serve.js "$dir/site" "$port"
