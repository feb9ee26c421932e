#!/usr/bin/env bash
# make bench: runs tools/bench.py on a virtual display.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
exec "$top/tools/xsession.sh" /usr/bin/python3 "$top/tools/bench.py"
