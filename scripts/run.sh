#!/usr/bin/env bash
# Sets up, builds and starts the demonstration: in a window where there is a
# display, otherwise recorded headless to an animated GIF (its path printed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec scripts/run-demo.sh "$@"
