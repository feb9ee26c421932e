#!/usr/bin/env bash
# The Windows tests: the checks of the shipped executable (build/windows) on
# every machine, and the window tests under Wine on the road this machine
# takes (tools/wine-road.sh): the shipped 32-bit build where it runs 32-bit
# programs, the 64-bit build under wine64 where it does not.
#
#   windows-tests.sh          every test but the soak runs
#   windows-tests.sh --soak   the soak runs alone (the thousand rounds)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
cd "$top"
road=$(wine_road)
case $road,$(tools/wine-road.sh --reason 2>/dev/null) in
  windows,*) note_road "32-bit build, 32-bit Wine" ;;
  windows64,no-wine32)
    why=$(cat build/wine32-unavailable)
    note_road "64-bit build, wine64 (the 32-bit Wine could not be installed: ${why%%;*})" ;;
  windows64,*) note_road "64-bit build, wine64" ;;
esac
if [ "${1:-}" = --soak ]; then
  run_ctest "$road" -L soak --verbose
elif [ "$road" = windows ]; then
  run_ctest windows -LE soak
else
  status=0
  run_ctest windows -L static || status=1
  run_ctest windows64 -LE soak || status=1
  exit $status
fi
