#!/usr/bin/env bash
# make test: runs every suite in turn, even when one before it fails, keeps
# what each ran under build/results/<suite>/ (the road or browser, ctest's
# results, the exit status and the time), then prints one table row a
# suite and checks each suite against the fewest tests it must run
# (tests/floors.txt, tools/test-table.py).
#
# The Windows suite runs as on a fresh machine (tools/looks-fresh.sh), after
# its packages are really installed: every script on its way then takes
# the road of a first run, where the installs print, as on a new machine,
# and still has to run its window tests under Wine.
#   tools/make-test.sh SUITE...
set -uo pipefail
. "$(dirname "$0")/lib.sh"
make=${MAKE:-make}
cd "$top"
results=$top/build/results
rm -rf "$results"
for suite in "$@"; do
  dir=$results/$suite
  mkdir -p "$dir"
  started=$(date +%s)
  case $suite in
    test-windows)
      $make --no-print-directory prepare-test-windows \
        && VORNAK_RESULTS=$dir tools/looks-fresh.sh $make --no-print-directory test-windows ;;
    *) VORNAK_RESULTS=$dir $make --no-print-directory "$suite" ;;
  esac
  echo $? >"$dir/status"
  echo $(($(date +%s) - started)) >"$dir/seconds"
done
python3 "$top/tools/test-table.py" "$results" "$top/tests/floors.txt" "$@"
