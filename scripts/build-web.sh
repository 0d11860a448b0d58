#!/usr/bin/env bash
# Builds Lurkfield for the web with Debian's Emscripten and writes:
#   DIR/site/                   the static site: web/site/ (index.html with the sample world in
#                               its editor, style.css, the page's ES modules), lurkfield.js and
#                               lurkfield.wasm (the window program, which also plays the
#                               experiments' runs) and the chart library as an ES module
#                               (uPlot.js); nothing is fetched from elsewhere, so any web server
#                               can host it and it works offline; its service worker keeps
#                               it for use without the network, in a cache named after the
#                               release, and its manifest and icons (drawn from app/icon/)
#                               make it installable
#   DIR/tools/lurkfield-text.js the text front end for node (beside its .wasm):
#                               node DIR/tools/lurkfield-text.js [options]
# Usage: scripts/build-web.sh [DIR]     (default: build-web)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-web}

scripts/install-deps.sh web

# Emscripten's tools are node programs that need Debian's node modules.
export NODE_PATH=/usr/share/nodejs
source scripts/lib/cross-build.sh
source scripts/lib/web.sh
cross_build "$dir/cmake" cmake/toolchain-emscripten.cmake "the web build" lurkfield lurkfield-text
log=$(cross_build_log "$dir/cmake")

# The chart library, from the committed lock file; installed again only when it changed.
npm_dir=$dir/npm
npm_ci_locked web "$npm_dir" "$log" || {
    tail -n 20 "$log" >&2
    echo "FAILED: npm ci for the page's chart library (log: $log)" >&2
    exit 1
}

site=$dir/site
rm -rf "$site"
mkdir -p "$site"
cp web/site/* "$dir/cmake/app/lurkfield.js" "$dir/cmake/app/lurkfield.wasm" \
    "$npm_dir/node_modules/uplot/dist/uPlot.min.css" "$site/"
# The page's own modules are sent without their comment lines and indentation (what each
# says is for its readers, in web/site/): the site must stay within its size.
for module in web/site/*.js; do
    sed -E -e '/^[[:space:]]*\/\//d' -e 's/^[[:space:]]+//' "$module" >"$site/$(basename "$module")"
done
# The page's icon, drawn here from the window's predator icon (app/icon/), as the desktop's are:
# 192 x 192 pixels, above the 144 a browser asks of an app to install (a 512 would take 9 KB
# of the site's 600).
icon_maker=$dir/host/make-icon-png
mkdir -p "$dir/host"
c++ -std=c++20 -O1 -I. app/icon/make_icon_png.cpp app/icon/PngFile.cpp app/icon/PredatorIcon.cpp \
    app/Figures.cpp app/BoardGeometry.cpp -lz -o "$icon_maker"
"$icon_maker" 192 "$site/icon-192.png"
# The chart library's minified build defines one variable, uPlot: exported, it is a module.
{ cat "$npm_dir/node_modules/uplot/dist/uPlot.iife.min.js" && printf '\nexport default uPlot;\n'; } >"$site/uPlot.js"
# The editor starts with the bundled sample world, written into the page as text; the page
# asks for all its modules at once, the program's and the chart library's among them (the
# worker's are its own).
modules=$(cd "$site" && for module in *.js; do
    [[ $module == experiment-worker.js || $module == service-worker.js ]] || printf '<link rel="modulepreload" href="%s">\\n' "$module"
done)
awk -v sample=lurkfield.config -v modules="$modules" '
    /@PAGE_MODULES@/ {
        printf "%s", modules
        next
    }
    /@SAMPLE_WORLD@/ {
        sub(/@SAMPLE_WORLD@.*/, "")
        printf "%s", $0
        while ((getline line < sample) > 0) {
            gsub(/&/, "\\&amp;", line); gsub(/</, "\\&lt;", line); gsub(/>/, "\\&gt;", line)
            print line
        }
        print "</textarea>"
        next
    }
    { print }' web/site/index.html >"$site/index.html"

# The service worker keeps this release's files, in a cache named after its version.
version=$(sed -n 's/^project(Lurkfield VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
files=$(cd "$site" && ls | grep -v '^service-worker\.js$' | sed "s/.*/'&'/" | paste -sd, -)
sed -i -e "s/@VERSION@/$version/" -e "s/@SITE_FILES@/$files/" "$site/service-worker.js"

mkdir -p "$dir/tools"
cp "$dir/cmake/tools/lurkfield-text.js" "$dir/cmake/tools/lurkfield-text.wasm" "$dir/tools/"
echo "web build: $site/ ($(du -cb "$site"/* | tail -n1 | cut -f1) bytes), $dir/tools/lurkfield-text.js"
