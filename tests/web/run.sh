#!/usr/bin/env bash
# Runs the web tests on a page, with the designs' boxes given by the
# design_positions program (compiled for Node).
#   tests/web/run.sh Vornak1.html design_positions.js
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
designs=$(mktemp)
trap 'rm -f "$designs"' EXIT
node "$2" >"$designs"
VORNAK_PAGE=$1 VORNAK_DESIGNS=$designs node --test "$here/"
