#!/usr/bin/env bash
# Builds the Debian packages into out/ (or $OUT_DIR): osk (the program) and
# liboskplot-dev (the plot library's development files).  A release build of
# its own in build-package/ (or $BUILD_DIR), installed under /usr; the
# packages' Depends lines are computed from the binaries (dpkg-shlibdeps).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${BUILD_DIR:-build-package}
out=${OUT_DIR:-out}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DOSK_BUILD_TESTS=OFF -DOSK_BUILD_BENCH=OFF "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
mkdir -p "$out"
for deb in "$build"/*.deb; do
  cp "$deb" "$out/"
  echo "$out/$(basename "$deb")"
done
