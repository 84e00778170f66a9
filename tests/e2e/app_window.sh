#!/usr/bin/env bash
# The real window under a virtual X server: the window appears with its
# title, shows the title strip and the page, takes mouse clicks at client
# coordinates and key presses, and ends with status 0 when it is closed
# politely (WM_DELETE_WINDOW) or through "Quit"; a session in the window is
# recorded as a GIF and dumped page by page when asked.
# Arguments: BUILD_DIR SOURCE_DIR.  Skips (status 0, "SKIP:" line) only
# where no X server can be started.
set -u
source "$(dirname "$0")/support/common.sh"
require_osk
for tool in Xvfb xdotool import convert identify cc; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 0; }
done

source "$SOURCE_DIR/tests/e2e/support/xserver.sh"
start_xserver 1280x1024 || exit 0
build_wm_close || fail "cannot build the close helper"

start_osk() {  # arguments go to osk
    mkdir -p "$WORK/run"
    (cd "$WORK/run" && XDG_CONFIG_HOME="$WORK/config" exec "$OSK" "$@") >"$WORK/osk.log" 2>&1 &
    OSK_PID=$!
    WID=$(timeout 15 xdotool search --sync --onlyvisible --pid "$OSK_PID" 2>/dev/null | head -1)
    [ -n "$WID" ] || fail "no window appeared"
    sleep 0.5
}
wait_exit() {  # waits up to 15 s; sets STATUS
    for _ in $(seq 150); do
        kill -0 "$OSK_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$OSK_PID" 2>/dev/null && fail "osk did not end"
    wait "$OSK_PID"; STATUS=$?; OSK_PID=""
    [ "$STATUS" = 0 ] || cat "$WORK/osk.log" >&2
}
pixel() {  # pixel X Y of the window's picture in $SHOT -> "r,g,b"
    convert "$SHOT" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:
}

# ---- run 1: title, picture, a click, WM_DELETE_WINDOW -----------------------------------
start_osk
TITLE=$(xdotool getwindowname "$WID")
[ "$TITLE" = "Plane Longitudinal/Transversal Waves - sorel_dunes" ] || fail "window title '$TITLE'"
eval "$(xwininfo -id "$WID" | awk '/Width:/{print "W=" $2} /Height:/{print "H=" $2}')"
# The page fits the 1280 x 1024 screen: u = (1280 - 16) / 28 pixels per unit
# across and 180 / 4 = 45 up; the view is imageWidth + 4 by imageHeight + 24.
[ "$W" = 1268 ] && [ "$H" = 204 ] || fail "client size ${W}x$H, expected 1268x204"
# Client point of user point (x, y): column x * 1264 / 28 + 2, row 179 - y * 45 + 18.
cx() { awk -v x="$1" 'BEGIN { printf "%d", int(x * 1264 / 28) + 2 }'; }
cy() { awk -v y="$1" 'BEGIN { printf "%d", 179 - int(y * 45) + 18 }'; }

SHOT="$WORK/start.png"
import -window "$WID" "$SHOT" || fail "no screenshot"
[ "$(pixel 1 1)" = "255,255,255" ] || fail "title strip background $(pixel 1 1)"
DARK=$(convert "$SHOT" -crop 130x16+0+0 -threshold 50% -negate -format "%[fx:int(mean*w*h+0.5)]" info:)
[ "$DARK" -gt 60 ] || fail "no text in the title strip ($DARK dark pixels)"
[ "$(pixel "$(cx 26.2)" "$(cy 3.3)")" = "255,0,0" ] || fail "no red Quit box: $(pixel "$(cx 26.2)" "$(cy 3.3)")"
[ "$(pixel "$(cx 15.6)" "$(cy 3.3)")" = "255,255,255" ] || fail "page not blank where Back will be"

# A left click on "Longitudinal" enters the animation (stepping, frame 0).
xdotool mousemove --window "$WID" "$(cx 18.1)" "$(cy 3.3)" click 1
sleep 1
SHOT="$WORK/anim.png"
import -window "$WID" "$SHOT"
[ "$(pixel "$(cx 15.0)" "$(cy 3.3)")" = "200,200,200" ] || fail "no grey Back box after the click: $(pixel "$(cx 15.0)" "$(cy 3.3)")"
cp "$SHOT" "$BUILD_DIR/app_window_shot.png" 2>/dev/null

"$WORK/wm_close" "$WID" || fail "close helper failed"
wait_exit
[ "$STATUS" = 0 ] || fail "exit status $STATUS after closing the window"

# ---- run 2: the keyboard: "l" enters the animation, "q" quits; recorded ---------------------------
start_osk --record "$WORK/session.gif" --dump "$WORK/dump"
xdotool key --window "$WID" l
sleep 0.7
SHOT="$WORK/key.png"
import -window "$WID" "$SHOT"
[ "$(pixel "$(cx 15.0)" "$(cy 3.3)")" = "200,200,200" ] || fail "key l did not start the animation"
# A right click in the paused-free stepping screen advances like "Next"; then quit by key.
xdotool mousemove --window "$WID" "$(cx 5)" "$(cy 1)" click 3
sleep 0.3
xdotool key --window "$WID" q 2>/dev/null  # the window may be gone before the key is released
wait_exit
[ "$STATUS" = 0 ] || fail "exit status $STATUS after q"
grep -q "Bild passt nicht" "$WORK/osk.log" && fail "unexpected fit message"
# The recording: the start screen, the animation and what followed, at the page's size.
FRAMES=$(identify -format "%n\n" "$WORK/session.gif" 2>/dev/null | head -1)
[ "${FRAMES:-0}" -ge 3 ] || fail "the session GIF has ${FRAMES:-no} frames"
GIF_SIZE=$(identify -format "%Wx%H\n" "$WORK/session.gif" | head -1)
[ "$GIF_SIZE" = 1264x180 ] || fail "the session GIF is $GIF_SIZE, expected the page's 1264x180"
REFRESHES=$(wc -l <"$WORK/dump/refreshes.txt")
[ "$REFRESHES" -ge 3 ] && [ -f "$WORK/dump/refresh-00001.bmp" ] || fail "$REFRESHES refreshes dumped"

echo "PASS: window, title, picture, click, keys, close, recording"
exit 0
