#!/usr/bin/env bash
# Runs the web tests on a page, with the designs' boxes given by the
# design_positions program (compiled for Node). Fails when no test ran:
# node:test passes a run that selects nothing.
#   tests/web/run.sh Vornak1.html design_positions.js [NODE TEST ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
page=$1 positions=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
node "$positions" >"$work/designs"
status=0
VORNAK_PAGE=$page VORNAK_DESIGNS=$work/designs node --test \
  --test-reporter=spec --test-reporter-destination=stdout \
  --test-reporter=tap --test-reporter-destination="$work/tap" "$@" "$here/" || status=$?
ran=$(sed -n 's/^# tests \([0-9]*\)$/\1/p' "$work/tap" | tail -n 1)
if [ "${ran:-0}" -eq 0 ]; then
  echo "web tests: no test ran" >&2
  exit 1
fi
exit $status
