# xserver.sh - sourced after common.sh by the end-to-end scripts that need
# a real window; at exit osk (OSK_PID) and the X server (XVFB_PID) are ended.
#
# start_xserver SIZE       starts a private Xvfb (screen SIZE, e.g. 1024x768)
#                          on a free display number, exports DISPLAY and sets
#                          XVFB_PID; where no X server can be started,
#                          status 1 and a "SKIP:" line with the reason.
# build_wm_close           compiles WORK/wm_close WINDOW, which closes a window
#                          the way a window manager asks (WM_DELETE_WINDOW);
#                          status 1 without a C compiler or Xlib headers.

XVFB_PID=""
OSK_PID=""
end_session() {
  [ -n "$OSK_PID" ] && kill "$OSK_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
}
at_exit end_session

start_xserver() {
  # -noreset: without it the server resets when its last client leaves, and
  # a program started in that moment finds no display.
  # A loaded machine (CI builds beside the tests) can start it slowly, or
  # it can end at once without a word (seen once in CI): up to three tries
  # of up to 15 s each.
  local try status
  for try in 1 2 3; do
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    for _ in $(seq 300); do
      [ -s "$WORK/display" ] && break
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.05
    done
    [ -s "$WORK/display" ] && break
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    status=$?
    XVFB_PID=""
    echo "note: Xvfb try $try did not start (status $status): $(head -c 300 "$WORK/xvfb.log")"
  done
  [ -s "$WORK/display" ] || { echo "SKIP: Xvfb did not start: $(head -c 300 "$WORK/xvfb.log")"; return 1; }
  DISPLAY=":$(head -n1 "$WORK/display")"
  export DISPLAY
  unset WAYLAND_DISPLAY SDL_VIDEODRIVER
  # In a sanitizer build, the system libraries that SDL loads for X (D-Bus
  # and others) keep buffers to the end; leak reports are left to the
  # headless tests, memory errors still end the run.
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"  # last one wins
}

build_wm_close() {
  cc -x c -o "$WORK/wm_close" - -lX11 2>/dev/null <<'C'
#include <X11/Xlib.h>
#include <stdlib.h>
int main(int argc, char** argv) {
    Display* d = argc == 2 ? XOpenDisplay(NULL) : NULL;
    if (!d) return 1;
    XEvent e = {0};
    e.xclient.type = ClientMessage;
    e.xclient.window = (Window)strtoul(argv[1], NULL, 0);
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, e.xclient.window, False, NoEventMask, &e);
    XCloseDisplay(d);
    return 0;
}
C
}
