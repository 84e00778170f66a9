#!/usr/bin/env bash
# Prints the commit that the checks of changed files count from: the merge
# base with main, or the commit before when that is HEAD itself (CI's fresh
# clone of main); nothing without an earlier commit (a clone of one commit).
set -uo pipefail
cd "$(dirname "$0")/.."
base=$(git merge-base HEAD main 2>/dev/null || true)
[ -z "$base" ] || [ "$base" = "$(git rev-parse HEAD)" ] && base=$(git rev-parse -q --verify HEAD~1 || true)
echo "$base"
