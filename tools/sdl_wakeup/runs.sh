#!/usr/bin/env bash
# runs.sh PROGRAM N [sendevent]: N window runs of PROGRAM (osk or the probe) under load:
# press the keys of $KEYS (default "l q": choose the wave, then Quit while the program waits for input).
# Input by XTEST or, with "sendevent", by xdotool's XSendEvent to the window.  Counts the
# program's statuses and X errors, and xdotool's own X errors (a key release sent to a
# window that is already gone) separately.
osk=$1; n=$2; how=${3:-xtest}; display=":$((100 + RANDOM % 800))"
work=$(mktemp -d)
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 & xvfb=$!
load=(); for k in 1 2 3; do (while :; do :; done) & load+=($!); done
sleep 1
export DISPLAY=$display
press() {
  if [ "$how" = sendevent ]; then xdotool key --window "$w" "$1"; else xdotool key "$1"; fi
}
bad=0; xerr=0; xdoerr=0
for i in $(seq "$n"); do
  "$osk" > /dev/null 2> "$work/err$i" & pid=$!
  w=""; for _ in $(seq 100); do w=$(xdotool search --pid $pid 2>/dev/null | head -n1); [ -n "$w" ] && break; sleep 0.1; done
  sleep 0.3
  xdotool windowfocus --sync "$w" 2>/dev/null; xdotool mousemove --window "$w" 300 60
  for key in ${KEYS:-l q}; do press "$key" 2>> "$work/xdo$i"; sleep 0.3; done
  wait $pid; st=$?
  [ $st -ne 0 ] && { bad=$((bad+1)); echo "  run $i: status $st"; }
  grep -q -i "X Error\|BadWindow" "$work/err$i" && { xerr=$((xerr+1)); head -n 3 "$work/err$i" | sed "s/^/  run $i osk: /"; }
  grep -q -i "X Error" "$work/xdo$i" && xdoerr=$((xdoerr+1))
done
kill "${load[@]}" $xvfb
echo "runs: $n ($how), osk nonzero status: $bad, osk X errors: $xerr, xdotool's own X errors: $xdoerr"
rm -rf "$work"
