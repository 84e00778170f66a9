#!/usr/bin/env bash
# The Debian packages: scripts/package.sh builds osk and liboskplot-dev (a
# release build of its own, kept under BUILD_DIR/package so that later runs
# only rebuild what changed), and lintian reports nothing on either; both
# carry the licence and the changelog of the version the metainfo names.
# Arguments: BUILD_DIR SOURCE_DIR.  The sanitizer build skips it (77): the
# packages are built without sanitizers, and the plain run checks them.
set -u
source "$(dirname "$0")/support/common.sh"
grep -q '^OSK_SANITIZE:BOOL=ON' "$BUILD_DIR/CMakeCache.txt" && { echo "sanitizer build: skipped"; exit 77; }
command -v lintian >/dev/null || fail "lintian is not installed (scripts/setup.sh installs it)"

OUT_DIR="$WORK/out" BUILD_DIR="$BUILD_DIR/package" "$SOURCE_DIR/scripts/package.sh" >"$WORK/package.log" 2>&1 ||
  fail "scripts/package.sh: $(tail -20 "$WORK/package.log")"
version=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$BUILD_DIR/package/dist/org.example.Osk.metainfo.xml" | head -1)
for package in osk liboskplot-dev; do
  deb=$(ls "$WORK"/out/${package}_*.deb 2>/dev/null) || fail "no $package package"
  [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "$package $(dpkg-deb -f "$deb" Version), metainfo $version"
  dpkg-deb -x "$deb" "$WORK/$package"
  grep -q '^License: Expat' "$WORK/$package/usr/share/doc/$package/copyright" || fail "$package: no licence"
  [ "$(zcat "$WORK/$package/usr/share/doc/$package/changelog.gz" | head -1)" = "osk ($version) unstable; urgency=medium" ] ||
    fail "$package: changelog not of $version"
  out=$(lintian --allow-root "$deb" 2>&1)
  [ -z "$out" ] || fail "lintian $package:
$out"
done
echo "packages: ok"
