#!/usr/bin/env bash
# ctest on a preset, with what it runs on noted for "make test"'s table
# (empty: the tests note it themselves).
#   tools/run-ctest.sh PRESET "WHAT IT RUNS ON" [CTEST ARGS...]
set -euo pipefail
. "$(dirname "$0")/lib.sh"
preset=$1
[ -z "$2" ] || note_road "$2"
shift 2
cd "$top"
run_ctest "$preset" "$@"
