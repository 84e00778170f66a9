#!/usr/bin/env bash
# Sets up, builds and runs every test: the Linux suites, the Windows build's
# tests under wine (osk.exe compared with the Linux build), the web page in
# headless Chromium and Firefox, and the Debian packages' test.  Prints each
# step's time at the end.
#
# OSK_TEST_SANITIZE=1 (as CI does) runs the Linux suites once, in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan, any report
# fails), instead of in the plain build; the plain build then makes only the
# program, the reference the Windows and web builds are compared with, and
# the Windows lane runs beside the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
jobs=$(nproc)
source scripts/steps.sh
steps_begin test "step times (side by side steps overlap)"

windows_lane() {
  step windows-build scripts/build-windows.sh -DOSK_LINUX_BUILD_DIR="$PWD/$build" &&
    step windows-tests ctest --test-dir "${WIN_BUILD_DIR:-build-windows}" -j"$jobs" --output-on-failure &&
    step web-build scripts/build-web.sh
}

step setup scripts/setup.sh
if [ "${OSK_TEST_SANITIZE:-0}" = 1 ]; then
  step plain-build env BUILD_TARGETS=osk scripts/build.sh
  lane_log=$(mktemp /tmp/osk-test-windows-XXXXXX)
  windows_lane >"$lane_log" 2>&1 &
  lane=$!
  status=0
  { step asan-build env BUILD_DIR=build-asan scripts/build.sh -DOSK_SANITIZE=ON &&
      step asan-tests ctest --test-dir build-asan -j"$jobs" --output-on-failure; } || status=1
  wait "$lane" || { status=1; echo "test: the Windows lane failed:"; tail -n 80 "$lane_log"; }
  rm -f "$lane_log"
  [ $status = 0 ]
  # The sanitizer build skips the packages' test (a release build of its own).
  step packages ctest --test-dir "$build" -R '^e2e_packages$' --output-on-failure
else
  step build scripts/build.sh
  step tests ctest --test-dir "$build" -j"$jobs" --output-on-failure
  windows_lane
fi
# The browser tests time frames: alone, after the builds.
step web-tests scripts/test-web.sh
