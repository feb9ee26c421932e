#!/bin/bash
# Runs a Windows program of this project under Wine.
#
#   run-under-wine.sh [--headless] PROGRAM.exe [ARGS...]
#
# --headless: on a virtual display of its own (Xvfb 1024x768x24 with the
# openbox window manager), whatever $DISPLAY says; without it the program
# uses $DISPLAY when there is one and a virtual display otherwise.
#
# The Wine prefix lives under the Windows build folder (build/windows/wine,
# or $VORNAK_WINEPREFIX) and is made once: 32-bit, without the Mono and Gecko
# installers, with Wine's own bitmap fonts (so "MS Sans Serif" is the
# classic bitmap face) and at 96 dots per inch.
set -euo pipefail

headless=0
if [ "${1:-}" = "--headless" ]; then
    headless=1
    shift
fi
if [ $# -lt 1 ]; then
    echo "usage: $0 [--headless] PROGRAM.exe [ARGS...]" >&2
    exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
export WINEPREFIX=${VORNAK_WINEPREFIX:-$root/build/windows/wine}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

pids=()
cleanup() {
    local status=$?
    # Only what this script started, by its id.
    wineserver -k >/dev/null 2>&1 || true
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[$i]}" >/dev/null 2>&1 || true
        wait "${pids[$i]}" 2>/dev/null || true
    done
    exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ $headless = 1 ] || [ -z "${DISPLAY:-}" ]; then
    display=""
    for n in $(seq 91 160); do
        if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then
            display=$n
            break
        fi
    done
    if [ -z "$display" ]; then
        echo "$0: no free display number" >&2
        exit 1
    fi
    Xvfb :$display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 1 100); do
        [ -e /tmp/.X11-unix/X$display ] && break
        sleep 0.05
    done
    if [ ! -e /tmp/.X11-unix/X$display ]; then
        echo "$0: Xvfb did not start on :$display" >&2
        exit 1
    fi
    export DISPLAY=:$display
    openbox >/dev/null 2>&1 &
    pids+=($!)
    sleep 0.3
fi

# One prefix for every run; made under a lock so parallel runs wait for it.
mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    if [ ! -f "$WINEPREFIX/.vornak-ready-2" ]; then
        rm -rf "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/"
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
        wine regedit /S "$(winepath -w "$here/classic-colours.reg")" >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.vornak-ready-2"
    fi
) 9>"$WINEPREFIX.lock"

set +e
wine "$@"
status=$?
set -e
wineserver -w >/dev/null 2>&1 || true
exit $status
