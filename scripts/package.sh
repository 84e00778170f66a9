#!/usr/bin/env bash
# Builds the Debian packages into out/ (or $OUT_DIR): osk (the program) and
# liboskplot-dev (the plot library's development files).  A release build of
# its own in build-package/ (or $BUILD_DIR), installed under /usr; the
# packages' Depends lines are computed from the binaries (dpkg-shlibdeps).
#
# Compiled with Debian's hardening flags (dpkg-buildflags: fortified
# functions, stack protector, full RELRO, PIE) and with the source directory
# mapped to "." in the binaries.  The packages are the same bytes wherever
# and whenever they are built: every file's time is SOURCE_DATE_EPOCH (the
# last commit's time unless set) and the archives are written in name order
# with root as owner (dpkg-deb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${BUILD_DIR:-build-package}
out=${OUT_DIR:-out}
: "${SOURCE_DATE_EPOCH:=$(git log -1 --format=%ct 2>/dev/null || date +%s)}"
export SOURCE_DATE_EPOCH

# CMake's Release type chooses the optimisation; dpkg-buildflags the rest.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP="-g -O2" DEB_CFLAGS_MAINT_STRIP="-g -O2"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_C_FLAGS="$cflags" \
      -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" \
      -DOSK_BUILD_TESTS=OFF -DOSK_BUILD_BENCH=OFF "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
mkdir -p "$out"
for deb in "$build"/*.deb; do
  scripts/deb-normalize.sh "$deb" "$out/$(basename "$deb")"
  echo "$out/$(basename "$deb")"
done
