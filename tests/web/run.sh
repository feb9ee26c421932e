#!/usr/bin/env bash
# Runs one of the web test files on a page: the walk (walk.test.mjs) in the
# engine and on the device that VORNAK_ENGINE and VORNAK_DEVICE name, with
# the designs' boxes given by the design_positions program (compiled for
# Node), or the checks of the page as a file (page.test.mjs). Fails when no
# test ran: node:test passes a run that selects nothing.
#   tests/web/run.sh Vornak1.html design_positions.js walk.test.mjs [NODE TEST ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/lib.sh"
page=$1 positions=$2 file=$3
shift 3
# WebKitGTK's browser needs a display.
[ "${VORNAK_ENGINE:-}" != webkit ] || on_virtual_display "$0" "$page" "$positions" "$file" "$@"
[ -n "${VORNAK_SHOTS:-}" ] && rm -rf "$VORNAK_SHOTS/${VORNAK_ENGINE:-}-${VORNAK_DEVICE:-}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for dpi in 96 120 144; do node "$positions" $dpi >"$work/designs-$dpi"; done
node "$positions" --tab-order >"$work/tabs"
node "$positions" --lines >"$work/lines"
status=0
VORNAK_PAGE=$page VORNAK_DESIGNS=$work/designs VORNAK_TABS=$work/tabs VORNAK_LINES=$work/lines node --test \
  --test-reporter=spec --test-reporter-destination=stdout \
  --test-reporter=tap --test-reporter-destination="$work/tap" "$@" "$here/$file" || status=$?
ran=$(sed -n 's/^# tests \([0-9]*\)$/\1/p' "$work/tap" | tail -n 1)
skipped=$(sed -n 's/^# skipped \([0-9]*\)$/\1/p' "$work/tap" | tail -n 1)
if [ "${ran:-0}" -eq "${skipped:-0}" ]; then
  echo "web tests: no test ran" >&2
  exit 1
fi
exit $status
