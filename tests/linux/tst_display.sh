#!/usr/bin/env bash
# Without a display, with a display where no server answers, and with one
# that refuses the connection, the program says so in one line naming the
# display and what to do, and ends with status 1 (not an abort). A platform
# forced by the user is left alone: offscreen starts without any display.
#   tests/linux/tst_display.sh PROGRAM
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
work=$(mktemp -d)
refuser=
trap '[ -n "$refuser" ] && kill "$refuser" 2>/dev/null; rm -rf "$work"' EXIT
status=0

# A display number nobody uses, and nothing listens on.
free=
for n in $(seq 170 230); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ] && ! grep -q "@/tmp/.X11-unix/X$n\$" /proc/net/unix; then
    free=$n
    break
  fi
done
[ -n "$free" ] || { echo "tst_display: no free display number"; exit 1; }

# expect WHAT TEXT-IN-THE-LINE -- ENVIRONMENT...
expect() {
  local what=$1 text=$2
  shift 3
  env -u DISPLAY -u QT_QPA_PLATFORM "$@" "$program" > "$work/out" 2> "$work/err" < /dev/null
  local rc=$? lines
  lines=$(wc -l < "$work/err")
  if [ "$rc" -ne 1 ] || [ "$lines" -ne 1 ] || ! grep -qF -- "$text" "$work/err" || [ -s "$work/out" ]; then
    echo "FAIL $what: status $rc, $lines lines:"
    sed 's/^/  /' "$work/err"
    status=1
  else
    echo "ok   $what: $(cat "$work/err")"
  fi
}

expect "no DISPLAY" "DISPLAY is not set" --
expect "no server at :$free" "display \":$free\"" -- DISPLAY=":$free"
expect "no display name" "display \"nonsense\"" -- DISPLAY=nonsense

python3 "$here/refusing_display.py" "$free" > "$work/refuser" &
refuser=$!
for _ in $(seq 100); do grep -q ready "$work/refuser" 2>/dev/null && break; sleep 0.05; done
expect "a display that refuses" "display \":$free\"" -- DISPLAY=":$free"
expect "a display that refuses, X11 forced" "display \":$free\"" -- DISPLAY=":$free" QT_QPA_PLATFORM=xcb
expect "a forced platform that cannot start" "\"wayland\" could not start" -- QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=vornak-none

# Offscreen, as the tests use it: no display needed, the program runs.
env -u DISPLAY QT_QPA_PLATFORM=offscreen "$program" > "$work/out" 2> "$work/err" < /dev/null &
pid=$!
sleep 1.5
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  wait "$pid" 2>/dev/null
  echo "ok   offscreen forced: runs without a display"
else
  wait "$pid"
  echo "FAIL offscreen forced: ended with status $?:"
  sed 's/^/  /' "$work/err"
  status=1
fi
exit $status
