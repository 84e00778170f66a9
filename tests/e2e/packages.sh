#!/usr/bin/env bash
# The Debian packages: scripts/package.sh builds osk and liboskplot-dev (a
# release build of its own, kept under BUILD_DIR/package so that later runs
# only rebuild what changed), and lintian reports nothing on either, not
# even its notes (-I); both carry the licence and the changelog of the
# version the metainfo names, every member dated SOURCE_DATE_EPOCH and owned
# by root; the program is hardened (PIE, full RELRO, fortified functions,
# stack protector) and carries no .comment.
# Arguments: BUILD_DIR SOURCE_DIR.  The sanitizer build skips it (77): the
# packages are built without sanitizers, and the plain run checks them.
set -u
source "$(dirname "$0")/support/common.sh"
grep -q '^OSK_SANITIZE:BOOL=ON' "$BUILD_DIR/CMakeCache.txt" && { echo "sanitizer build: skipped"; exit 77; }
command -v lintian >/dev/null || fail "lintian is not installed (scripts/setup.sh installs it)"

export SOURCE_DATE_EPOCH=1600000000 TZ=UTC
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
  members=$(dpkg-deb --fsys-tarfile "$deb" | tar -tv --full-time | awk '{print $2, $4, $5}' | sort -u)
  [ "$members" = "root/root 2020-09-13 12:26:40" ] || fail "$package: members not all of root and the source date:
$members"
  [ "$(ar tv "$deb" | awk '{print $2, $4, $5, $6, $7}' | sort -u)" = "0/0 Sep 13 12:26 2020" ] ||
    fail "$package: the archive's own members: $(ar tv "$deb")"
  out=$(lintian -I --allow-root "$deb" 2>&1)
  [ -z "$out" ] || fail "lintian $package:
$out"
done
program=$WORK/osk/usr/bin/osk
readelf -h "$program" | grep -q 'Type: *DYN' || fail "osk is not position-independent"
readelf -d "$program" | grep -q 'FLAGS.*BIND_NOW' || fail "osk binds lazily (no -z now)"
readelf -l "$program" | grep -q GNU_RELRO || fail "osk has no RELRO segment"
nm -D "$program" | grep -q '__stack_chk_fail' || fail "osk has no stack protector"
nm -D "$program" | grep -q '_chk@' || fail "osk calls no fortified functions"
readelf -S "$program" | grep -q '\.comment' && fail "osk still has its .comment section"
echo "packages: ok"
