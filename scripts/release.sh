#!/usr/bin/env bash
# Builds every artifact of a release into out/release/ (or $RELEASE_DIR),
# each named with the project's version (CMakeLists.txt holds it):
#   osk_VERSION_amd64.deb, liboskplot-dev_VERSION_amd64.deb   scripts/package.sh
#   osk-VERSION-win64.msi, osk-VERSION-win64.zip               scripts/build-windows.sh
#   osk-VERSION.html                                           scripts/build-web.sh
#   osk-VERSION.tar.gz                                         the sources of HEAD (git archive)
#   SHA256SUMS
# then checks the names and the sums (tests/release_check.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
release=${RELEASE_DIR:-out/release}
scripts/setup.sh
version=$(cmake -P cmake/version.cmake)
rm -rf "$release"
mkdir -p "$release"

OUT_DIR="$release" scripts/package.sh >/dev/null
scripts/build-windows.sh >/dev/null
cp "out/windows/osk-$version-win64.msi" "out/windows/osk-$version-win64.zip" "$release/"
scripts/build-web.sh >/dev/null
cp out/web/osk.html "$release/osk-$version.html"
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
  echo "release: uncommitted changes are not in the source tarball (it is HEAD's)" >&2
git archive --format=tar.gz --prefix="osk-$version/" -o "$release/osk-$version.tar.gz" HEAD

(cd "$release" && sha256sum -- * >SHA256SUMS.tmp && mv SHA256SUMS.tmp SHA256SUMS)
bash tests/release_check.sh "$release" "$version"
cat "$release/SHA256SUMS"
