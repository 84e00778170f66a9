#!/usr/bin/env bash
# Runs the browser tests (tests/web/browser_test.js) against out/web/osk.html
# and the headless build/osk (or $BUILD_DIR/osk): puppeteer-core from npm, as
# pinned in tests/web/package-lock.json, installed into build-web/ (or
# $WEB_BUILD_DIR); Debian's /usr/bin/chromium.  Writes the screenshot
# out/web/osk-page.png.
set -euo pipefail
cd "$(dirname "$0")/.."
modules=${WEB_BUILD_DIR:-build-web}/browser-test
mkdir -p "$modules"
if ! cmp -s tests/web/package-lock.json "$modules/package-lock.json" || [ ! -d "$modules/node_modules" ]; then
  cp tests/web/package.json tests/web/package-lock.json "$modules/"
  (cd "$modules" && npm ci --no-audit --no-fund --loglevel=error)
fi
NODE_PATH="$PWD/$modules/node_modules" node tests/web/browser_test.js out/web/osk.html "${BUILD_DIR:-build}/osk" \
  out/web/osk-page.png
