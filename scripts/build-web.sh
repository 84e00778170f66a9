#!/usr/bin/env bash
# Builds the web page out/web/osk.html: one self-contained file (the
# JavaScript and the compressed WebAssembly inside) that opens from disk in a
# browser.
# Installs emscripten with apt-get when it is missing.  Builds in build-web/
# (or $WEB_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v emcc >/dev/null || ! dpkg-query -W -f='${Status}' node-acorn 2>/dev/null | grep -q "install ok installed"; then
  echo "build-web: installing emscripten"
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends emscripten node-acorn >/dev/null
fi
# emscripten's optimizer runs on node and needs Debian's acorn, which a node
# from elsewhere does not look for.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
build=${WEB_BUILD_DIR:-build-web}
jobs=$(nproc); [ "$jobs" -gt 2 ] && jobs=2
emcmake cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" >/dev/null
cmake --build "$build" --target osk -j"$jobs"

# The page around the program: the WebAssembly, gzip-compressed and in
# base64, goes in place of the marker line @OSK_WASM@ (the page unpacks it
# with the browser's own DecompressionStream), the script in place of
# @OSK_SCRIPT@.  (emscripten's own .html output fails in its minification step.)
js="$build/osk.js"
wasm="$build/osk.wasm"
if grep -qi '</script' "$js"; then
  echo "build-web: $js contains '</script', which would end the inline script" >&2
  exit 1
fi
mkdir -p out/web
page=out/web/osk.html
template=app/web_page.html
{
  sed '/@OSK_WASM@/,$d' "$template"
  gzip -9 -n -c "$wasm" | base64 -w0
  echo
  sed '1,/@OSK_WASM@/d; /@OSK_SCRIPT@/,$d' "$template"
  cat "$js"
  sed '1,/@OSK_SCRIPT@/d' "$template"
} >"$page.tmp"
mv "$page.tmp" "$page"
echo "build-web: $page ($(stat -c %s "$page") bytes; the WebAssembly $(stat -c %s "$wasm") bytes before compression)"
