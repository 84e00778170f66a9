#!/usr/bin/env bash
# Runs the browser tests (tests/web/browser_test.js) against out/web/osk.html
# and the headless build/osk (or $BUILD_DIR/osk): puppeteer-core from npm, as
# pinned in tests/web/package-lock.json, installed into build-web/ (or
# $WEB_BUILD_DIR); Debian's /usr/bin/chromium.  Writes the screenshot
# out/web/osk-page.png.
#
# When the npm registry cannot be reached (no network, or a proxy whose
# certificate this machine does not trust), the tests are skipped with the
# reason on standard error; with OSK_REQUIRE_BROWSER_TESTS=1 (CI) that is a
# failure instead.
set -euo pipefail
cd "$(dirname "$0")/.."
modules=${WEB_BUILD_DIR:-build-web}/browser-test
mkdir -p "$modules"
if ! cmp -s tests/web/package-lock.json "$modules/package-lock.json" || [ ! -d "$modules/node_modules" ]; then
  cp tests/web/package.json tests/web/package-lock.json "$modules/"
  if ! (cd "$modules" && npm ci --no-audit --no-fund --loglevel=error) 2>"$modules/npm.log"; then
    reason=$(grep -m1 -E 'npm (ERR!|error) (code|request)' "$modules/npm.log" || tail -n1 "$modules/npm.log")
    echo "test-web: cannot install puppeteer-core from npm ($reason)" >&2
    if [ "${OSK_REQUIRE_BROWSER_TESTS:-0}" = 1 ]; then exit 1; fi
    echo "SKIP: browser tests not run (set OSK_REQUIRE_BROWSER_TESTS=1 to make this an error)" >&2
    rm -rf "$modules/node_modules"
    exit 0
  fi
fi
NODE_PATH="$PWD/$modules/node_modules" node tests/web/browser_test.js out/web/osk.html "${BUILD_DIR:-build}/osk" \
  out/web/osk-page.png
