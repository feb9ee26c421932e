#!/usr/bin/env bash
# Starts the Linux build, or the Windows build under Wine. With no display it
# starts it on a virtual one (tools/xsession.sh: VORNAK_SCREEN, VORNAK_DPI),
# saves a screenshot of the main window under build/ and ends the program.
# Wine is set to VORNAK_DPI too. The Windows build is the one this machine's
# Wine runs (tools/wine-road.sh).
#   tools/run.sh linux|windows
set -euo pipefail
. "$(dirname "$0")/lib.sh"
build=${1:-linux}
case $build in
  linux) program=("$top/build/linux/vornak1") ;;
  windows)
    [ -n "${VORNAK_ROAD:-}" ] || VORNAK_ROAD=$(wine_road)
    export VORNAK_ROAD
    # Wine's resolution is its prefix's, set to the display's.
    program=("$top/tools/run-under-wine.sh" ${VORNAK_DPI:+--dpi "$VORNAK_DPI"} "$top/build/$VORNAK_ROAD/Vornak1.exe") ;;
  *) echo "usage: $0 linux|windows" >&2; exit 2 ;;
esac

if [ -n "${DISPLAY:-}" ] && [ "${2:-}" != "--headless" ]; then
  exec "${program[@]}"
fi
on_virtual_display "$0" "$build" --headless

shot="$top/build/screenshot-main-$build.png"
"${program[@]}" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
id=$(wait_window Brelvox 60)
sleep 1  # let it draw
import -window "$id" "$shot"
echo "The main window is in $shot"
wmctrl -i -c "$id"
wait "$pid" 2>/dev/null || true
