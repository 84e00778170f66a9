#!/usr/bin/env bash
# Builds the release of one commit (default HEAD) twice, from two clones at
# different paths and at different times, and compares: every artifact and
# so SHA256SUMS must be the same bytes.  Heavy (two whole release builds,
# run at a low priority); by hand or by `scripts/release.sh --verify`, not
# in every CI run.  Leaves nothing behind but the report; KEEP=1 keeps the
# clones for a closer look.  Arguments: [COMMIT].
set -u
src=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$src" rev-parse --verify "${1:-HEAD}^{commit}") || exit 2
work=$(mktemp -d /tmp/osk-twice-XXXXXX)
[ "${KEEP:-0}" = 1 ] || trap 'rm -rf "$work"' EXIT
fail() { echo "release twice: FAIL: $*"; exit 1; }

build() {  # build DIR: clones the commit into DIR and builds its release there
  git clone -q --no-local "$src" "$1" && git -C "$1" checkout -q --detach "$commit" || return 1
  (cd "$1" && unset SOURCE_DATE_EPOCH && nice -n 10 scripts/release.sh) >"$1.log" 2>&1 ||
    { tail -20 "$1.log"; return 1; }
}
started=$(date +%s)
build "$work/first" || fail "the first build failed (log above)"
sleep 2  # a later second, whatever the build's speed
build "$work/the-second-clone" || fail "the second build failed (log above)"

a=$work/first/out/release
b=$work/the-second-clone/out/release
echo "release twice: commit $commit, $(($(date +%s) - started)) s"
if cmp -s "$a/SHA256SUMS" "$b/SHA256SUMS"; then
  cat "$a/SHA256SUMS"
  echo "release twice: PASS: both builds gave the same $(wc -l <"$a/SHA256SUMS") artifacts"
  exit 0
fi
diff "$a/SHA256SUMS" "$b/SHA256SUMS"
for f in "$a"/*; do
  name=$(basename "$f")
  cmp -s "$f" "$b/$name" && continue
  echo "differs: $name"
  case $name in
    *.deb) diff <(dpkg-deb -c "$f") <(dpkg-deb -c "$b/$name") | head -10 ;;
    *.zip) diff <(zipinfo -l "$f") <(zipinfo -l "$b/$name") | head -10 ;;
    *.msi) diff <(msiinfo suminfo "$f") <(msiinfo suminfo "$b/$name") | head -10 ;;
  esac
done
fail "the builds differ"
