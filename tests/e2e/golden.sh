#!/usr/bin/env bash
# The demonstration's screens are, pixel for pixel, the golden pictures
# committed under tests/golden/.  Arguments: BUILD_DIR SOURCE_DIR.
exec bash "$2/scripts/golden.sh" --check "$1"
