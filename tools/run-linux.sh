#!/usr/bin/env bash
# Starts the Linux build. With no display it starts it on a virtual one,
# saves a screenshot of the main window and ends the program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
program="$top/build/linux/vornak1"

if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--headless" ]; then
  exec "$program"
fi

if [ -z "${VORNAK_IN_XSESSION:-}" ]; then
  VORNAK_IN_XSESSION=1 exec "$top/tools/xsession.sh" "$0" --headless
fi

shot="$top/build/screenshot-main.png"
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
id=$(timeout 20 xdotool search --sync --name '^Brelvox$' | head -n 1)
sleep 1  # let it draw
import -window "$id" "$shot"
echo "The main window is in $shot"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
