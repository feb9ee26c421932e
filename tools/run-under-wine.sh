#!/bin/bash
# Runs a Windows program of this project under Wine.
#
#   run-under-wine.sh [--headless] [--stock] [--windows-version winxp|win7|win10] [--spare-drive] PROGRAM.exe [ARGS...]
#
# The program's own header says which Wine runs it: a 32-bit program (PE32)
# runs under the 32-bit Wine in a 32-bit prefix under build/windows/, a
# 64-bit one (PE32+) under wine64 in a 64-bit prefix under build/windows64/
# ($VORNAK_WINEPREFIX names another place).
#
# --headless: on a virtual display (tools/xsession.sh), whatever $DISPLAY
# says; without it the program uses $DISPLAY when there is one and a virtual
# display otherwise.
#
# The prefix ("wine") is made once, without the Mono and Gecko installers,
# and prepared the way the program's users see Windows: Wine's own bitmap
# fonts in C:\windows\Fonts (so "MS Sans Serif" is the classic bitmap
# face), 96 dots per inch and the classic colours (classic-colours.reg).
#
# --stock: a prefix as Wine makes it ("wine-stock"), with nothing of that
# preparation, so that the program shows how it looks on a Windows that
# has none of the era's fonts.
#
# --windows-version: the program runs in a prefix of its own for that
# version (the prefix's path with "-winxp", "-win7" or "-win10" added), a
# copy of the prepared one with Wine set to report that version. Each has
# its own registry and its own wineserver, so runs for different versions
# never change what another sees.
#
# --spare-drive: for as long as the program runs, drive x: of the prefix is
# a folder of its own (a symbolic link in the prefix's dosdevices), which the
# program may delete to make the drive vanish. The program finds the drive
# in VORNAK_SPARE_DRIVE ("x:") and the folder, through drive Z:, in
# VORNAK_SPARE_DRIVE_FOLDER.
set -euo pipefail

usage() {
    echo "usage: $0 [--headless] [--stock] [--windows-version winxp|win7|win10] [--spare-drive] PROGRAM.exe [ARGS...]" >&2
    exit 2
}

. "$(dirname "$0")/lib.sh"

headless=0
stock=0
version=""
spare=0
while [ $# -gt 0 ]; do
    case "$1" in
    --headless) headless=1; shift ;;
    --stock) stock=1; shift ;;
    --spare-drive) spare=1; shift ;;
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
    -*) usage ;;
    *) break ;;
    esac
done
[ $# -ge 1 ] || usage
[ $stock = 1 ] && [ -n "$version" ] && { echo "$0: --stock and --windows-version do not go together" >&2; exit 2; }

if [ $headless = 1 ] || [ -z "${DISPLAY:-}" ]; then
    args=()
    [ $stock = 1 ] && args+=(--stock)
    [ -n "$version" ] && args+=(--windows-version "$version")
    [ $spare = 1 ] && args+=(--spare-drive)
    on_virtual_display "$0" "${args[@]}" "$@"
fi

# The machine the program is built for, from its PE header.
machine=$(od -An -tx2 -j "$(od -An -tu4 -j 60 -N 4 "$1" | tr -d ' ')" -N 6 "$1" | awk '{print $3}')
case $machine in
014c)
    export WINEARCH=win32
    wine=$vornak_wine32
    base=${VORNAK_WINEPREFIX:-$top/build/windows/wine}
    ;;
8664)
    export WINEARCH=win64
    wine=$vornak_wine64
    export WINELOADER=$wine
    base=${VORNAK_WINEPREFIX:-$top/build/windows64/wine}
    ;;
*)
    echo "$0: $1 is not a Windows program for i386 or x86-64" >&2
    exit 2
    ;;
esac
[ -x "$wine" ] || { echo "$0: $wine is missing (tools/install-deps.sh wine32 or wine64)" >&2; exit 1; }
wineserver=$vornak_wineserver
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
[ $stock = 1 ] && base=$base-stock
export WINEPREFIX=$base

spare_link=""
spare_folder=""
cleanup() {
    local status=$?
    "$wineserver" -k >/dev/null 2>&1 || true
    [ -n "$spare_link" ] && rm -f "$spare_link"
    [ -n "$spare_folder" ] && rm -rf "$spare_folder"
    exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The prefixes are made under one lock, so parallel runs wait for them.
ready=.vornak-ready-3
mkdir -p "$(dirname "$base")"
(
    flock 9
    if [ ! -f "$base/$ready" ]; then
        rm -rf "$base"
        "$wine" wineboot -i >/dev/null 2>&1
        "$wineserver" -w
        if [ $stock = 0 ]; then
            mkdir -p "$base/drive_c/windows/Fonts"
            cp "$VORNAK_WINE_FONTS"/*.fon "$base/drive_c/windows/Fonts/"
            "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
            "$wine" regedit /S "$("$wine" winepath -w "$top/tools/classic-colours.reg" 2>/dev/null)" >/dev/null 2>&1
            "$wineserver" -w
        fi
        touch "$base/$ready"
    fi
    if [ -n "$version" ]; then
        # The copy carries the ready mark of the prefix it was made from:
        # when a new kind of prefix gets a new mark, the copies go too.
        copy="$base-$version"
        if [ ! -f "$copy/$ready" ] || [ ! -f "$copy/.vornak-version-$version" ]; then
            rm -rf "$copy" "$copy.partial"
            cp -a "$base" "$copy.partial"
            mv "$copy.partial" "$copy"
            WINEPREFIX=$copy "$wine" reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
            WINEPREFIX=$copy "$wineserver" -w
            touch "$copy/.vornak-version-$version"
        fi
    fi
) 9>"$base.lock"
[ -n "$version" ] && export WINEPREFIX=$base-$version

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
"$wine" "$@"
status=$?
set -e
"$wineserver" -w >/dev/null 2>&1 || true
exit $status
