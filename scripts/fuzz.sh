#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, with ASan and UBSan) into build-fuzz/
# (or $FUZZ_BUILD_DIR) and runs each for the given seconds (default 30) on a
# copy of its corpus under fuzz/corpus/, two at a time.  Any finding (crash,
# sanitizer report, leak, an input slower than $FUZZ_TIMEOUT seconds) fails;
# its input and the fuzzer's log stay in the reported directory.  The corpus
# is run first, so slow inputs kept there guard their paths.  A build
# already configured with -DOSK_FUZZ=ON (CI's sanitizer build, which has the
# tests too) is used as it is: only the fuzz targets are built there.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
timeout=${FUZZ_TIMEOUT:-5}
build=${FUZZ_BUILD_DIR:-build-fuzz}
if grep -qx 'OSK_FUZZ:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
  cmake --build "$build" -j"$(nproc)" --target fuzz_targets
else
  CXX=clang++ BUILD_DIR=$build scripts/build.sh -DOSK_FUZZ=ON -DOSK_BUILD_TESTS=OFF -DOSK_BUILD_BENCH=OFF
fi

# target, corpus directory, extra options
targets=(
  "fuzz_plot_ops plot_ops"
  "fuzz_textg textg"
  "fuzz_nextfilename nextfilename -close_fd_mask=2"
  "fuzz_dib_read dib"
  "fuzz_script script"
  "fuzz_cmdline cmdline"
)
work=$(mktemp -d /tmp/osk-fuzz-XXXXXX)
run_one() {
  local name=$1 corpus=$2; shift 2
  mkdir -p "$work/$name/corpus"
  cp fuzz/corpus/"$corpus"/* "$work/$name/corpus/"
  if "$build/fuzz/$name" "$work/$name/corpus" -max_total_time="$seconds" -timeout="$timeout" \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/$name/" "$@" >"$work/$name/log" 2>&1; then
    echo "fuzz: $name $(grep -m1 'average_exec_per_sec' "$work/$name/log" | tr -s ' ' | cut -d' ' -f2) inputs/s"
  else
    echo "fuzz: $name FAILED (input and log in $work/$name)"; grep -E '^==[0-9]+==|ERROR|SUMMARY|Test unit written' "$work/$name/log" | head -20
    return 1
  fi
}
failed=0
pids=()
for entry in "${targets[@]}"; do
  read -r -a args <<<"$entry"
  run_one "${args[@]}" &
  pids+=($!)
  if [ ${#pids[@]} -ge 2 ]; then
    wait "${pids[0]}" || failed=1
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
[ $failed -eq 0 ] && rm -rf "$work"
exit $failed
