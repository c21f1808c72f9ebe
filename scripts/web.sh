#!/usr/bin/env bash
# Builds the configurator page into build/web/index.html: ipgen's front-end
# and cores compiled to WebAssembly with Emscripten (web/CMakeLists.txt,
# in build/web-wasm), the zip library from npm (web/package.json, in
# build/web-npm), bench/README.md's measured tables, all inlined into one
# file that opens offline from file:// or from any static web host.
# Needs scripts/deps/web.txt (emscripten) and npm with network on the
# first run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# Debian's emscripten runs under node; the machines' node needs Debian's
# module folder for acorn.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
jobs=${WEB_JOBS:-2}

if [ ! -f build/web-wasm/CMakeCache.txt ]; then
    emcmake cmake -S web -B build/web-wasm -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
nice -n 10 cmake --build build/web-wasm --target ipgen_web -j "$jobs" >/dev/null

# The versions of web/package-lock.json exactly; puppeteer-core (for the
# browser test) drives the system Chromium: no browser download.
mkdir -p build/web-npm
if ! cmp -s web/package-lock.json build/web-npm/package-lock.json ||
    [ ! -d build/web-npm/node_modules/fflate ]; then
    cp web/package.json web/package-lock.json build/web-npm/
    (cd build/web-npm && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error >/dev/null)
fi

mkdir -p build/web
cores=$(sed -n 's/^set(ipgen_core_folders \(.*\))$/\1/p' cores/CMakeLists.txt)
# shellcheck disable=SC2086
python3 web/bench_tables.py bench/README.md $cores >build/web/bench.js
python3 web/pack.py web/index.html build/web/index.html \
    style.css=web/style.css \
    fflate.js=build/web-npm/node_modules/fflate/umd/index.js \
    bench.js=build/web/bench.js \
    ipgen_web.js=build/web-wasm/ipgen_web.js \
    app.js=web/app.js
rm build/web/bench.js

size=$(stat -c %s build/web/index.html)
echo "web: build/web/index.html ($((size / 1024)) KiB), one file with its WebAssembly"
echo "web: open file://$root/build/web/index.html"
echo "web: or serve it: python3 -m http.server -d $root/build/web 8000 (http://localhost:8000/)"
