#!/usr/bin/env bash
# clang-tidy (.clang-tidy) on every source file of the build in build/ (or
# $BUILD_DIR; configured by scripts/build.sh), headers included; any finding
# fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
[ -f "$build/compile_commands.json" ] || { echo "tidy: $build is not configured (scripts/build.sh)" >&2; exit 1; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if run-clang-tidy-14 -p "$build" -quiet -j"$(nproc)" "^$PWD/(?!$build/)" >"$log" 2>&1; then
  echo "tidy: no findings in $(grep -c '"file"' "$build/compile_commands.json") files"
else
  grep -E "error:|warning:" -A3 "$log" | head -200
  echo "tidy: findings above (run-clang-tidy-14 -p $build FILE for one file)" >&2
  exit 1
fi
