#!/usr/bin/env bash
# Line coverage of the whole test suite: builds with gcov instrumentation into
# build-coverage/ (or $BUILD_DIR), runs every test and writes
# out/coverage/index.html (one page per file) and the per-folder summary,
# printed and kept in out/coverage/summary.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-coverage}
out=out/coverage
BUILD_DIR=$build BUILD_TYPE=Debug scripts/build.sh -DOSK_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_C_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage
find "$build" -name '*.gcda' -delete
# The install-tree test links the installed (here instrumented) library without
# --coverage, and the package test makes a release build of its own: both are
# left to the plain builds.
ctest --test-dir "$build" -j"$(nproc)" --output-on-failure -E 'e2e_install_tree|e2e_packages' >"$build/coverage-tests.log" ||
  { tail -n 30 "$build/coverage-tests.log"; exit 1; }
mkdir -p "$out"
# Only the project's own code: not the tests, examples, tools or generated
# files; the data files searched for only in the build (the tree may hold a
# wine prefix, whose drive z: is the whole file system).
filters=(--root . --filter '(plot|plotpng|dib|platform|app|demo|res)/' "$build")
# gcovr 5.2 (Debian 12) stops at a function it meets at two different lines
# (the same inline function seen by two builds); merged, the first is kept.
/usr/bin/python3 - "${filters[@]}" --html-details "$out/index.html" --json-summary "$out/summary.json" >/dev/null <<'PY'
import sys
import gcovr.merging as merging
from gcovr.__main__ import main
merge_function = merging.merge_function
merging.merge_function = lambda left, right, options: (
    left if left.lineno != right.lineno else merge_function(left, right, options))
sys.exit(main())
PY
echo "coverage: lines covered per folder (details: $out/index.html)"
python3 - "$out/summary.json" <<'PY' | tee "$out/summary.txt"
import json, os, sys
folders = {}
for f in json.load(open(sys.argv[1]))["files"]:
    hit, total = folders.get(os.path.dirname(f["filename"]), (0, 0))
    folders[os.path.dirname(f["filename"])] = (hit + f["line_covered"], total + f["line_total"])
folders["all"] = tuple(map(sum, zip(*folders.values())))
for name, (hit, total) in sorted(folders.items()):
    print(f"  {name:<20} {hit:6} / {total:6} lines  {100 * hit / max(total, 1):5.1f} %")
PY
