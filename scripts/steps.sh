# steps.sh - sourced by scripts/test.sh and .ci/run: each step's time, noted
# as it ends and printed with the total when the script exits.
#
# steps_begin PREFIX TITLE   PREFIX starts every line ("test", "ci"); TITLE
#                            heads the table of times at the end
# step NAME COMMAND...       runs the command and notes its time and, if it
#                            failed, its status; returns that status

steps_begin() {
  steps_prefix=$1
  steps_title=$2
  steps_times=$(mktemp "/tmp/osk-$1-times-XXXXXX")
  steps_started=$SECONDS
  trap steps_report EXIT
}

step() {
  local name=$1 start=$SECONDS status=0
  shift
  echo "$steps_prefix: $name"
  "$@" || status=$?
  printf '%-16s %5d s%s\n' "$name" $((SECONDS - start)) "$([ $status = 0 ] || echo "  FAILED ($status)")" >>"$steps_times"
  return $status
}

steps_report() {
  echo "$steps_prefix: $steps_title"
  cat "$steps_times"
  echo "$steps_prefix: total $((SECONDS - steps_started)) s"
  rm -f "$steps_times"
}
