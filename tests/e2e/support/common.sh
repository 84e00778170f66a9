# common.sh - sourced first by every end-to-end script, with the script's
# arguments BUILD_DIR SOURCE_DIR (as ctest passes them):
#   BUILD_DIR, SOURCE_DIR  both as absolute paths; OSK  the build's program
#   WORK                   a scratch directory of the script's own, removed at exit
#   fail MESSAGE           says "FAIL: MESSAGE" and ends the script with status 1
#   require_osk            fails unless the build has its program
#   at_exit FUNCTION       calls FUNCTION at exit, before WORK is removed
#                          (in the order given)
BUILD_DIR=$(cd "${1:?build dir}" && pwd) || exit 1
SOURCE_DIR=$(cd "${2:?source dir}" && pwd) || exit 1
OSK="$BUILD_DIR/osk"
WORK=$(mktemp -d /tmp/osk-e2e-XXXXXX) || exit 1
E2E_AT_EXIT=()

fail() { echo "FAIL: $*"; exit 1; }
require_osk() { [ -x "$OSK" ] || fail "$OSK not built"; }
at_exit() { E2E_AT_EXIT+=("$1"); }
end_e2e() {
  local f
  for f in "${E2E_AT_EXIT[@]}"; do "$f"; done
  rm -rf "$WORK"
}
trap end_e2e EXIT
trap 'exit 1' INT TERM
