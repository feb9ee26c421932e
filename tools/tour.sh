#!/usr/bin/env bash
# Walks every road of the program by real input from outside the process
# (xdotool), on a virtual display, saving a screenshot at each step and a
# captioned contact sheet per build under build/tour/. Checks as it goes:
# window titles, and the length of the three pauses.
#   tools/tour.sh [linux] [windows]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
builds=("$@")
[ ${#builds[@]} -gt 0 ] || builds=(linux windows)

# The Windows build is the one this machine's Wine runs (tools/wine-road.sh).
if [[ " ${builds[*]} " == *" windows "* ]] && [ -z "${VORNAK_ROAD:-}" ]; then
  VORNAK_ROAD=$("$top/tools/wine-road.sh" --prepare)
  export VORNAK_ROAD
fi

if [ -z "${DISPLAY:-}" ] || [ -z "${VORNAK_IN_XSESSION:-}" ]; then
  VORNAK_IN_XSESSION=1 exec "$top/tools/xsession.sh" "$0" "${builds[@]}"
fi

fail() { echo "tour: $*" >&2; exit 1; }

# Seconds since the epoch, with fractions.
now() { date +%s.%N; }

# Waits for a visible window with exactly this title; prints its id.
wait_window() {
  local title=$1 id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$(printf '%s' "$title" | sed 's/[][().*^$]/\\&/g')\$" 2>/dev/null | tail -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.05
  done
  fail "no window \"$title\" appeared"
}

wait_gone() {
  local id=$1
  for _ in $(seq 100); do
    xdotool getwindowname "$id" >/dev/null 2>&1 || return 0
    xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' || return 0
    sleep 0.05
  done
  fail "window $id did not go away"
}

# Clicks at a point of a window's client area given in twips.
click_twips() {
  local id=$1 x=$(( $2 / 15 )) y=$(( $3 / 15 ))
  xdotool mousemove --window "$id" "$x" "$y" click 1
}

# A fingerprint of the pointer's image.
cursor() { python3 "$top/tools/cursor.py"; }

# The title bar's close box, through the window manager.
close_box() { wmctrl -i -c "$1"; }

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

tour() {
  local build=$1
  out="$top/build/tour/$build"
  rm -rf "$out"
  mkdir -p "$out"
  shots=()
  captions=()
  echo "tour of the $build build"
  case $build in
    linux) "$top/build/linux/vornak1" & ;;
    windows) "$top/tests/win32/run-under-wine.sh" "$top/build/$VORNAK_ROAD/Vornak1.exe" & ;;
    *) fail "unknown build $build" ;;
  esac
  pid=$!

  main=$(wait_window "Brelvox")
  sleep 1
  shot "$main" 01-main "Start: the main window"

  click_twips "$main" 967 4987
  setup=$(wait_window "Configuration")
  shot "$setup" 02-setup "Setup: the configuration dialog"

  click_twips "$setup" 2880 1327      # "8192 k"
  no=$(wait_window "Error")
  shot "$no" 03-memory-error "\"8192 k\": refused, \"2048 k\" put back"
  click_twips "$no" 2347 667          # OK
  wait_gone "$no"
  shot "$setup" 04-setup-after "OK: the dialog keeps \"2048 k\""

  click_twips "$setup" 2880 2167      # "220 Mhz"
  no1=$(wait_window "Error")
  shot "$no1" 05-ramdac-error "\"220 Mhz\": refused, \"170 Mhz\" put back"
  click_twips "$no1" 2347 667
  wait_gone "$no1"

  click_twips "$setup" 3127 3547      # Hardware Detection
  hard=$(wait_window "Hardware Detection")
  shot "$hard" 06-hardware "Hardware Detection: empty fields"
  # The pointer rests on "Test System": the arrow, the hourglass for three
  # seconds, then the arrow again.
  xdotool mousemove --window "$hard" $((4207 / 15)) $((3187 / 15))
  sleep 0.3
  arrow=$(cursor)
  started=$(now)
  xdotool click 1
  sleep 1
  busy=$(cursor)
  [ "$busy" != "$arrow" ] || fail "no hourglass during the pause"
  shot "$hard" 07-hardware-busy "Test System: the hourglass, no response"
  for _ in $(seq 200); do
    [ "$(cursor)" = "$arrow" ] && break
    sleep 0.02
  done
  [ "$(cursor)" = "$arrow" ] || fail "the cursor did not come back after the pause"
  check_pause "$started" "Test System answered"
  shot "$hard" 08-hardware-done "...three seconds later: the canned results"
  click_twips "$hard" 2767 3187       # Cancel
  wait_gone "$hard"
  click_twips "$setup" 4687 3547      # OK
  wait_gone "$setup"

  click_twips "$main" 2527 4987       # About
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
  click_twips "$main" 4087 4987       # Run EXE
  run=$(wait_window "Error: Driver Negotitiation (0E003F)")
  check_pause "$started" "the driver error"
  shot "$run" 11-driver-error "Run EXE: three seconds, then the fatal driver error"
  click_twips "$run" 2347 1087        # OK
  wait_gone "$run"

  close_box "$main"
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "the program did not end when its main window closed"; }

  local args=()
  for i in "${!shots[@]}"; do args+=(-label "${captions[$i]}" "${shots[$i]}"); done
  montage -font DejaVu-Sans -pointsize 12 -background '#d8d8d8' -geometry '640x400>+8+8' -tile 3x "${args[@]}" \
    "$top/build/tour/$build.png"
  echo "  contact sheet: build/tour/$build.png"
}

for b in "${builds[@]}"; do tour "$b"; done
