#!/usr/bin/env bash
# The examples gallery: builds the example programs (examples/*.cpp but
# testpage), runs each in a scratch directory and puts the pictures they write
# under docs/img/ (docs/plot.md shows them).
#
#     scripts/gallery.sh                   regenerate docs/img/*.png
#     scripts/gallery.sh --check [BUILD]   rerun the built examples and compare
#                                          with docs/img/ pixel by pixel (no build,
#                                          no change; status 1 when stale)
# BUILD is the build directory ($BUILD_DIR or build/).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
check=0
if [ "${1:-}" = --check ]; then check=1; shift; fi
build=$(cd "${1:-${BUILD_DIR:-build}}" && pwd)

examples=()
for source in examples/*.cpp; do
  name=$(basename "$source" .cpp)
  [ "$name" = testpage ] || examples+=("$name")
done

if [ $check = 0 ]; then
  cmake --build "$build" -j2 --target "${examples[@]/#/example_}"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for name in "${examples[@]}"; do
  program="$build/examples/example_$name"
  [ -x "$program" ] || { echo "gallery: $program is not built" >&2; exit 1; }
  (cd "$work" && "$program" >/dev/null) || { echo "gallery: $name failed" >&2; exit 1; }
done

if [ $check = 1 ]; then
  stale=0
  for png in "$work"/*.png; do
    committed="$source_dir/docs/img/$(basename "$png")"
    if ! "$build/tools/pngdiff" "$committed" "$png" >"$work/diff.txt" 2>&1; then
      echo "gallery: docs/img/$(basename "$png") is not current (run scripts/gallery.sh): $(cat "$work/diff.txt")" >&2
      stale=1
    fi
  done
  for committed in "$source_dir"/docs/img/*.png; do
    [ -e "$work/$(basename "$committed")" ] ||
      { echo "gallery: docs/img/$(basename "$committed") comes from no example" >&2; stale=1; }
  done
  [ $stale = 0 ] && echo "gallery: docs/img is current ($(ls "$work"/*.png | wc -l) pictures)"
  exit $stale
fi

mkdir -p docs/img
rm -f docs/img/*.png
cp "$work"/*.png docs/img/
ls -l docs/img/*.png | awk '{print "gallery: " $9 " (" $5 " bytes)"}'
