#!/usr/bin/env bash
# Runs the browser tests (tests/web/browser_test.js) against out/web/osk.html
# and the headless build/osk (or $BUILD_DIR/osk) in Debian's Chromium and
# Firefox ESR: puppeteer-core and axe-core from npm, as pinned in
# tests/web/package-lock.json, installed into build-web/ (or $WEB_BUILD_DIR).
# Writes the screenshot out/web/osk-page.png (Chromium, 1920 x 1080).
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
    echo "test-web: cannot install the browser tests' npm packages ($reason)" >&2
    if [ "${OSK_REQUIRE_BROWSER_TESTS:-0}" = 1 ]; then exit 1; fi
    echo "SKIP: browser tests not run (set OSK_REQUIRE_BROWSER_TESTS=1 to make this an error)" >&2
    rm -rf "$modules/node_modules"
    exit 0
  fi
fi
# Both engines, one after the other (CI has two cores); the screenshot is Chromium's.
status=0
for engine in chromium firefox; do
  shot=(); [ "$engine" = chromium ] && shot=(out/web/osk-page.png)
  NODE_PATH="$PWD/$modules/node_modules" node tests/web/browser_test.js "$engine" out/web/osk.html \
    "${BUILD_DIR:-build}/osk" "${shot[@]}" || status=1
done
exit $status
