#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --test-dir "${BUILD_DIR:-build}" -j"$(nproc)" --output-on-failure
# The web page, and the browser tests that drive it in headless Chromium.
scripts/build-web.sh
scripts/test-web.sh
