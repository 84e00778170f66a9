#!/usr/bin/env bash
# osk.exe's PE header and contents: address-space layout randomisation with
# 64-bit entropy, no-execute data, no link time (the same sources give the
# same bytes), the stack protector linked in and no build path inside.
# Arguments: WINDOWS_BUILD_DIR SOURCE_DIR.
set -u
exe="${1:?}/osk.exe"
src=$(cd "${2:?}" && pwd)
fail() { echo "FAIL: $*"; exit 1; }
[ -s "$exe" ] || fail "$exe not built"
header=$(x86_64-w64-mingw32-objdump -p "$exe") || fail "objdump cannot read $exe"

# DllCharacteristics: 0x20 HIGH_ENTROPY_VA, 0x40 DYNAMIC_BASE, 0x100 NX_COMPAT.
flags=$(awk '$1 == "DllCharacteristics" {print $2}' <<<"$header")
[ -n "$flags" ] || fail "no DllCharacteristics in the header"
for bit in HIGH_ENTROPY_VA:0x20 DYNAMIC_BASE:0x40 NX_COMPAT:0x100; do
  (((16#$flags & ${bit#*:}) != 0)) || fail "DllCharacteristics $flags lacks ${bit%:*}"
done
stamp=$(awk -F'\t+' '$1 == "Time/Date" {print $2}' <<<"$header")
[ "$stamp" = "Thu Jan  1 00:00:00 1970" ] || fail "the header carries the link time '$stamp'"

grep -q --text 'stack smashing detected' "$exe" || fail "no stack protector in $exe"
! grep -q --text -F "$src" "$exe" || fail "$exe contains the build path $src"
echo "PASS: $exe: DllCharacteristics $flags, no time stamp, stack protector, no build path"
