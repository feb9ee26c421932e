#!/usr/bin/env bash
# Walks every path through the program by real input from outside the
# process (xdotool), on a virtual display, saving a screenshot at each step
# and a captioned contact sheet per build under build/tour/. Checks as it goes:
# window titles, and the length of the three pauses. "windows-stock" walks
# the Windows build in a Wine prefix as Wine makes it, with none of the
# era's fonts (build/tour/windows-stock.png); "web" the page in headless
# Chromium (tools/tour-web.mjs). The display is tools/xsession.sh's
# (VORNAK_SCREEN, VORNAK_DPI); the Windows build's Wine prefix is set to
# VORNAK_DPI too.
#   tools/tour.sh [linux] [windows] [windows-stock] [web]
set -euo pipefail
. "$(dirname "$0")/lib.sh"
builds=("$@")
[ ${#builds[@]} -gt 0 ] || builds=(linux windows web)

# The Windows build is the one this machine's Wine runs (tools/wine-road.sh).
if [[ " ${builds[*]} " == *" windows"* ]] && [ -z "${VORNAK_ROAD:-}" ]; then
  VORNAK_ROAD=$(wine_road)
  export VORNAK_ROAD
fi

on_virtual_display "$0" "${builds[@]}"

fail() { echo "tour: $*" >&2; exit 1; }

# Seconds since the epoch, with fractions.
now() { date +%s.%N; }

# Where each control lies, from the designs (tools/lib.sh: click_on, point_of).
load_positions

# A fingerprint of the pointer's image.
cursor() { python3 "$top/tools/cursor.py"; }

# The title bar's close box, through the window manager; asked again if the
# window is still there after a while (a request that reaches the window
# manager before it manages the window is lost).
close_box() {
  local id=$1
  wmctrl -i -c "$id"
  for _ in $(seq 50); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' || return 0
    sleep 0.05
  done
  wmctrl -i -c "$id"
}

shots=()
captions=()
shot() {
  local id=$1 name=$2 caption=$3
  sleep 0.4
  import -window "$id" "$out/$name.png"
  shots+=("$out/$name.png")
  captions+=("$caption")
  echo "  $name: $caption"
}

check_pause() {
  local started=$1 what=$2 took
  took=$(echo "$(now) - $started" | bc)
  echo "  $what after $took s"
  if [ "$(echo "$took < 2.95" | bc)" = 1 ] || [ "$(echo "$took > 4.5" | bc)" = 1 ]; then
    fail "$what took $took s, not three seconds"
  fi
}

# The page's own tour, and its contact sheet.
tour_web() {
  out="$top/build/tour/web"
  rm -rf "$out"
  echo "tour of the web build"
  local list args=()
  list=$(node "$top/tools/tour-web.mjs" "$top/build/web/Vornak1.html" "$out" <(printf '%s\n' "$vornak_positions"))
  while IFS=$'\t' read -r file caption; do
    args+=(-label "$caption" "$file")
  done < <(printf '%s' "$list" | python3 -c 'import json, sys; [print(f, c, sep="\t") for f, c in json.load(sys.stdin)]')
  montage -font DejaVu-Sans -pointsize 12 -background '#d8d8d8' -geometry '640x400>+8+8' -tile 3x "${args[@]}" \
    "$top/build/tour/web.png"
  echo "  contact sheet: build/tour/web.png"
}

# Setup, its two refusals, and back.
walk_setup() {
  click_on "$main" frmMAIN Command1
  setup=$(wait_window "Configuration")
  shot "$setup" 02-setup "Setup: the configuration dialog"
  click_on "$setup" frmSETUP Option3  # "8192 k"
  no=$(wait_window "Error")
  shot "$no" 03-memory-error "\"8192 k\": refused, \"2048 k\" put back"
  click_on "$no" frmNO Command1        # OK
  wait_gone "$no"
  shot "$setup" 04-setup-after "OK: the dialog keeps \"2048 k\""
  click_on "$setup" frmSETUP Option4  # "220 Mhz"
  no1=$(wait_window "Error")
  shot "$no1" 05-ramdac-error "\"220 Mhz\": refused, \"170 Mhz\" put back"
  click_on "$no1" frmNO1 Command1
  wait_gone "$no1"
  walk_hardware
  click_on "$setup" frmSETUP OK_SETUP
  wait_gone "$setup"
}

# Hardware Detection with the pointer resting on "Test System": the arrow,
# the hourglass for three seconds, then the arrow again.
walk_hardware() {
  local x y arrow started
  click_on "$setup" frmSETUP HARD_SETUP
  hard=$(wait_window "Hardware Detection")
  shot "$hard" 06-hardware "Hardware Detection: empty fields"
  read -r x y <<<"$(point_of frmHARD TEST)"
  xdotool mousemove --window "$hard" "$x" "$y"
  sleep 0.3
  arrow=$(cursor)
  started=$(now)
  xdotool click 1
  sleep 1
  [ "$(cursor)" != "$arrow" ] || fail "no hourglass during the pause"
  shot "$hard" 07-hardware-busy "Test System: the hourglass, no response"
  for _ in $(seq 200); do
    [ "$(cursor)" = "$arrow" ] && break
    sleep 0.02
  done
  [ "$(cursor)" = "$arrow" ] || fail "the cursor did not come back after the pause"
  check_pause "$started" "Test System answered"
  shot "$hard" 08-hardware-done "...three seconds later: the canned results"
  click_on "$hard" frmHARD Command2   # Cancel
  wait_gone "$hard"
}

# About, a key and the final picture; then Run EXE and the driver error.
walk_about_and_run() {
  local started
  click_on "$main" frmMAIN Command2    # About
  about=$(wait_window "About")
  shot "$about" 09-about "About: the author and his portrait"
  started=$(now)
  xdotool key --window "$about" a
  final=$(wait_window "Hombre Carente de Pelo")
  check_pause "$started" "the final picture"
  shot "$final" 10-final "A key in About: three seconds, then the final picture"
  close_box "$final"
  wait_gone "$final"
  close_box "$about"
  wait_gone "$about"
  started=$(now)
  click_on "$main" frmMAIN Command3    # Run EXE
  run=$(wait_window "Error: Driver Negotitiation (0E003F)")
  check_pause "$started" "the driver error"
  shot "$run" 11-driver-error "Run EXE: three seconds, then the fatal driver error"
  click_on "$run" frmRUN Command1      # OK
  wait_gone "$run"
}

# The screenshots, captioned, on one sheet.
contact_sheet() {
  local args=()
  for i in "${!shots[@]}"; do args+=(-label "${captions[$i]}" "${shots[$i]}"); done
  montage -font DejaVu-Sans -pointsize 12 -background '#d8d8d8' -geometry '640x400>+8+8' -tile 3x "${args[@]}" \
    "$top/build/tour/$1.png"
  echo "  contact sheet: build/tour/$1.png"
}

tour() {
  local build=$1 pid
  if [ "$build" = web ]; then
    tour_web
    return
  fi
  out="$top/build/tour/$build"
  rm -rf "$out"
  mkdir -p "$out"
  shots=()
  captions=()
  echo "tour of the $build build"
  case $build in
    linux) "$top/build/linux/vornak1" & ;;
    windows) "$top/tools/run-under-wine.sh" ${VORNAK_DPI:+--dpi "$VORNAK_DPI"} "$top/build/$VORNAK_ROAD/Vornak1.exe" & ;;
    windows-stock) "$top/tools/run-under-wine.sh" --stock "$top/build/$VORNAK_ROAD/Vornak1.exe" & ;;
    *) fail "unknown build $build" ;;
  esac
  pid=$!
  main=$(wait_window "Brelvox")
  sleep 1
  shot "$main" 01-main "Start: the main window"
  walk_setup
  walk_about_and_run
  close_box "$main"
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "the program did not end when its main window closed"; }
  contact_sheet "$build"
}

for b in "${builds[@]}"; do tour "$b"; done
