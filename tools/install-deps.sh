#!/usr/bin/env bash
# Installs from Debian's packages whatever the named builds need and this
# machine lacks. Groups: linux, windows (the cross-compilers of both Windows
# builds), wine32 and wine64 (the Wine of each road, tools/wine-road.sh),
# art, x (virtual display), bench, format, tidy, package (the checkers a
# distribution runs on a package), trace (the test that nothing is started
# or written), web (CMake and Ninja, the dialog font, emscripten, the
# artwork's and the face's Python modules, zopfli, and Node.js and npm where
# the machine has none: no browser), browsers
# (Debian's Chromium, Firefox ESR and WebKitGTK's driver, and the Java of the
# HTML checker, for the page's tests). PACKAGE/COMMAND in a group: the package only where
# no such command is on the PATH (a Node.js from elsewhere serves too).
# It says what it installs on standard error and prints nothing on standard
# output, so that a script that captures another's output never gets it.
# A package index that cannot be fetched stops nothing that can be installed
# without it; a package that cannot be installed makes it exit 1, its last
# line "install-deps: could not install: PACKAGE (apt's reason), ...".
# VORNAK_APT_RETRY_PAUSE: seconds between tries of a failed update (10).
#   tools/install-deps.sh linux windows
set -euo pipefail
exec 1>&2

declare -A groups=(
  [linux]="cmake ninja-build g++ pkg-config dpkg-dev qt6-base-dev libgl-dev libxcb1-dev libfontconfig-dev libgtest-dev fonts-wine"
  [windows]="cmake ninja-build g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev fonts-wine python3 python3-pil python3-fonttools python3-pefile"
  [wine32]="wine wine32:i386 fonts-wine"
  [wine64]="wine64 fonts-wine"
  [art]="python3 python3-pil python3-fonttools fonts-dejavu-core"
  [x]="bc wmctrl xvfb openbox xdotool x11-utils x11-xserver-utils imagemagick"
  [bench]="valgrind"
  [format]="clang-format"
  [tidy]="clang-tidy"
  [trace]="strace"
  [package]="lintian appstream desktop-file-utils"
  [web]="cmake ninja-build fonts-wine emscripten python3 python3-pil python3-fonttools python3-brotli zopfli nodejs/node npm/npm"
  [browsers]="chromium firefox-esr webkit2gtk-driver default-jre-headless"
)

wanted=()
for g in "$@"; do
  [ -n "${groups[$g]+set}" ] || { echo "install-deps: unknown group $g" >&2; exit 2; }
  for p in ${groups[$g]}; do
    if [[ $p == */* ]]; then
      command -v "${p#*/}" >/dev/null && continue
      p=${p%/*}
    fi
    wanted+=("$p")
  done
done

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# apt's error lines in the log, joined on one line, without the one that
# only says that some index failed.
apt_errors() { sed -n '/^E: Some index files failed/d; s/^E: //p' "$log" | paste -sd ';' - | sed 's/;/; /g'; }

# The i386 architecture only for an i386 package. What is installed for
# one is installed whole or not at all: a machine left with some of it, or
# with the architecture, and a broken i386 index fails every later update.
# So what is installed before is noted, and taken away again below when an
# i386 package could not be installed.
# Every package dpkg holds installed or half-way, one "NAME[:ARCH]" a line.
installed() {
  { dpkg-query -W -f='${binary:Package} ${db:Status-Status}\n' 2>/dev/null || true; } |
    awk '$2 != "not-installed" && $2 != "config-files" { print $1 }' | sort -u
}
added_i386=""
wants_i386=""
if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
  wants_i386=1
  before=$(installed)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
    added_i386=1
  fi
fi

# An update that fails has left the indexes it could fetch up to date; the
# registry sometimes serves one broken index for a while. It is tried again
# a few times, and then the install goes ahead with the lists apt has: only
# an install that fails is an error.
pause=${VORNAK_APT_RETRY_PAUSE:-10}
stale=""
for try in 1 2 3; do
  if $sudo apt-get update -qq 2>"$log"; then
    stale=""
    break
  fi
  stale=$(apt_errors)
  if [ "$try" -lt 3 ]; then
    echo "install-deps: apt-get update failed, trying again in ${pause} s: $stale"
    sleep "$pause"
  fi
done
[ -z "$stale" ] || echo "install-deps: apt-get update failed 3 times; installing from the package lists apt has"

install() { DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$@" >/dev/null 2>"$log"; }
failed=()
if ! install "${missing[@]}"; then
  # Which of them apt cannot install, each with apt's reason; the rest are
  # installed all the same.
  everything=$(apt_errors)
  installable=()
  for p in "${missing[@]}"; do
    if $sudo apt-get install -s -qq "$p" >/dev/null 2>"$log"; then
      installable+=("$p")
    else
      failed+=("$p ($(apt_errors))")
    fi
  done
  if [ ${#failed[@]} -eq 0 ] || { [ ${#installable[@]} -gt 0 ] && ! install "${installable[@]}"; }; then
    failed=("${missing[*]} (${everything:-$(apt_errors)})")
  fi
fi

if [ -n "$wants_i386" ] && [ ${#failed[@]} -gt 0 ]; then
  mapfile -t new < <(comm -13 <(printf '%s\n' "$before") <(installed))
  if [ ${#new[@]} -gt 0 ]; then
    echo "install-deps: not everything could be installed; removing again what was: ${new[*]}"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq "${new[@]}" >/dev/null 2>"$log" ||
      echo "install-deps: apt-get purge failed: $(apt_errors)"
  fi
  if [ -n "$added_i386" ]; then
    echo "install-deps: the i386 architecture is removed again"
    $sudo dpkg --remove-architecture i386 2>"$log" ||
      echo "install-deps: the i386 architecture could not be removed: $(sed 's/^dpkg: error: //' "$log" | paste -sd ' ' -)"
  fi
fi

if [ ${#failed[@]} -gt 0 ]; then
  why=$(printf '%s, ' "${failed[@]}")
  why=${why%, }
  [ -z "$stale" ] || why="$why; the package lists could not be updated: $stale"
  echo "install-deps: could not install: $why"
  exit 1
fi
