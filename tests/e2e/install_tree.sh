#!/usr/bin/env bash
# The install tree: `cmake --install` into a temporary DESTDIR puts the
# program, its desktop entry, icons, metainfo, man page and tour, and the plot
# library's development files in place; the validators (where installed)
# accept the desktop entry and the metainfo; the man page knows every option
# of --help; and the README's library example, built against the installed
# package once with find_package and once with pkg-config, draws the same
# page.  Arguments: BUILD_DIR SOURCE_DIR.
set -u
source "$(dirname "$0")/support/common.sh"
cache() { sed -n "s/^$1:[A-Z]*=//p" "$BUILD_DIR/CMakeCache.txt"; }

# cmake --install writes its manifest into the build tree: keep the one a real
# install left there (it lists what to uninstall), or leave none.
MANIFEST="$BUILD_DIR/install_manifest.txt"
restore_manifest() {
  if [ -e "$WORK/manifest" ]; then mv -f "$WORK/manifest" "$MANIFEST"; else rm -f "$MANIFEST"; fi
}
[ -e "$MANIFEST" ] && cp -p "$MANIFEST" "$WORK/manifest"
at_exit restore_manifest
DESTDIR="$WORK/root" cmake --install "$BUILD_DIR" >"$WORK/install.log" 2>&1 ||
  fail "cmake --install: $(tail -5 "$WORK/install.log")"
ROOT="$WORK/root$(cache CMAKE_INSTALL_PREFIX)"
APP_ID=org.example.Osk

for f in bin/osk share/applications/$APP_ID.desktop share/metainfo/$APP_ID.metainfo.xml \
         share/man/man1/osk.1.gz share/osk/tour.osk share/icons/hicolor/scalable/apps/osk.svg \
         share/doc/osk/copyright share/doc/osk/changelog.gz share/doc/liboskplot-dev/copyright \
         include/osk/plot/plot.h include/osk/plot/plotstate.h include/osk/plot/host.h; do
  [ -s "$ROOT/$f" ] || fail "not installed: $f"
done
PC=$(find "$ROOT" -name oskplot.pc)
LIBDIR=$(dirname "$(dirname "$PC")")
for f in "$PC" "$LIBDIR/liboskplot.a" "$LIBDIR/cmake/OskPlot/OskPlotConfig.cmake"; do
  [ -s "$f" ] || fail "not installed: ${f#"$ROOT"/}"
done

"$ROOT/bin/osk" --version >"$WORK/version.txt" || fail "installed osk --version: status $?"
[ "$(head -1 "$WORK/version.txt")" = "osk 1.0.0.1" ] || fail "installed osk says $(head -1 "$WORK/version.txt")"

# Every hicolor size is a PNG of its size that decodes.
for size in 16 24 32 48 64 128 256; do
  png="$ROOT/share/icons/hicolor/${size}x${size}/apps/osk.png"
  [ -s "$png" ] || fail "no ${size}x${size} icon"
  if command -v identify >/dev/null; then
    [ "$(identify -format '%w %h' "$png" 2>&1)" = "$size $size" ] || fail "${size}x${size} icon: $(identify "$png" 2>&1)"
  fi
done

# The names and summaries in every language of the catalogues.
for code in $(grep -v '^#' "$SOURCE_DIR/po/LINGUAS"); do
  grep -q "^Comment\[$code\]=" "$ROOT/share/applications/$APP_ID.desktop" || fail "the desktop entry has no Comment[$code]"
  grep -q "<summary xml:lang=\"$code\">" "$ROOT/share/metainfo/$APP_ID.metainfo.xml" || fail "the metainfo has no $code summary"
done
if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$ROOT/share/applications/$APP_ID.desktop" 2>&1)
  [ $? = 0 ] && [ -z "$out" ] || fail "desktop-file-validate: $out"
fi
if command -v appstreamcli >/dev/null; then
  out=$(appstreamcli validate --no-net "$ROOT/share/metainfo/$APP_ID.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $out"
fi

# The man page documents every option that --help names, and formats cleanly.
zcat "$ROOT/share/man/man1/osk.1.gz" >"$WORK/osk.1" || fail "osk.1.gz does not decompress"
for option in $("$ROOT/bin/osk" --help | grep -o -- '--[a-z]*' | sort -u); do
  grep -qF -- "\\-\\-${option#--}" "$WORK/osk.1" || fail "osk.1 does not document $option"
done
if command -v groff >/dev/null; then
  out=$(groff -man -ww -z "$WORK/osk.1" 2>&1)
  [ -z "$out" ] || fail "osk.1: $out"
fi

# The README's example, as the README shows it, against the installed package.
mkdir -p "$WORK/example" "$WORK/run-cmake" "$WORK/run-pc"
awk '/^## Using the plot library/ {s = 1} s && /^```cpp/ {c = 1; next} c && /^```/ {exit} c' \
  "$SOURCE_DIR/README.md" >"$WORK/example/example.cpp"
grep -q '#include "plot/plot.h"' "$WORK/example/example.cpp" || fail "no library example in README.md"
cat >"$WORK/example/CMakeLists.txt" <<'EOF'
cmake_minimum_required(VERSION 3.16)
project(example CXX)
find_package(OskPlot 1.0 REQUIRED)
add_executable(example example.cpp)
target_link_libraries(example PRIVATE OskPlot::plot)
EOF
CXX=$(cache CMAKE_CXX_COMPILER)
FLAGS=""
[ "$(cache OSK_SANITIZE)" = ON ] && FLAGS="-fsanitize=address,undefined"

cmake -S "$WORK/example" -B "$WORK/example/build" -DCMAKE_PREFIX_PATH="$ROOT" -DCMAKE_CXX_COMPILER="$CXX" \
  -DCMAKE_CXX_FLAGS="$FLAGS" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF >"$WORK/cmake.log" 2>&1 &&
  cmake --build "$WORK/example/build" >>"$WORK/cmake.log" 2>&1 || fail "find_package build: $(tail -20 "$WORK/cmake.log")"
(cd "$WORK/run-cmake" && "$WORK/example/build/example" >/dev/null) || fail "find_package example: status $?"

export PKG_CONFIG_PATH="$LIBDIR/pkgconfig" PKG_CONFIG_SYSROOT_DIR="$WORK/root"
flags=$(pkg-config --cflags --libs oskplot) || fail "pkg-config oskplot"
case "$flags" in *"$SOURCE_DIR"*) fail "pkg-config points into the source tree: $flags" ;; esac
# shellcheck disable=SC2086  # the flags are words
"$CXX" $FLAGS -o "$WORK/example/example-pc" "$WORK/example/example.cpp" $flags 2>"$WORK/pc.log" ||
  fail "pkg-config build: $(cat "$WORK/pc.log")"
(cd "$WORK/run-pc" && "$WORK/example/example-pc" >/dev/null) || fail "pkg-config example: status $?"

[ "$(head -c 2 "$WORK/run-cmake/page.bmp")" = BM ] || fail "the example wrote no BMP page"
cmp -s "$WORK/run-cmake/page.bmp" "$WORK/run-pc/page.bmp" || fail "the two builds of the example draw different pages"
echo "install tree: ok"
