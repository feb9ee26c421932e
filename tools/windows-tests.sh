#!/usr/bin/env bash
# The Windows tests: the checks of the shipped executable (build/windows) on
# every machine, and the window tests under Wine on the road this machine
# takes (tools/wine-road.sh): the shipped 32-bit build where it runs 32-bit
# programs, the 64-bit build under wine64 where it does not.
#
#   windows-tests.sh          every test but the soak runs
#   windows-tests.sh --soak   the soak runs alone (the thousand rounds)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
road=$(tools/wine-road.sh --prepare)
if [ "${1:-}" = --soak ]; then
  ctest --preset "$road" -L soak --verbose
elif [ "$road" = windows ]; then
  ctest --preset windows -LE soak
else
  ctest --preset windows -L static
  ctest --preset windows64 -LE soak
fi
