#!/bin/bash
# Runs a Windows program of this project under Wine.
#
#   run-under-wine.sh [--headless] [--stock] [--windows-version winxp|win7|win10] [--dpi DPI] [--fenced]
#                     [--spare-drive] PROGRAM.exe [ARGS...]
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
# --dpi: the same, in a copy set to that many dots per inch (the prefix's
# "-dpi120", "-dpi192"), as Windows is at 125 per cent (120), 150 (144),
# 175 (168), 200 (192) and so on; 96 is the prepared prefix itself.
#
# --fenced: the program runs in a copy without drive Z: ("-fenced"), the
# common way to fence Wine in, started in a folder of its own outside every
# drive, which Wine gives it as "unix\tmp\...". For as long as it runs the
# network share \\vornak\share (VORNAK_SHARE) is a folder of its own, as
# on Windows a program may be started from a share.
#
# These three go together: "--windows-version win7 --dpi 144" runs in the
# prefix's "-win7-dpi144". A copy's files are hard links to the prepared
# prefix's, but for its registry, which Wine writes in place: a copy of its
# own.
#
# --spare-drive: for as long as the program runs, drive x: of the prefix is
# a folder of its own (a symbolic link in the prefix's dosdevices), which the
# program may delete to make the drive vanish. The program finds the drive
# in VORNAK_SPARE_DRIVE ("x:") and the folder, through drive Z:, in
# VORNAK_SPARE_DRIVE_FOLDER.
#
# What Wine and the making of a prefix say goes to standard error, the
# log of a test; a step that fails says which, and so does a program that
# ends with a status other than 0.
set -euo pipefail
# A step of this script that fails says so; the program's own status is
# taken apart at the end.
trap 'echo "$0: line $LINENO: \"$BASH_COMMAND\" failed with status $?" >&2' ERR
set -E

usage() {
    echo "usage: $0 [--headless] [--stock] [--windows-version winxp|win7|win10] [--dpi DPI] [--fenced] [--spare-drive] PROGRAM.exe [ARGS...]" >&2
    exit 2
}

. "$(dirname "$0")/lib.sh"

headless=0
stock=0
version=""  # what the copy of the prepared prefix is set to: winxp, win7 or win10,
dpi=""      # its dots per inch when not 96,
fenced=0    # and whether it has no drive Z:
args=()     # the options, for the run on a virtual display
spare=0
while [ $# -gt 0 ]; do
    case "$1" in
    --headless) headless=1; shift ;;
    --stock) stock=1; args+=("$1"); shift ;;
    --spare-drive) spare=1; args+=("$1"); shift ;;
    --fenced) fenced=1; args+=("$1"); shift ;;
    --windows-version | --dpi)
        [ $# -ge 2 ] || usage
        case "$1 $2" in
        "--windows-version winxp" | "--windows-version win7" | "--windows-version win10") version=$2 ;;
        --windows-version*)
            echo "$0: unknown Windows version '$2' (winxp, win7 or win10)" >&2
            exit 2
            ;;
        *)
            # Windows takes 72 to 480 dots per inch (50 to 500 per cent).
            if ! [[ $2 =~ ^[1-9][0-9]*$ ]] || [ "$2" -lt 72 ] || [ "$2" -gt 480 ]; then
                echo "$0: no prefix for $2 dots per inch (a whole number from 72 to 480)" >&2
                exit 2
            fi
            [ "$2" = 96 ] || dpi=$2
            ;;
        esac
        args+=("$1" "$2")
        shift 2
        ;;
    -*) usage ;;
    *) break ;;
    esac
done
[ $# -ge 1 ] || usage
# The copy's name: the prefix's with "-win7", "-dpi144", "-fenced" added.
variant=${version:+-$version}${dpi:+-dpi$dpi}
[ $fenced = 1 ] && variant+=-fenced
[ $stock = 1 ] && [ -n "$variant" ] && { echo "$0: --stock is a prefix of its own, and takes none of the others" >&2; exit 2; }

if [ $headless = 1 ] || [ -z "${DISPLAY:-}" ]; then
    on_virtual_display "$0" "${args[@]}" "$@"
fi
[ -f "$1" ] || { echo "$0: there is no program $1" >&2; exit 2; }
program=$(realpath "$1")
shift

# The machine the program is built for, from its PE header.
machine=$(od -An -tx2 -j "$(od -An -tu4 -j 60 -N 4 "$program" | tr -d ' ')" -N 6 "$program" | awk '{print $3}')
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
    echo "$0: $program is not a Windows program for i386 or x86-64" >&2
    exit 2
    ;;
esac
[ -x "$wine" ] || { echo "$0: $wine is missing (tools/install-deps.sh wine32 or wine64)" >&2; exit 1; }
wineserver=$vornak_wineserver
# Wine's errors, not its many notes on what it has not written yet.
export WINEDEBUG=${WINEDEBUG:-fixme-all}
export WINEDLLOVERRIDES="mscoree,mshtml="
[ $stock = 1 ] && base=$base-stock
export WINEPREFIX=$base

spare_link=""
spare_folder=""
share_link=""
share_folder=""
start_folder=""
cleanup() {
    local status=$?
    "$wineserver" -k >/dev/null 2>&1 || true
    [ -n "$spare_link" ] && rm -f "$spare_link"
    [ -n "$spare_folder" ] && rm -rf "$spare_folder"
    [ -n "$share_link" ] && rm -f "$share_link"
    [ -n "$share_folder" ] && rm -rf "$share_folder"
    [ -n "$start_folder" ] && rm -rf "$start_folder"
    exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A step of making a prefix, whose output goes to the log.
step() {
    "$@" >&2
}

# The prefixes are made under one lock, so parallel runs wait for them.
ready=.vornak-ready-3
mkdir -p "$(dirname "$base")"
(
    flock 9
    if [ ! -f "$base/$ready" ]; then
        echo "$0: making the Wine prefix $base" >&2
        rm -rf "$base"
        step "$wine" wineboot -i
        step "$wineserver" -w
        if [ $stock = 0 ]; then
            mkdir -p "$base/drive_c/windows/Fonts"
            cp "$VORNAK_WINE_FONTS"/*.fon "$base/drive_c/windows/Fonts/"
            step "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f
            step "$wine" regedit /S "$("$wine" winepath -w "$top/tools/classic-colours.reg")"
            step "$wineserver" -w
        fi
        touch "$base/$ready"
    fi
    if [ -n "$variant" ]; then
        # The copy carries the ready mark of the prefix it was made from:
        # when a new kind of prefix gets a new mark, the copies go too.
        copy="$base$variant"
        if [ ! -f "$copy/$ready" ] || [ ! -f "$copy/.vornak-variant$variant" ]; then
            echo "$0: making the Wine prefix $copy" >&2
            rm -rf "$copy" "$copy.partial"
            cp -al "$base" "$copy.partial"
            for registry in "$base"/*.reg; do
                cp --remove-destination "$registry" "$copy.partial/"
            done
            export WINEPREFIX=$copy.partial
            [ -z "$version" ] || step "$wine" reg add 'HKCU\Software\Wine' /v Version /d "$version" /f
            [ -z "$dpi" ] || step "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
            [ $fenced = 0 ] || rm "$copy.partial/dosdevices/z:"
            step "$wineserver" -w
            mv "$copy.partial" "$copy"
            touch "$copy/.vornak-variant$variant"
        fi
    fi
) 9>"$base.lock"
[ -n "$variant" ] && export WINEPREFIX=$base$variant

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

if [ $fenced = 1 ]; then
    # Wine finds \\server\share under dosdevices/unc/server/share. A
    # prefix of its own, so the share is this run's alone (the lock above
    # is taken again only to make prefixes).
    share_folder=$(mktemp -d "${TMPDIR:-/tmp}/vornak-share.XXXXXX")
    mkdir -p "$WINEPREFIX/dosdevices/unc/vornak"
    share_link=$WINEPREFIX/dosdevices/unc/vornak/share
    rm -f "$share_link"
    ln -s "$share_folder" "$share_link"
    export VORNAK_SHARE='\\vornak\share'
    start_folder=$(mktemp -d "${TMPDIR:-/tmp}/vornak-outside.XXXXXX")
    cd "$start_folder"
fi

status=0
"$wine" "$program" "$@" || status=$?
"$wineserver" -w >/dev/null 2>&1 || true
[ $status = 0 ] || echo "$0: $(basename "$program") ended with status $status" >&2
exit $status
