#!/usr/bin/env bash
# Measures how fast osk runs and prints one table, each figure beside its
# reference from the same run (a benchmark, not a test: nothing here passes or
# fails).  Usage:
#   scripts/bench.sh [OLD_COMMIT]
# OLD_COMMIT (any git revision) is built in a temporary worktree and measured
# alternately with this tree, so that both see the same load.  Rows:
#   headless      frames per CPU second of `--headless` with "Longitudinal",
#                 "Go" and 5,100 s of running wave (virtual clock; about
#                 100,000 frames, so that the CPU clock's 10 ms ticks and the
#                 start are small beside the run); the best of BENCH_ROUNDS
#                 alternating runs
#   memory        peak resident memory of that run, and its growth per frame
#                 (the 5,100 s run against a 10 s one)
#   every aid     the same run with every teaching aid on (--aids, three
#                 marked particles), and its cost against none (n/a for a
#                 commit without --aids)
#   window WxH    CPU share of one core while the wave runs, in a normal
#                 window, full screen (F) and the fit view (Z), under a
#                 private Xvfb with openbox; the median of BENCH_ROUNDS
#                 alternating samples of BENCH_SECONDS each; at 1920x1080
#                 also a normal window with every aid on
#   web           the page's CPU share at 1920x1080 in headless Chromium
#                 against a bare canvas repainting a band of the same size at
#                 the same rate, and the page's first picture (needs
#                 out/web/osk.html from scripts/build-web.sh and the npm
#                 packages scripts/test-web.sh installs)
# Environment: BENCH_ROUNDS (3), BENCH_SECONDS (8), BENCH_BUILD_DIR
# (build-bench), WEB_PAGE (out/web/osk.html), BENCH_SKIP (words among
# headless window web).  The machine's load is printed with the table.
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD
old=${1:-}
rounds=${BENCH_ROUNDS:-3}
seconds=${BENCH_SECONDS:-8}
build=${BENCH_BUILD_DIR:-build-bench}
page=${WEB_PAGE:-out/web/osk.html}
skip=" ${BENCH_SKIP:-} "
work=$(mktemp -d /tmp/osk-bench-XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [ -d "$work/old" ]; then git worktree remove --force "$work/old" >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
say() { echo "bench: $*" >&2; }

# ---- the programs ------------------------------------------------------------------------------

build_release() {  # SOURCE BUILD_DIR
  cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release -DOSK_BUILD_TESTS=OFF -DOSK_BUILD_BENCH=OFF >/dev/null
  cmake --build "$2" -j2 --target osk >/dev/null
}

say "building this tree (Release, $build)"
build_release "$here" "$build"
names=(this)
programs=("$here/$build/osk")
if [ -n "$old" ]; then
  rev=$(git rev-parse --short "$old^{commit}")
  say "building $rev in a temporary worktree"
  git worktree add --detach "$work/old" "$rev" >/dev/null 2>&1
  build_release "$work/old" "$work/old/build"
  names+=("$rev")
  programs+=("$work/old/build/osk")
fi
count=${#programs[@]}

rows=()
webrows=()
row() { rows+=("$(printf '%-26s' "$1")$(shift; printf '%18s' "$@")"); }

# ---- headless ----------------------------------------------------------------------------------

printf 'key l\nkey space\nwait 5100\n' > "$work/run.osk"
printf 'key l\nkey space\nwait 510\n' > "$work/counted.osk"
printf 'key l\nkey space\nwait 10\n' > "$work/short.osk"

aids=(--aids mark=6+12+30,wavelength,graph,both)

has_aids() { grep -q -- --aids <<<"$("$1" --help 2>/dev/null)"; }  # PROGRAM

cpu_seconds() {  # PROGRAM SCRIPT [OPTION...] -> "cpu_seconds max_rss_kb"
  /usr/bin/time -f '%U %S %M' -o "$work/time" "$1" --headless --script "$2" "${@:3}" >/dev/null 2>&1 || true
  awk '{ printf "%.3f %d\n", $1 + $2, $3 }' "$work/time"
}

refresh_count() {  # PROGRAM SCRIPT
  rm -rf "$work/dumps"
  "$1" --headless --script "$2" --dump "$work/dumps" --dump-format png >/dev/null 2>&1 || true
  wc -l < "$work/dumps/refreshes.txt"
}

if [[ $skip != *" headless "* ]]; then
  # The wave refreshes at a steady rate, so the long run's count follows
  # from two short ones (dumping 100,000 pages to count them would not do).
  counted=$(refresh_count "${programs[0]}" "$work/counted.osk")
  short=$(refresh_count "${programs[0]}" "$work/short.osk")
  frames=$(awk "BEGIN { printf \"%.0f\", $counted + ($counted - $short) * (5100 - 510) / (510 - 10) }")
  say "headless: $frames refreshes per run; $rounds alternating rounds"
  declare -a best rss
  for ((r = 0; r < rounds; r++)); do
    for ((i = 0; i < count; i++)); do
      read -r t m < <(cpu_seconds "${programs[i]}" "$work/run.osk")
      if [ -z "${best[i]:-}" ] || awk "BEGIN { exit !($t < ${best[i]}) }"; then best[i]=$t; fi
      rss[i]=$m
    done
  done
  cells=(); mems=(); growth=()
  for ((i = 0; i < count; i++)); do
    cells+=("$(awk "BEGIN { printf \"%.0f\", $frames / ${best[i]} }")")
    mems+=("$((rss[i] / 1024)) MiB")
    read -r _ m10 < <(cpu_seconds "${programs[i]}" "$work/short.osk")
    growth+=("$(awk "BEGIN { printf \"%.1f B\", (${rss[i]} - $m10) * 1024 / ($frames - $short) }")")
  done
  row "headless frames/CPU s" "${cells[@]}"
  row "headless peak memory" "${mems[@]}"
  row "memory growth per frame" "${growth[@]}"

  declare -a aided
  for ((r = 0; r < rounds; r++)); do
    for ((i = 0; i < count; i++)); do
      has_aids "${programs[i]}" || continue
      read -r t _ < <(cpu_seconds "${programs[i]}" "$work/run.osk" "${aids[@]}")
      if [ -z "${aided[i]:-}" ] || awk "BEGIN { exit !($t < ${aided[i]}) }"; then aided[i]=$t; fi
    done
  done
  cells=(); costs=()
  for ((i = 0; i < count; i++)); do
    if [ -z "${aided[i]:-}" ]; then cells+=("n/a"); costs+=("n/a"); continue; fi
    cells+=("$(awk "BEGIN { printf \"%.0f\", $frames / ${aided[i]} }")")
    costs+=("$(awk "BEGIN { printf \"%.2fx\", ${aided[i]} / ${best[i]} }")")
  done
  row "every aid frames/CPU s" "${cells[@]}"
  row "every aid CPU / none" "${costs[@]}"
fi

# ---- the window under Xvfb ---------------------------------------------------------------------

# CPU time of every thread of a process in nanoseconds (the scheduler's
# count: the 10 ms ticks of /proc/PID/stat are steps of 0.12 % in 8 s).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ t += $1 } END { printf "%.0f", t }'; }

window_share() {  # PROGRAM KEY(none|f|z) [OPTION...] -> percent of one core, or n/a
  local osk=$1 key=$2 pid window=""
  "$osk" "${@:3}" >/dev/null 2>"$work/osk.err" &
  pid=$!
  pids+=("$pid")
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; echo "n/a"; return; fi
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 0.5
  xdotool key l; sleep 0.5
  xdotool key space; sleep 0.5
  [ "$key" != none ] && xdotool key "$key"
  sleep 2  # the new size settles
  local before after
  before=$(cpu_ns "$pid")
  sleep "$seconds"
  after=$(cpu_ns "$pid")
  xdotool key q 2>/dev/null || true
  for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  awk "BEGIN { printf \"%.4f\", ($after - $before) / 1e9 / $seconds * 100 }"
}

median() { awk '$1 ~ /^[0-9.]+$/ { v[++n] = $1 } END { if (n == 0) { print "n/a"; exit }
  for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
  printf "%.2f %%", (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2 }'; }

window_row() {  # LABEL KEY [OPTION...]: per program the median of the rounds' samples
  local label=$1 key=$2 r i
  local -a samples=()
  for ((r = 0; r < rounds; r++)); do
    for ((i = 0; i < count; i++)); do
      if [ $# -gt 2 ] && ! has_aids "${programs[i]}"; then continue; fi  # options it does not know
      samples[i]="${samples[i]:-} $(window_share "${programs[i]}" "$key" "${@:3}")"
    done
  done
  cells=()
  for ((i = 0; i < count; i++)); do cells+=("$(tr ' ' '\n' <<<"${samples[i]:-}" | median)"); done
  say "$label: ${cells[*]}"
  row "$label" "${cells[@]}"
}

if [[ $skip != *" window "* ]]; then
  if ! command -v Xvfb >/dev/null || ! command -v openbox >/dev/null || ! command -v xdotool >/dev/null; then
    say "window: needs Xvfb, openbox and xdotool; skipped"
  else
    for size in 1280x1024 1920x1080; do
      Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
      xvfb=$!
      pids+=("$xvfb")
      for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
      export DISPLAY=":$(head -n1 "$work/display")"
      unset WAYLAND_DISPLAY SDL_VIDEODRIVER
      openbox >/dev/null 2>&1 &
      wm=$!
      pids+=("$wm")
      sleep 1
      for key in none f z; do
        window_row "window $size $( [ $key = none ] && echo normal || { [ $key = f ] && echo full || echo fit; })" "$key"
      done
      if [ "$size" = 1920x1080 ]; then window_row "window $size every aid" none "${aids[@]}"; fi
      kill "$wm" "$xvfb" 2>/dev/null || true
      wait "$wm" "$xvfb" 2>/dev/null || true
      rm -f "$work/display"
    done
  fi
fi

# ---- the web page ------------------------------------------------------------------------------

if [[ $skip != *" web "* ]]; then
  modules=${WEB_BUILD_DIR:-build-web}/browser-test/node_modules
  if [ ! -f "$page" ] || [ ! -d "$modules/puppeteer-core" ]; then
    say "web: needs $page (scripts/build-web.sh) and $modules (scripts/test-web.sh); skipped"
  else
    NODE_PATH="$here/$modules" node scripts/bench-web.js "$page" "$seconds" "$rounds" > "$work/web" || true
    while IFS='|' read -r label a b; do webrows+=("$(printf '%-26s%18s  %s' "$label" "$a" "$b")"); done < "$work/web"
  fi
fi

# ---- the table ---------------------------------------------------------------------------------

echo
echo "osk bench, $(git rev-parse --short HEAD)$(git diff --quiet HEAD 2>/dev/null || echo '+changes'), $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-26s' ""
for n in "${names[@]}"; do printf '%18s' "$n"; done
echo
for r in "${rows[@]}"; do echo "$r"; done
if [ ${#webrows[@]} -gt 0 ]; then
  printf '%-26s%18s  %s\n' "web ($page)" "page" "floor"
  for r in "${webrows[@]}"; do echo "$r"; done
fi
