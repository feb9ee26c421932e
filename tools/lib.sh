# What the project's scripts share, sourced by them:
#   . "$(dirname "$0")/lib.sh"      (from tools/; other folders give the path)
# The places of what the machine provides, the Windows road, and ctest with
# its results kept for "make test"'s table.
# Everything here says what it says on standard error: a script's standard
# output is what another script may capture.

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The machine's browsers and Wine, from Debian's packages.
: "${VORNAK_CHROMIUM:=/usr/bin/chromium}"
: "${VORNAK_WINE_FONTS:=/usr/share/wine/fonts}"
vornak_wine32=/usr/lib/wine/wine
vornak_wine64=/usr/lib/wine/wine64
vornak_wineserver=/usr/lib/wine/wineserver
export VORNAK_CHROMIUM VORNAK_WINE_FONTS

# The Windows build this machine's Wine runs ("windows" or "windows64"),
# with that road's Wine installed; stops the script when the answer is not
# one of the two words.
wine_road() {
  local road
  road=$("$top/tools/wine-road.sh" --prepare) || return 1
  case $road in
    windows | windows64) printf '%s\n' "$road" ;;
    *)
      printf 'wine-road.sh said more than the road:\n%s\n' "$road" | sed '2,$s/^/  /' >&2
      return 1
      ;;
  esac
}

# Where "make test" keeps a suite's results (tools/make-test.sh sets it);
# empty when a suite runs on its own.
results_dir() { [ -n "${VORNAK_RESULTS:-}" ] && mkdir -p "$VORNAK_RESULTS" && printf '%s\n' "$VORNAK_RESULTS"; }

# What a suite ran on, for the table: "road: <text>".
note_road() {
  local dir
  dir=$(results_dir) || return 0
  printf '%s\n' "$*" >>"$dir/road"
}

# ctest on a preset, its results kept as JUnit when "make test" asks.
run_ctest() {
  local preset=$1 dir
  shift
  if dir=$(results_dir); then
    ctest --preset "$preset" --output-junit "$dir/$preset-$(date +%s%N).xml" "$@"
  else
    ctest --preset "$preset" "$@"
  fi
}

# A check that is a script rather than a ctest test (the package check),
# kept for the table like ctest's results: junit_result NAME STATUS.
junit_result() {
  local dir outcome=run
  dir=$(results_dir) || return 0
  [ "$2" = 0 ] || outcome=fail
  printf '<testsuite tests="1"><testcase name="%s" status="%s"/></testsuite>\n' "$1" "$outcome" >"$dir/$1.xml"
}
