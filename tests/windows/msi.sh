#!/usr/bin/env bash
# The MSI under wine: a silent install puts the program, the tour and the
# README into Program Files, a Start menu entry and an entry among the
# installed programs; the program starts from there; a newer MSI (the same
# package with a higher version) replaces it, leaving one entry; a silent
# uninstall removes it all.  Arguments: WINDOWS_BUILD_DIR.
set -u
build=$(cd "${1:?}" && pwd)
run="$build/wine-run"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
msi="$build/osk-$version-win64.msi"
[ -s "$msi" ] || { echo "FAIL: $msi not built"; exit 1; }
prefix=${OSK_WINEPREFIX:-$build/wine}
dir="$prefix/drive_c/Program Files/osk"
work=$(mktemp -d /tmp/osk-msi-XXXXXX)
cleanup() {
  if [ -e "$dir" ]; then  # a failed run leaves no installation behind
    for m in "$work/newer.msi" "$msi"; do [ -e "$m" ] && "$run" msiexec /x "$m" /qn >/dev/null 2>&1; done
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
menu_entry() { find "$prefix/drive_c" -path '*/Start Menu/Programs/osk - Waves.lnk' | head -n1; }
entries() {  # the installed-programs entries named osk: "DisplayVersion" values
  "$run" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
    tr -d '\r' | awk '/^HKEY/ {osk = 0} /DisplayName +REG_SZ +osk$/ {osk = 1} osk && /DisplayVersion/ {print $3}' | sort
}
[ -e "$dir" ] && fail "osk is installed in the prefix already: $dir"

"$run" msiexec /i "$msi" /qn || fail "silent install: status $?"
for f in osk.exe tour.osk README.txt; do [ -s "$dir/$f" ] || fail "not installed: $f"; done
cmp -s "$dir/osk.exe" "$build/osk.exe" || fail "the installed osk.exe is not the build's"
[ -n "$(menu_entry)" ] || fail "no Start menu entry"
[ "$(entries)" = "$version" ] || fail "installed programs list osk as '$(entries)', not $version"
out=$("$run" 'C:\Program Files\osk\osk.exe' --version | tr -d '\r' | head -n1)
[ "$out" = "osk $version" ] || fail "the installed program says '$out'"

# A newer version of the same package replaces this one.
IFS=. read -r major minor rest <<<"$version"
newer="$major.$((minor + 1)).0"
(cd "$build/package" && wixl -a x64 -D Version="$newer" -D ProductCode="$(cat /proc/sys/kernel/random/uuid)" -o "$work/newer.msi" osk.wxs 2>/dev/null) ||
  fail "cannot build the newer package"
"$run" msiexec /i "$work/newer.msi" /qn || fail "silent upgrade: status $?"
[ "$(entries)" = "$newer" ] || fail "after the upgrade installed programs list osk as '$(entries)'"
[ -s "$dir/osk.exe" ] || fail "the upgrade removed the program"

"$run" msiexec /x "$work/newer.msi" /qn || fail "silent uninstall: status $?"
[ -e "$dir" ] && fail "left behind: $(ls -A "$dir")"
[ -n "$(menu_entry)" ] && fail "the Start menu entry is left behind"
[ -z "$(entries)" ] || fail "installed programs still list osk $(entries)"
echo "PASS: install, start, upgrade to $newer, uninstall"
