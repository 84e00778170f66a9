#!/usr/bin/env bash
# Checks the format (.clang-format) of the C++ lines changed since BASE: by
# default the merge base with main, or on main itself (CI's fresh clone) the
# last 30 commits (scripts/changed-base.sh).  Untouched old lines are not
# checked.
# Without a base to compare with (a clone of one commit), says so and passes.
#     scripts/format-check.sh [BASE]
set -euo pipefail
cd "$(dirname "$0")/.."
base=${1:-$(scripts/changed-base.sh)}
if [ -z "$base" ]; then
  echo "format-check: no earlier commit to compare with; skipped"
  exit 0
fi
out=$(git clang-format-14 --diff --extensions cpp,h "$base" -- . 2>&1)
case "$out" in
  "no modified files to format"* | "clang-format did not modify any files"*)
    echo "format-check: changed lines since $(git rev-parse --short "$base") are formatted"; exit 0 ;;
esac
echo "$out"
echo "format-check: the lines above are not formatted as .clang-format says (git clang-format $base fixes them)" >&2
exit 1
