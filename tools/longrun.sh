#!/usr/bin/env bash
# A long headless run of one wave (virtual clock) with resident memory and
# open files sampled every second; prints the mean of the first and the last
# 10 % of the samples.
#   tools/longrun.sh long|trans FRAMES [BUILD_DIR]
set -euo pipefail
wave=${1:-long}; frames=${2:-1000000}; build=${3:-build}
here=$(cd "$(dirname "$0")/.." && pwd)
period=$([ "$wave" = long ] && echo 0.05 || echo 0.04)
key=$([ "$wave" = long ] && echo l || echo t)
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
seconds=$(awk -v f="$frames" -v p="$period" 'BEGIN { printf "%.3f", f * p }')
printf 'key %s\nkey space\nwait %s\nkey q\n' "$key" "$seconds" > "$work/run.osk"
start=$(date +%s.%N)
"$here/$build/osk" --headless --script "$work/run.osk" > /dev/null &
pid=$!
: > "$work/samples"
sleep 1  # past start-up
while kill -0 "$pid" 2>/dev/null; do
  rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
  fds=$(ls "/proc/$pid/fd" 2>/dev/null | wc -l || true)
  [ -n "$rss" ] && echo "$rss $fds" >> "$work/samples"
  sleep 1
done
wait "$pid"; status=$?
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" -v f="$frames" -v w="$wave" -v rc="$status" '
  { rss[NR] = $1; fds[NR] = $2 }
  END {
    n = NR; k = int(n / 10); if (k < 1) k = 1
    for (i = 1; i <= k; i++) { a += rss[i]; fa += fds[i]; b += rss[n - k + i]; fb += fds[n - k + i] }
    printf "%s: %d frames in %.1f s wall (%.0f frames/s), exit %d, %d samples\n", w, f, e - s, f / (e - s), rc, n
    printf "  resident memory: first 10%% %.0f kB, last 10%% %.0f kB; open files: %.1f -> %.1f\n", a / k, b / k, fa / k, fb / k
  }' "$work/samples"
