#!/usr/bin/env bash
# Runs a command on a private virtual X display (Xvfb) with a small window
# manager (openbox), then takes both down again.
#   tools/xsession.sh COMMAND [ARGS...]
set -euo pipefail

display=""
for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "xsession: no free display number" >&2; exit 1; }

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT

export DISPLAY="$display"
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.05
done
xdpyinfo >/dev/null 2>&1 || { echo "xsession: Xvfb did not start on $display" >&2; exit 1; }
# An all-grey desktop, as on the machines of the era.
xsetroot -solid '#008080' 2>/dev/null || true
openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5

"$@"
