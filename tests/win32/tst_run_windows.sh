#!/usr/bin/env bash
# "make run-windows" as it runs with no display: the build this machine's
# Wine runs starts, and its main window comes up at its design size.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
shot=$top/build/screenshot-main-windows.png
rm -f "$shot"
env -u DISPLAY -u VORNAK_ROAD "$top/tools/run.sh" windows
size=$(identify -format '%wx%h' "$shot")
echo "main window: $size"
[ "$size" = 338x361 ] || { echo "the main window is $size, not 338x361" >&2; exit 1; }
