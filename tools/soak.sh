#!/usr/bin/env bash
# Long runs of a running wave, sampled once a minute (not part of CI):
#   tools/soak.sh window MINUTES [OSK]   the window backend under a private Xvfb:
#                                        resident memory and open files of osk,
#                                        X errors on its standard error, exit status
#   tools/soak.sh browser MINUTES [HTML] the web page in headless Chromium
#                                        (puppeteer-core as installed by
#                                        scripts/test-web.sh): JS heap, resident
#                                        memory and open files of the renderer,
#                                        console errors
# Prints one line per sample and a summary: first and last sample and the largest.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:?window or browser}; minutes=${2:?minutes}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT

summary() {  # columns: minute rss_kB fds [heap_bytes]
  awk '{ n++; for (i = 2; i <= NF; i++) { if (n == 1) f[i] = $i; l[i] = $i; if ($i > m[i]) m[i] = $i } }
       END { split("rss_kB fds js_heap", name, " ")
             for (i = 2; i <= NF; i++) printf "  %s: first %s, last %s, max %s\n", name[i-1], f[i], l[i], m[i] }' "$1"
}

window_run() {
  local osk=${3:-$here/build/osk} display=":$((100 + RANDOM % 800))"
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
  sleep 1
  DISPLAY=$display "$osk" > "$work/out.log" 2> "$work/err.log" &
  local pid=$!
  local window=""
  for _ in $(seq 50); do
    window=$(DISPLAY=$display xdotool search --pid "$pid" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "soak: no window" >&2; exit 1; }
  sleep 1
  DISPLAY=$display xdotool key --window "$window" l; sleep 0.5
  DISPLAY=$display xdotool key --window "$window" space
  : > "$work/samples"
  for minute in $(seq 0 "$minutes"); do
    [ "$minute" -gt 0 ] && sleep 60
    kill -0 "$pid" || { echo "soak: osk ended early" >&2; break; }
    local rss fds
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
    fds=$(ls "/proc/$pid/fd" | wc -l)
    echo "$minute $rss $fds" | tee -a "$work/samples"
  done
  DISPLAY=$display xdotool key --window "$window" q 2>/dev/null || true
  local status=0
  wait "$pid" || status=$?
  echo "window: $minutes min, exit status $status, X errors: $(grep -c -i 'X Error\|BadWindow' "$work/err.log" || true)"
  sed 's/^/  stderr: /' "$work/err.log" | head -n 5
  summary "$work/samples"
}

browser_run() {
  local page=${3:-$here/out/web/osk.html}
  local modules=$here/${WEB_BUILD_DIR:-build-web}/browser-test/node_modules
  [ -d "$modules" ] || { echo "soak: run scripts/test-web.sh once to install puppeteer-core" >&2; exit 1; }
  NODE_PATH=$modules node "$here/tools/soak_browser.js" "$page" "$minutes" | tee "$work/log"
  grep "^sample" "$work/log" | cut -d" " -f2-5 > "$work/samples"
  summary "$work/samples"
}

case $mode in
  window) window_run "$@" ;;
  browser) browser_run "$@" ;;
  *) echo "usage: tools/soak.sh window|browser MINUTES [OSK|HTML]" >&2; exit 2 ;;
esac
