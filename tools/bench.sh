#!/usr/bin/env bash
# make bench: runs tools/bench.py on a virtual display. The Windows build
# measured under Wine is the one this machine's Wine runs (tools/wine-road.sh).
set -euo pipefail
. "$(dirname "$0")/lib.sh"
VORNAK_ROAD=$(wine_road)
export VORNAK_ROAD
exec "$top/tools/xsession.sh" python3 "$top/tools/bench.py"
