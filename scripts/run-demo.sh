#!/usr/bin/env bash
# Starts the wave demonstration in a window.  With no display, says so and
# records the built-in tour headless to an animated GIF instead, printing its
# path.  Builds first when the program is missing.
#   scripts/run-demo.sh [osk arguments]      BUILD_DIR (default build), OUT_DIR (default out)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
out=${OUT_DIR:-out}
if [ ! -x "$build/osk" ]; then
  scripts/setup.sh
  BUILD_DIR=$build scripts/build.sh
fi

# As the program decides: a video driver named for the window backend, a
# Wayland display, or an X display that answers.
have_display() {
  [ -n "${SDL_VIDEODRIVER:-}" ] && return 0
  [ -n "${WAYLAND_DISPLAY:-}" ] && return 0
  [ -n "${DISPLAY:-}" ] || return 1
  if command -v xdpyinfo >/dev/null 2>&1; then
    xdpyinfo >/dev/null 2>&1
  fi
}

if have_display; then
  exec "$build/osk" "$@"
fi

echo "No display available: recording the built-in tour headless instead."
mkdir -p "$out"
gif=$(cd "$out" && pwd)/tour.gif
# (The plot library's console messages are not for the user.)
"$build/osk" --headless --script res/tour.osk --record "$gif" >/dev/null
echo "$gif"
