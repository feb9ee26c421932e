#!/usr/bin/env bash
# ctest on a preset, with what it runs on noted for "make test"'s table.
#   tools/run-ctest.sh PRESET "WHAT IT RUNS ON" [CTEST ARGS...]
set -euo pipefail
. "$(dirname "$0")/lib.sh"
preset=$1
note_road "$2"
shift 2
cd "$top"
run_ctest "$preset" "$@"
