#!/usr/bin/env bash
# Prints the commit that the checks of changed files count from: the merge
# base with main; on main itself (CI's fresh clone) the commit 30 back, or the
# first commit when there are fewer (more than one landing brings, so that a
# landing of many commits is checked whole, not only its last commit);
# nothing without an earlier commit (a clone of one commit).
#     OSK_CHECK_DEPTH  how many commits back on main (30)
set -uo pipefail
cd "$(dirname "$0")/.."
depth=${OSK_CHECK_DEPTH:-30}
head=$(git rev-parse HEAD)
base=$(git merge-base HEAD main 2>/dev/null || true)
if [ -z "$base" ] || [ "$base" = "$head" ]; then
  base=$(git rev-parse -q --verify "HEAD~$depth" || git rev-list --max-parents=0 HEAD | tail -n1)
  [ "$base" = "$head" ] && base=""
fi
echo "$base"
