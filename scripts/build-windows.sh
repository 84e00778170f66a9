#!/usr/bin/env bash
# Cross-builds osk for 64-bit Windows into build-windows/ (or
# $WIN_BUILD_DIR) and writes out/windows/osk.exe (one file, no DLLs beside
# it), the installer osk-VERSION-win64.msi and the portable
# osk-VERSION-win64.zip; extra arguments go to cmake.  Installs the mingw-w64 toolchain, wine
# and wixl with apt-get when they are missing.  The build's programs run
# under wine in a prefix of its own (build-windows/wine): the tests with
# `ctest --test-dir build-windows`, the program with build-windows/osk.
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 msitools wixl zip)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "build-windows: installing ${missing[*]}"
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
build=${WIN_BUILD_DIR:-build-windows}
toolchain=(); [ -e "$build/CMakeCache.txt" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake)
cmake -S . -B "$build" "${toolchain[@]}" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Release} "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
mkdir -p out/windows
for f in osk.exe "osk-$version-win64.msi" "osk-$version-win64.zip"; do
  cp "$build/$f" out/windows/
  echo "build-windows: out/windows/$f ($(stat -c %s "out/windows/$f") bytes)"
done
