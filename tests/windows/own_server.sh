#!/usr/bin/env bash
# Runs a window test (COMMAND...) under a wine server of its own: wine's
# desktop process, once started by a program without a display (every
# headless test of the Windows build), makes every later window of that
# server fail to open.  The shared server is ended before and after; the
# next headless test starts it again.  The window tests run alone.
#   own_server.sh WINEPREFIX COMMAND...
prefix=$1; shift
WINEPREFIX="$prefix" wineserver -k 2>/dev/null
"$@"; status=$?
WINEPREFIX="$prefix" wineserver -k 2>/dev/null
exit $status
