#!/usr/bin/env bash
# deb-normalize.sh IN.deb OUT.deb: writes IN's package again so that its
# bytes depend on its contents only: every member's time is
# SOURCE_DATE_EPOCH, owner and group root, members in name order (dpkg-deb
# sorts them and dates the ar members with SOURCE_DATE_EPOCH).
set -euo pipefail
in=${1:?package}
out=${2:?output}
: "${SOURCE_DATE_EPOCH:?the time to give every file (seconds since 1970)}"
export SOURCE_DATE_EPOCH
tree=$(mktemp -d /tmp/osk-deb-XXXXXX)
trap 'rm -rf "$tree"' EXIT
dpkg-deb --raw-extract "$in" "$tree/root"
find "$tree/root" -depth -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group -Zxz --build "$tree/root" "$out.tmp" >/dev/null
mv "$out.tmp" "$out"
