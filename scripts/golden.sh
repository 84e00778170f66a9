#!/usr/bin/env bash
# Golden pictures of the demonstration: one headless run per screen size
# steps through both waves; the chosen refreshes are kept as
# tests/golden/<screen>-<what>.png.  Then one run per teaching aid steps a
# wave to frame 37 with the aid on: tests/golden/<screen>-aids-<name>.png.
#
#     scripts/golden.sh                   regenerate tests/golden/*.png
#     scripts/golden.sh --languages [BUILD]
#                                         regenerate tests/golden/lang/*.png:
#                                         the start screen and the stepped
#                                         wave in every language of po/LINGUAS
#     scripts/golden.sh --check [BUILD]   rerun and compare with tests/golden/
#                                         pixel by pixel (status 1 on a
#                                         difference: the first differing
#                                         pixel is named and a diff picture
#                                         written to BUILD/golden-diff/)
# BUILD is the build directory ($BUILD_DIR or build/).
set -euo pipefail
cd "$(dirname "$0")/.."
mode=write
[ "${1:-}" = --check ] && { mode=check; shift; }
[ "${1:-}" = --languages ] && { mode=languages; shift; }
build=$(cd "${1:-${BUILD_DIR:-build}}" && pwd)
if [ $mode = languages ]; then
  cmake --build "$build" -j2 --target demo_tests pngdiff >/dev/null
  rm -f tests/golden/lang/*.png
  OSK_UPDATE_GOLDEN=1 "$build/tests/demo_tests" --gtest_filter='Catalogues/Language.ScreensMatchTheirPictures/*' \
    >/dev/null || { echo "golden: the language runs failed" >&2; exit 1; }
  echo "golden: $(ls tests/golden/lang/*.png | wc -l) pictures in tests/golden/lang/; look at them before committing"
  exit 0
fi
[ $mode = check ] || cmake --build "$build" -j2 --target osk pngdiff >/dev/null

screens=(1024x768 1920x1080)
# Refresh number -> name.  The run: start screen; "Longitudinal" and "Next"
# up to frame 100; "Go", "Stop"; "Back"; "Transversal" and "Next" up to 100.
pictures=(1:start 3:longitudinal-0 4:longitudinal-1 40:longitudinal-37 103:longitudinal-100
          104:running 119:paused 122:transversal-0 123:transversal-1 159:transversal-37
          222:transversal-100)
steps() { for _ in $(seq "$1"); do echo "key n"; done; }
script() {
  echo "key l"; steps 100
  echo "key space"; echo "wait 1"; echo "key space"
  echo "key b"; echo "key t"; steps 100
}

# Screen|wave key|--aids list|name: the last refresh of each run.
aid_pictures=("1024x768|l|mark|mark" "1024x768|t|mark=12+30|marks-transversal"
              "1024x768|l|wavelength|wavelength" "1024x768|l|graph|graph" "1024x768|t|both|both"
              "1920x1080|t|both,graph,mark=12+30|both-graph-marks")
aid_script() { echo "key $1"; steps 37; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
script >"$work/golden.osk"
for screen in "${screens[@]}"; do
  "$build/osk" --headless --screen "$screen" --script "$work/golden.osk" --dump "$work/$screen" \
    --dump-format png >/dev/null || { echo "golden: the run at $screen failed" >&2; exit 1; }
  for picture in "${pictures[@]}"; do
    cp "$work/$screen/refresh-$(printf %05d "${picture%%:*}").png" "$work/$screen-${picture#*:}.png"
  done
done

for entry in "${aid_pictures[@]}"; do
  IFS='|' read -r screen wave aids name <<<"$entry"
  aid_script "$wave" >"$work/aids.osk"
  rm -rf "$work/aids"
  "$build/osk" --headless --screen "$screen" --script "$work/aids.osk" --aids "$aids" --dump "$work/aids" \
    --dump-format png >/dev/null || { echo "golden: the run with --aids $aids failed" >&2; exit 1; }
  cp "$(ls "$work"/aids/refresh-*.png | tail -1)" "$work/$screen-aids-$name.png"
done

if [ $mode = check ]; then
  rm -rf "$build/golden-diff"
  differ=0
  for golden in tests/golden/*.png; do
    name=$(basename "$golden")
    [ -e "$work/$name" ] || { echo "golden: tests/golden/$name is no chosen refresh" >&2; differ=1; continue; }
    mkdir -p "$build/golden-diff"
    "$build/tools/pngdiff" "$golden" "$work/$name" "$build/golden-diff/$name" || differ=1
  done
  count=$(ls tests/golden/*.png | wc -l)
  [ "$count" = $((${#screens[@]} * ${#pictures[@]} + ${#aid_pictures[@]})) ] || { echo "golden: $count pictures in tests/golden" >&2; differ=1; }
  [ $differ = 0 ] && rm -rf "$build/golden-diff" && echo "golden: $count pictures as committed"
  exit $differ
fi

rm -f tests/golden/*.png
mkdir -p tests/golden
for screen in "${screens[@]}"; do cp "$work/$screen"-*.png tests/golden/; done
echo "golden: $(ls tests/golden/*.png | wc -l) pictures in tests/golden/"
