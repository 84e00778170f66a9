#!/usr/bin/env bash
# A release directory (scripts/release.sh) holds exactly the artifacts of one
# version, each named with it and saying it inside, and SHA256SUMS lists
# every one of them with its right sum.  Arguments: RELEASE_DIR VERSION.
set -u
dir=${1:?release dir}
v=${2:?version}
cd "$dir" || exit 1
fail() { echo "release check: FAIL: $*" >&2; exit 1; }

expected=$(printf '%s\n' "osk_${v}_amd64.deb" "liboskplot-dev_${v}_amd64.deb" "osk-$v-win64.msi" \
  "osk-$v-win64.zip" "osk-$v.html" "osk-$v.tar.gz" SHA256SUMS | sort)
[ "$(ls -A | sort)" = "$expected" ] || fail "the files are
$(ls -A)
not
$expected"
for f in $expected; do [ -s "$f" ] || fail "$f is empty"; done

# The sums: one line for every artifact, each right.
[ "$(awk '{print $2}' SHA256SUMS | sort)" = "$(grep -vx SHA256SUMS <<<"$expected")" ] ||
  fail "SHA256SUMS lists: $(awk '{print $2}' SHA256SUMS | paste -sd' ')"
sha256sum --quiet -c SHA256SUMS >&2 || fail "a sum in SHA256SUMS is wrong"

# Each artifact carries the version inside too.
for p in osk liboskplot-dev; do
  [ "$(dpkg-deb -f "${p}_${v}_amd64.deb" Package Version | paste -sd' ')" = "Package: $p Version: $v" ] ||
    fail "${p}_${v}_amd64.deb says $(dpkg-deb -f "${p}_${v}_amd64.deb" Package Version | paste -sd' ')"
done
msi_version=$(msiinfo export "osk-$v-win64.msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductVersion" {print $2}')
[ "$msi_version" = "$v" ] || fail "the MSI's ProductVersion is '$msi_version'"
unzip -l "osk-$v-win64.zip" | grep -q " osk-$v-win64/osk.exe$" || fail "the zip holds no osk-$v-win64/osk.exe"
tar -xzOf "osk-$v.tar.gz" "osk-$v/CMakeLists.txt" 2>/dev/null | grep -q "^project(osk VERSION $v " ||
  fail "the source tarball has no osk-$v/CMakeLists.txt of version $v"
grep -q "<canvas" "osk-$v.html" || fail "osk-$v.html is not the web page"
echo "release check: $(($(wc -l <SHA256SUMS))) artifacts of osk $v, names and sums right"
