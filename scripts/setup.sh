#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
set -euo pipefail
packages=(
  g++ cmake make pkg-config                 # toolchain
  clang libclang-rt-dev                     # fuzzing (libclang-rt-dev holds libFuzzer)
  clang-tidy clang-format gcovr             # static checks, format check, line coverage
  libgtest-dev libgmock-dev libbenchmark-dev  # tests and benchmarks
  libsdl2-dev libgif-dev                    # window backend, GIF recording
  libpng-dev                                # the plot library's PNG writer
  gettext                                   # the message catalogues (msgfmt, xgettext)
  imagemagick xvfb xdotool x11-utils openbox  # looking at pages, window tests (openbox: a window manager)
  dpkg-dev lintian desktop-file-utils appstream  # Debian packages and their checks, the install tree
  emscripten node-acorn chromium firefox-esr  # the web page and its browser tests
  g++-mingw-w64-x86-64-posix mingw-w64-tools  # the Windows build,
  wine wine64 msitools wixl zip             # its tests, its MSI and its zip
)
# Node.js and npm (puppeteer-core for the browser tests): Debian's, unless a
# node and npm are already there.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "setup: installing ${missing[*]}"
sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
