#!/usr/bin/env bash
# reproducible-msi.sh MSI EPOCH: replaces what wixl takes from the clock and
# from chance in the MSI's summary information: the created and last-saved
# times become EPOCH (seconds since 1970), the package code (the summary's
# revision number) a UUID made from the SHA-256 of the rest of the file, so
# that it changes exactly when the package does.  Checks the result with
# msiinfo.
set -euo pipefail
msi=${1:?MSI file}
epoch=${2:?seconds since 1970}
fail() { echo "reproducible-msi: $msi: $*" >&2; exit 1; }

code=$(msiinfo suminfo "$msi" | sed -n 's/^Revision number (UUID): \({[0-9A-F-]*}\)$/\1/p')
[ ${#code} -eq 38 ] || fail "no package code in the summary information"

# The summary stream holds the code as a string, then the two times as
# FILETIMEs (property type 0x40: 100 ns units since 1601).  One match only.
patch() {  # patch PACKAGE_CODE: writes the file with that code and the times
  CODE=$code NEW=$1 EPOCH=$epoch perl -0777 -i -pe '
    BEGIN { binmode STDIN; binmode STDOUT; }
    my $time = pack("Q<", ($ENV{EPOCH} + 11644473600) * 10000000);
    my $n = s/\Q$ENV{CODE}\E(\0*\x40\0\0\0).{8}(\x40\0\0\0).{8}/$ENV{NEW}$1$time$2$time/gs;
    die "the package code and times are not where expected ($n matches)\n" unless $n == 1;' "$msi"
  code=$1
}
patch "{00000000-0000-0000-0000-000000000000}"
hash=$(sha256sum "$msi" | tr a-f A-F)
patch "{${hash:0:8}-${hash:8:4}-${hash:12:4}-${hash:16:4}-${hash:20:12}}"

summary=$(msiinfo suminfo "$msi")
grep -qxF "Revision number (UUID): $code" <<<"$summary" || fail "the package code did not take"
created=$(TZ=UTC date -d "@$epoch" '+%a %b %e %H:%M:%S %Y')
[ "$(TZ=UTC msiinfo suminfo "$msi" | sed -n 's/^Created: //p')" = "$created" ] ||
  fail "the creation time did not take (wanted $created)"
