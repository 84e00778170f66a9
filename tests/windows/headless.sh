#!/usr/bin/env bash
# osk.exe under wine against the Linux build's osk: the command line answers
# alike (status, standard output and error; the console's CR LF line ends
# aside), and the headless tour's page dumps and refresh log are the same
# bytes.  Arguments: WINDOWS_BUILD_DIR LINUX_BUILD_DIR SOURCE_DIR.
set -u
win="$(cd "${1:?}" && pwd)/osk"
linux="$(cd "${2:?}" && pwd)/osk"
src=$(cd "${3:?}" && pwd)
[ -x "$linux" ] || { echo "FAIL: $linux not built (the Linux build is the reference)"; exit 1; }
work=$(mktemp -d /tmp/osk-windows-XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail() { echo "FAIL: $*"; exit 1; }

printf 'click 10 10\nwiat 2\n' >bad.osk
: >empty.osk
cases=(
  "--version"
  "--help"
  "--bogus"
  "--headless"
  "--headless --script bad.osk"
  "--headless --script empty.osk no-such-file.osk"
  "--headless --screen 10x10"
  "--dump-format gif --dump d"
  "--script empty.osk"
)
for args in "${cases[@]}"; do
  # shellcheck disable=SC2086  # the cases are word lists
  for side in linux win; do
    "${!side}" $args >"$side.out" 2>"$side.err"
    echo $? >"$side.status"
    sed -i 's/\r$//' "$side.out" "$side.err"
  done
  for part in status out err; do
    cmp -s "linux.$part" "win.$part" || fail "osk $args: standard ${part/status/exit status} differs:
$(diff "linux.$part" "win.$part" | head -20)"
  done
done

"$linux" --headless --script "$src/res/tour.osk" --dump linux-tour >/dev/null 2>&1 || fail "Linux tour: status $?"
"$win" --headless --script "$src/res/tour.osk" --dump win-tour >/dev/null 2>&1 || fail "Windows tour: status $?"
refreshes=$(wc -l <linux-tour/refreshes.txt)
[ "$refreshes" -gt 100 ] || fail "the tour gave only $refreshes refreshes"
diff -r linux-tour win-tour >diff.txt || fail "the tour's dumps differ: $(head -5 diff.txt)"
echo "PASS: ${#cases[@]} command lines alike; the tour's $refreshes refreshes the same bytes"
