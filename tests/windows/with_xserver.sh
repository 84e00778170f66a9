#!/usr/bin/env bash
# Runs COMMAND... with DISPLAY on a private X server of its own (the one the
# window tests start, tests/e2e/support/xserver.sh), ended afterwards.  Needs
# no xauth, which xvfb-run does and a minimal install lacks.
#   with_xserver.sh SIZE COMMAND...
size=$1; shift
source "$(dirname "$0")/../e2e/support/xserver.sh"
start_xserver "$size" || exit 1
"$@"
