#!/usr/bin/env bash
# Installs from Debian's packages whatever the named builds need and this
# machine lacks. Groups: linux, windows (the cross-compilers of both Windows
# builds), wine32 and wine64 (the Wine of each road, tools/wine-road.sh),
# art, x (virtual display), bench, package (the checkers a distribution
# runs on a package), trace (the test that nothing is started or written),
# web (emscripten and Debian's Chromium; Node.js and npm come with the
# machine), browsers (the other engines and the Java of the HTML checker,
# for the page's tests).
# It says what it installs on standard error and prints nothing on standard
# output, so that a script that captures another's output never gets it.
#   tools/install-deps.sh linux windows
set -euo pipefail
exec 1>&2

declare -A groups=(
  [linux]="cmake ninja-build g++ pkg-config dpkg-dev qt6-base-dev libgl-dev libxcb1-dev libfontconfig-dev libgtest-dev fonts-wine"
  [windows]="cmake ninja-build g++-mingw-w64-i686 g++-mingw-w64-x86-64 fonts-wine python3"
  [wine32]="wine wine32:i386 fonts-wine"
  [wine64]="wine64 fonts-wine"
  [art]="python3 python3-pil fonts-dejavu-core"
  [x]="bc wmctrl xvfb openbox xdotool x11-utils x11-xserver-utils imagemagick"
  [bench]="valgrind"
  [trace]="strace"
  [package]="lintian appstream desktop-file-utils"
  [web]="emscripten chromium python3 python3-pil"
  [browsers]="firefox-esr webkit2gtk-driver default-jre-headless"
)

wanted=()
for g in "$@"; do
  [ -n "${groups[$g]+set}" ] || { echo "install-deps: unknown group $g" >&2; exit 2; }
  for p in ${groups[$g]}; do wanted+=("$p"); done
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
if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
