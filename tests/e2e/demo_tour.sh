#!/usr/bin/env bash
# The built-in tour: with no display, scripts/run-demo.sh says so in one line,
# records the tour headless and prints the GIF's path; the tour passes every
# screen (start, the longitudinal wave stepped, running and paused, back, the
# transversal wave running) and ends by "Quit".
#   demo_tour.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
source "$(dirname "$0")/support/common.sh"

# run-demo.sh without a display.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY BUILD_DIR="$BUILD_DIR" OUT_DIR="$WORK/out" "$SOURCE_DIR/scripts/run-demo.sh" 2>&1)
status=$?
[ "$status" = 0 ] || fail "run-demo.sh exited with $status: $out"
[ "$(printf '%s\n' "$out" | wc -l)" = 2 ] || fail "expected one line and the path, got: $out"
gif=$(printf '%s\n' "$out" | tail -n1)
[ "$gif" = "$WORK/out/tour.gif" ] || fail "printed path '$gif'"
[ -s "$gif" ] || fail "no GIF at $gif"
frames=$(identify "$gif" 2>/dev/null | wc -l)
[ "$frames" -ge 20 ] || fail "the GIF has only $frames frames"

# The tour itself, with dumps, on the default screen and on others (its keys
# click at the buttons' centres whatever the page's pixel size).
expected="Select Waveform|Longitudinal Wave|Select Waveform|Transversal Wave|Plot Finished - Close Window to Terminate"
for screen in 1024x768 800x600 1600x1200; do
  "$BUILD_DIR/osk" --headless --screen "$screen" --script "$SOURCE_DIR/res/tour.osk" --dump "$WORK/dump-$screen" >/dev/null 2>&1
  status=$?
  [ "$status" = 0 ] || fail "the tour on $screen ended with status $status"
  titles=$(cut -f2 "$WORK/dump-$screen/refreshes.txt" | uniq | paste -sd'|')
  [ "$titles" = "$expected" ] || fail "the tour on $screen showed: $titles"
done
echo "PASS ($frames GIF frames)"
