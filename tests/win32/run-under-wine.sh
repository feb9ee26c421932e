#!/bin/bash
# Runs a Windows program of this project under Wine.
#
#   run-under-wine.sh [--headless] [--windows-version winxp|win7|win10] [--spare-drive] PROGRAM.exe [ARGS...]
#
# --headless: on a virtual display of its own (Xvfb 1024x768x24 with the
# openbox window manager), whatever $DISPLAY says; without it the program
# uses $DISPLAY when there is one and a virtual display otherwise.
#
# The Wine prefix lives under the Windows build folder (build/windows/wine,
# or $VORNAK_WINEPREFIX) and is made once: 32-bit, without the Mono and Gecko
# installers, with Wine's own bitmap fonts (so "MS Sans Serif" is the
# classic bitmap face) and at 96 dots per inch. It reports the Windows
# version that Wine reports by default.
#
# --windows-version: the program runs in a prefix of its own for that
# version (the prefix's path with "-winxp", "-win7" or "-win10" added), a
# copy of the one above with Wine set to report that version. Each version
# has its own registry and its own wineserver, so runs for different
# versions, and runs without the option, never change what another sees.
#
# --spare-drive: for as long as the program runs, drive x: of the prefix is
# a folder of its own (a symbolic link in the prefix's dosdevices), which the
# program may delete to make the drive vanish. The program finds the drive
# in VORNAK_SPARE_DRIVE ("x:") and the folder, through drive Z:, in
# VORNAK_SPARE_DRIVE_FOLDER.
set -euo pipefail

usage() {
    echo "usage: $0 [--headless] [--windows-version winxp|win7|win10] [--spare-drive] PROGRAM.exe [ARGS...]" >&2
    exit 2
}

headless=0
version=""
spare=0
while [ $# -gt 0 ]; do
    case "$1" in
    --headless)
        headless=1
        shift
        ;;
    --spare-drive)
        spare=1
        shift
        ;;
    --windows-version)
        [ $# -ge 2 ] || usage
        case "$2" in
        winxp | win7 | win10) version=$2 ;;
        *)
            echo "$0: unknown Windows version '$2' (winxp, win7 or win10)" >&2
            exit 2
            ;;
        esac
        shift 2
        ;;
    *) break ;;
    esac
done
if [ $# -lt 1 ]; then
    usage
fi

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
base=${VORNAK_WINEPREFIX:-$root/build/windows/wine}
export WINEPREFIX=$base
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

pids=()
spare_link=""
spare_folder=""
cleanup() {
    local status=$?
    # Only what this script started, by its id.
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$spare_link" ]; then
        rm -f "$spare_link"
    fi
    if [ -n "$spare_folder" ]; then
        rm -rf "$spare_folder"
    fi
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

# The prefixes are made under one lock, so parallel runs wait for them.
mkdir -p "$(dirname "$base")"
(
    flock 9
    if [ ! -f "$base/.vornak-ready-2" ]; then
        rm -rf "$base"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        mkdir -p "$base/drive_c/windows/Fonts"
        cp /usr/share/wine/fonts/*.fon "$base/drive_c/windows/Fonts/"
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
        wine regedit /S "$(winepath -w "$here/classic-colours.reg")" >/dev/null 2>&1
        wineserver -w
        touch "$base/.vornak-ready-2"
    fi
    if [ -n "$version" ]; then
        # The copy carries the ready mark of the prefix it was made from:
        # when a new kind of prefix gets a new mark, the copies go too.
        copy="$base-$version"
        if [ ! -f "$copy/.vornak-ready-2" ] || [ ! -f "$copy/.vornak-version-$version" ]; then
            rm -rf "$copy" "$copy.partial"
            cp -a "$base" "$copy.partial"
            mv "$copy.partial" "$copy"
            WINEPREFIX=$copy wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
            WINEPREFIX=$copy wineserver -w
            touch "$copy/.vornak-version-$version"
        fi
    fi
) 9>"$base.lock"
if [ -n "$version" ]; then
    export WINEPREFIX=$base-$version
fi

if [ $spare = 1 ]; then
    spare_link=$WINEPREFIX/dosdevices/x:
    # A run that was killed leaves its drive behind: that one is taken back.
    if [ -L "$spare_link" ]; then
        left=$(readlink "$spare_link")
        case "$left" in
        "${TMPDIR:-/tmp}"/vornak-drive-x.*)
            rm -f "$spare_link"
            rm -rf "$left"
            ;;
        esac
    fi
    if [ -e "$spare_link" ] || [ -L "$spare_link" ]; then
        echo "$0: drive x: of $WINEPREFIX is taken" >&2
        spare_link=""
        exit 1
    fi
    spare_folder=$(mktemp -d "${TMPDIR:-/tmp}/vornak-drive-x.XXXXXX")
    ln -s "$spare_folder" "$spare_link"
    export VORNAK_SPARE_DRIVE=x:
    export VORNAK_SPARE_DRIVE_FOLDER="Z:${spare_folder//\//\\}"
fi

set +e
wine "$@"
status=$?
set -e
wineserver -w >/dev/null 2>&1 || true
exit $status
