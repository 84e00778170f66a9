#!/usr/bin/env bash
# The osk command line without a window system: usage errors, the missing
# display, script errors, and a scripted headless run with page dumps and a
# GIF recording.  Arguments: BUILD_DIR SOURCE_DIR.
set -u
source "$(dirname "$0")/support/common.sh"
require_osk
cd "$WORK" || exit 1
export XDG_CONFIG_HOME="$WORK/config"

"$OSK" --version >out.txt 2>err.txt || fail "--version status $?"
[ "$(head -1 out.txt)" = "osk 1.0.0.1" ] || fail "--version says '$(head -1 out.txt)'"
"$OSK" --help >out.txt 2>&1 || fail "--help status $?"
grep -q -- "--script FILE" out.txt || fail "--help does not explain --script"

"$OSK" --bogus >out.txt 2>err.txt; status=$?
[ $status = 2 ] || fail "unknown option: status $status"
[ "$(wc -l <err.txt)" = 1 ] && grep -q -- "--bogus" err.txt || fail "unknown option message: $(cat err.txt)"

env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$OSK" >out.txt 2>err.txt; status=$?
[ $status = 2 ] || fail "no display: status $status"
[ "$(wc -l <err.txt)" = 1 ] && grep -q "headless" err.txt || fail "no display message: $(cat err.txt)"
# Without a display, the window system SDL_VIDEODRIVER names is tried.
if grep -q '^SDL2_DIR:PATH=/' "$BUILD_DIR/CMakeCache.txt"; then
    env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=none-such "$OSK" >out.txt 2>err.txt; status=$?
    [ $status = 2 ] && grep -q "SDL_VIDEODRIVER=none-such" err.txt || fail "SDL_VIDEODRIVER: status $status, $(cat err.txt)"
fi

# A display that is named but does not answer is no display either.
# (Sanitizer builds: the desktop-bus library SDL loads keeps buffers for the process's life.)
ASAN_OPTIONS=detect_leaks=0 DISPLAY=:987 WAYLAND_DISPLAY= SDL_VIDEODRIVER= timeout 20 "$OSK" >out.txt 2>err.txt; status=$?
[ $status = 2 ] || fail "unreachable display: status $status"
[ "$(wc -l <err.txt)" = 1 ] && grep -q "headless" err.txt || fail "unreachable display message: $(cat err.txt)"

printf 'click 10 10\nwiat 2\n' >bad.txt
"$OSK" --headless --script bad.txt >out.txt 2>err.txt; status=$?
[ $status = 2 ] || fail "bad script: status $status"
grep -q "^osk: script line 2: " err.txt || fail "bad script message: $(cat err.txt)"
[ -e refreshes.txt ] && fail "a bad script must stop the run before it starts"

# Mistakes each get one line on standard error.
"$OSK" --headless --script "$WORK" >out.txt 2>err.txt; status=$?
[ $status = 2 ] || fail "a directory as script: status $status"
[ "$(wc -l <err.txt)" = 1 ] && grep -q "Is a directory" err.txt || fail "directory script message: $(cat err.txt)"
"$OSK" --headless >out.txt 2>err.txt || fail "no script: status $?"
[ "$(wc -l <err.txt)" = 1 ] && grep -q -- "no --script" err.txt || fail "no script message: $(cat err.txt)"
: >empty.txt
"$OSK" --headless --script empty.txt no-such-file.txt >out.txt 2>err.txt; status=$?
[ $status = 1 ] || fail "missing FILE: status $status"
[ "$(wc -l <err.txt)" = 1 ] && grep -q "no-such-file.txt" err.txt || fail "missing FILE message: $(cat err.txt)"

# The default 1024 x 768 screen gives 36 pixels per unit: user point (x, y)
# is client point (2 + int(36 x), 18 + 143 - int(36 y)).  Buttons' label
# base lines are at y 3.4; their boxes span 3.25 to 3.82.
cat >run.txt <<'EOF'
# start screen: "Longitudinal" (x 18.9)
click 682 34
wait 0.5
# stepping: "Go" (x 24.0) starts the running animation
click 866 34
wait 2
# "Stop", then "Quit" of the paused menu
click 866 34
wait 0.5
click 966 34
EOF
start=$(date +%s.%N)
(umask 027; "$OSK" --headless --script run.txt --dump dumps --record run.gif >out.txt 2>err.txt); status=$?
end=$(date +%s.%N)
[ $status = 0 ] || fail "scripted run: status $status: $(cat err.txt)"
[ -s dumps/refreshes.txt ] || fail "no refreshes.txt"
lines=$(wc -l <dumps/refreshes.txt)
bmps=$(ls dumps/refresh-*.bmp | wc -l)
[ "$lines" = "$bmps" ] || fail "$lines log lines but $bmps BMP files"
[ "$lines" -gt 20 ] || fail "only $lines refreshes for 2 s of animation"
awk -F'\t' '{ if ($1 != sprintf("%05d", NR)) { print "bad line " NR ": " $0; exit 1 } }' dumps/refreshes.txt || fail "numbering"
[ "$(tail -1 dumps/refreshes.txt | cut -f2)" = "Plot Finished - Close Window to Terminate" ] || fail "last title: $(tail -1 dumps/refreshes.txt)"
grep -q "	Longitudinal Wave$" dumps/refreshes.txt || fail "no refresh of the longitudinal wave"
size=$(stat -c %s dumps/refresh-00001.bmp)
[ "$size" = $((1078 + 1008 * 144)) ] || fail "dump size $size"
[ "$(identify -format '%w %h %[type]\n' dumps/refresh-00001.bmp | head -1)" != "" ] || fail "dump not readable"
[ "$(stat -c %a run.gif)" = 640 ] || fail "the recording has mode $(stat -c %a run.gif) under umask 027"
frames=$(identify run.gif | wc -l)
[ "$frames" -gt 10 ] || fail "only $frames GIF frames"
# The virtual clock, not the machine, sets the pace: 3.5 s of script in well under that.
awk -v s="$start" -v e="$end" 'BEGIN { exit !(e - s < 3.0) }' || fail "the headless run took $(awk -v s="$start" -v e="$end" 'BEGIN{print e-s}') s"

# Keys stand for buttons; the end of the script closes the window (status 0).
printf 'key l\nwait 0.2\nkey right\nwait 0.2\n' >keys.txt
# Its dumps as PNG: one per log line, the first the same picture as the BMP.
"$OSK" --headless --script keys.txt --dump kd --dump-format png >out.txt 2>err.txt; status=$?
[ $status = 0 ] || fail "key run: status $status"
[ "$(ls kd/refresh-*.png | wc -l)" = "$(wc -l <kd/refreshes.txt)" ] && [ ! -e kd/refresh-00001.bmp ] ||
  fail "PNG dumps: $(ls kd)"
[ "$(convert kd/refresh-00001.png rgb:- | md5sum)" = "$(convert dumps/refresh-00001.bmp rgb:- | md5sum)" ] ||
  fail "the first PNG dump differs from the first BMP dump"
grep -q "Longitudinal Wave" kd/refreshes.txt || fail "key l did not start the animation"
grep -q "Plot Finished" kd/refreshes.txt && fail "closing the window is not Quit"

echo "PASS: command line, script errors, headless run with $lines refreshes and $frames GIF frames"
exit 0
