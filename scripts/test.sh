#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --test-dir "${BUILD_DIR:-build}" -j"$(nproc)" --output-on-failure
# The Windows build, its tests under wine (osk.exe compared with the Linux build above).
scripts/build-windows.sh -DOSK_LINUX_BUILD_DIR="$PWD/${BUILD_DIR:-build}"
ctest --test-dir "${WIN_BUILD_DIR:-build-windows}" -j"$(nproc)" --output-on-failure
# The web page, and the browser tests that drive it in headless Chromium.
scripts/build-web.sh
scripts/test-web.sh
