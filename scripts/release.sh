#!/usr/bin/env bash
# Builds every artifact of a release into out/release/ (or $RELEASE_DIR),
# each named with the project's version (CMakeLists.txt holds it):
#   osk_VERSION_amd64.deb, liboskplot-dev_VERSION_amd64.deb   scripts/package.sh
#   osk-VERSION-win64.msi, osk-VERSION-win64.zip               scripts/build-windows.sh
#   osk-VERSION.html                                           scripts/build-web.sh
#   osk-VERSION.tar.gz                                         the sources of HEAD (git archive)
#   SHA256SUMS
# then checks the names and the sums (tests/release_check.sh).
#
# The artifacts are the same bytes wherever and whenever one commit is
# built: every date inside is SOURCE_DATE_EPOCH (the last commit's time
# unless set).  `scripts/release.sh --verify` proves it: it builds HEAD
# twice, from two clones at different paths, and compares (tests/release_twice.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
case ${1:-} in
  --verify) exec bash tests/release_twice.sh HEAD ;;
  -h | --help) sed -n '2,15s/^# \{0,1\}//p' "$0"; exit 0 ;;
  "") ;;
  *) echo "release: unknown argument '$1' (--verify or --help)" >&2; exit 2 ;;
esac
release=${RELEASE_DIR:-out/release}
scripts/setup.sh
: "${SOURCE_DATE_EPOCH:=$(git log -1 --format=%ct)}"
export SOURCE_DATE_EPOCH
version=$(cmake -P cmake/version.cmake)
rm -rf "$release"
mkdir -p "$release"

OUT_DIR="$release" scripts/package.sh >/dev/null
# A build of its own, without the tests (the test build keeps its own).
WIN_BUILD_DIR=build-release-windows scripts/build-windows.sh -DOSK_BUILD_TESTS=OFF >/dev/null
cp "out/windows/osk-$version-win64.msi" "out/windows/osk-$version-win64.zip" "$release/"
scripts/build-web.sh >/dev/null
cp out/web/osk.html "$release/osk-$version.html"
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
  echo "release: uncommitted changes are not in the source tarball (it is HEAD's)" >&2
# git archive dates every member with the commit's time; gzip -n leaves out
# the name and time of its own.
git archive --format=tar --prefix="osk-$version/" HEAD | gzip -9n >"$release/osk-$version.tar.gz"
touch --date="@$SOURCE_DATE_EPOCH" "$release"/*

(cd "$release" && export LC_ALL=C && sha256sum -- * >SHA256SUMS.tmp && mv SHA256SUMS.tmp SHA256SUMS)
bash tests/release_check.sh "$release" "$version"
cat "$release/SHA256SUMS"
