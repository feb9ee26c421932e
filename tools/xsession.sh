#!/usr/bin/env bash
# Runs a command on a private virtual X display (Xvfb) with a small window
# manager (openbox), then takes both down again. Xvfb picks a free display
# number itself, so parallel sessions never collide.
#   tools/xsession.sh COMMAND [ARGS...]
# VORNAK_SCREEN sets the screen (default 1024x768x24), VORNAK_DPI its
# resolution (default 96). The command finds its display in DISPLAY, and in
# VORNAK_XSESSION too, which tells a script that it runs on a virtual
# display already (on_virtual_display, tools/lib.sh).
set -euo pipefail

xvfb=""
wm=""
wmlog=""
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  [ -n "$wmlog" ] && rm -f "$wmlog" || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

numberfile=$(mktemp)
# -noreset: by default the server resets whenever its last client leaves,
# and a client that connects during the reset is refused; the probes below
# come and go before the window manager connects.
Xvfb -displayfd 3 -screen 0 "${VORNAK_SCREEN:-1024x768x24}" -dpi "${VORNAK_DPI:-96}" -nolisten tcp -noreset \
  3>"$numberfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 200); do
  [ -s "$numberfile" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.05
done
number=$(tr -dc '0-9' <"$numberfile")
rm -f "$numberfile"
[ -n "$number" ] || { echo "xsession: Xvfb did not start" >&2; exit 1; }

export DISPLAY=":$number" VORNAK_XSESSION=":$number"
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.05
done
xdpyinfo >/dev/null 2>&1 || { echo "xsession: Xvfb did not answer on $DISPLAY" >&2; exit 1; }
# A desktop at another resolution says so in the X resources too, where Qt
# and the other toolkits read it.
[ -z "${VORNAK_DPI:-}" ] || echo "Xft.dpi: $VORNAK_DPI" | xrdb -merge
# The classic teal desktop.
xsetroot -solid '#008080' 2>/dev/null || true
wmlog=$(mktemp)
openbox >"$wmlog" 2>&1 &
wm=$!
# Ready once it says what it supports: tools that activate windows
# (xdotool windowactivate) ask for _NET_ACTIVE_WINDOW there, and refuse
# while it is missing.
wm_ready() { [[ "$(xprop -root _NET_SUPPORTED 2>/dev/null)" == *_NET_ACTIVE_WINDOW* ]]; }
for _ in $(seq 200); do
  wm_ready && break
  kill -0 "$wm" 2>/dev/null || break
  sleep 0.05
done
if ! wm_ready; then
  echo "xsession: the window manager did not start on $DISPLAY:" >&2
  sed 's/^/  /' "$wmlog" >&2
  exit 1
fi

"$@"
