#!/usr/bin/env bash
# clang-tidy (.clang-tidy) with the compile commands of the build in build/
# (or $BUILD_DIR; configured by scripts/build.sh); any finding fails.
#     scripts/tidy.sh                  every source file of the build, headers included
#     scripts/tidy.sh --changed [BASE] only the .cpp files changed between BASE and the
#                                      work tree: by default the merge base with main, or
#                                      on main itself (CI's fresh clone) the last 30
#                                      commits (scripts/changed-base.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
[ -f "$build/compile_commands.json" ] || { echo "tidy: $build is not configured (scripts/build.sh)" >&2; exit 1; }

files=()
if [ "${1:-}" = "--changed" ]; then
  base=${2:-$(scripts/changed-base.sh)}
  if [ -z "$base" ]; then
    echo "tidy: no earlier commit to compare with; skipped"
    exit 0
  fi
  # Only the files the build compiles: a changed tool of another platform has no commands here.
  while IFS= read -r file; do
    grep -qF "\"file\": \"$PWD/$file\"" "$build/compile_commands.json" && files+=("$PWD/$file")
  done < <(git diff --name-only --diff-filter=d "$base" -- '*.cpp')
  if [ ${#files[@]} -eq 0 ]; then
    echo "tidy: no .cpp file of $build changed since $(git rev-parse --short "$base"); nothing to check"
    exit 0
  fi
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if [ ${#files[@]} -gt 0 ]; then
  # Anchored, escaped paths: run-clang-tidy takes its file arguments as patterns.
  patterns=()
  for file in "${files[@]}"; do patterns+=("^$(printf '%s' "$file" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$"); done
  set -- "${patterns[@]}"
  what="${#files[@]} changed files"
else
  set -- "^$PWD/(?!$build/)"
  what="$(grep -c '"file"' "$build/compile_commands.json") files"
fi
if run-clang-tidy-14 -p "$build" -quiet -j"$(nproc)" "$@" >"$log" 2>&1; then
  echo "tidy: no findings in $what"
else
  grep -E "error:|warning:" -A3 "$log" | head -200
  echo "tidy: findings above (run-clang-tidy-14 -p $build FILE for one file)" >&2
  exit 1
fi
