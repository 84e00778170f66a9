#!/usr/bin/env bash
# What a headless run records: the GIF's frames (as shown, one after the
# other) are the run's page dumps, in their order and pixel for pixel, the
# last picture last; the PNG dumps show the pictures of the BMP dumps; a
# recording that cannot be written is said in one line, and the run ends
# with status 3.
# The same on every build (a Windows build's BUILD_DIR/osk runs osk.exe
# under wine, whose imaging component writes no frame delays: none are
# checked here).
#   recording.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
source "$(dirname "$0")/support/common.sh"
require_osk
command -v convert >/dev/null || { echo "SKIP: ImageMagick not installed"; exit 0; }
cd "$WORK" || exit 1

# "Longitudinal", two steps, "Go" for a moment, "Stop".
printf '%s\n' "click 682 34" "wait 0.3" "click 664 34" "wait 0.3" "click 664 34" "wait 0.3" \
              "click 866 34" "wait 0.5" "click 866 34" "wait 0.3" >run.osk
"$OSK" --headless --script run.osk --dump bmp --record run.gif >/dev/null 2>err.txt || fail "bmp run: $(cat err.txt)"
"$OSK" --headless --script run.osk --dump png --dump-format png >/dev/null 2>err.txt || fail "png run: $(cat err.txt)"
cmp -s bmp/refreshes.txt png/refreshes.txt || fail "the two runs refreshed differently"

picture() { convert "$1" rgb:- | md5sum | cut -d' ' -f1; }
dumps=()
for f in bmp/refresh-*.bmp; do
  p=$(picture "$f")
  [ "$p" = "$(picture "png/$(basename "$f" .bmp).png")" ] || fail "$(basename "$f" .bmp): the PNG and the BMP differ"
  dumps+=("$p")
done
[ ${#dumps[@]} -gt 10 ] || fail "only ${#dumps[@]} refreshes"

# Each frame is a later dump than the frame before (pictures within one
# hundredth of a second leave only the last).
convert run.gif -coalesce frame-%04d.png || fail "the GIF cannot be read"
frames=(frame-*.png)
[ ${#frames[@]} -gt 5 ] || fail "only ${#frames[@]} frames"
i=0
for f in "${frames[@]}"; do
  p=$(picture "$f")
  while [ $i -lt ${#dumps[@]} ] && [ "${dumps[$i]}" != "$p" ]; do i=$((i + 1)); done
  [ $i -lt ${#dumps[@]} ] || fail "$f is no dump of the run (or out of order)"
done
[ "$p" = "${dumps[-1]}" ] || fail "the last frame is not the last picture"

# A file that cannot be written: one line, status 3, nothing left behind.
"$OSK" --headless --script run.osk --record missing/run.gif >/dev/null 2>err.txt; status=$?
[ $status = 3 ] || fail "an unwritable recording: status $status"
# (Windows ends its lines with CR LF.)
tr -d '\r' <err.txt | grep -qx "osk: cannot write missing/run.gif: No such file or directory (no recording)" || fail "the message: $(cat err.txt)"
[ ! -e missing ] || fail "something was created"
echo "PASS: ${#frames[@]} frames of ${#dumps[@]} refreshes"
