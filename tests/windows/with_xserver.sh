#!/usr/bin/env bash
# Runs COMMAND... with DISPLAY on a private X server of its own (the one the
# window tests start, tests/e2e/support/xserver.sh), ended afterwards; the
# status is the command's.  Needs no xauth, which xvfb-run does and a
# minimal install lacks.
#   with_xserver.sh SIZE COMMAND...
size=$1; shift
# What xserver.sh expects of common.sh: a scratch directory and an exit hook.
WORK=$(mktemp -d /tmp/osk-xserver-XXXXXX) || exit 1
at_exit() { trap "$1; rm -rf '$WORK'" EXIT; }
source "$(dirname "$0")/../e2e/support/xserver.sh"
start_xserver "$size" || exit 1
"$@"
