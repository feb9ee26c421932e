# What the project's scripts share, sourced by them:
#   . "$(dirname "$0")/lib.sh"      (from tools/; other folders give the path)
# The places of what the machine provides, the Windows road, the virtual
# display and the windows on it, and ctest with its results kept for "make
# test"'s table.
# Everything here says what it says on standard error: a script's standard
# output is what another script may capture.

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The machine's Wine and Wine's fonts, from Debian's packages (its browsers
# are in tools/browsers.mjs).
: "${VORNAK_WINE_FONTS:=/usr/share/wine/fonts}"
: "${VORNAK_WINE_DIR:=/usr/lib/wine}"
vornak_wine32=$VORNAK_WINE_DIR/wine
vornak_wine64=$VORNAK_WINE_DIR/wine64
vornak_wineserver=$VORNAK_WINE_DIR/wineserver
export VORNAK_WINE_FONTS VORNAK_WINE_DIR

# Runs the calling script again with the same arguments on a virtual display
# of its own (tools/xsession.sh), unless it runs on one already:
#   on_virtual_display "$0" "$@"
on_virtual_display() {
  [ -n "${DISPLAY:-}" ] && [ "${VORNAK_XSESSION:-}" = "$DISPLAY" ] && return 0
  exec "$top/tools/xsession.sh" "$@"
}

# --- The program's windows on the display, from outside (xdotool) ---------

# Waits for a visible window with exactly this title, for up to SECONDS (30
# unless given); prints its id.
#   wait_window TITLE [SECONDS]
wait_window() {
  local pattern id
  pattern="^$(printf '%s' "$1" | sed 's/[][().*^$+?{}|\\]/\\&/g')\$"
  for _ in $(seq $((${2:-30} * 20))); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | tail -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.05
  done
  echo "no window \"$1\" appeared" >&2
  return 1
}

# Waits until a window is gone or hidden.
wait_gone() {
  for _ in $(seq 100); do
    xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
    sleep 0.05
  done
  echo "window $1 did not go away" >&2
  return 1
}

# Where the designs put each control, in pixels of its window's client area
# (WINDOW CONTROL LEFT TOP WIDTH HEIGHT) at the display's resolution ($VORNAK_DPI,
# 96 unless set), from tools/designs/design_positions:
# $VORNAK_DESIGN_POSITIONS names the program, the Linux build's by default.
load_positions() {
  vornak_positions=$("${VORNAK_DESIGN_POSITIONS:-$top/build/linux/tools/designs/design_positions}" "${VORNAK_DPI:-96}")
}

# The point of a control to click: its middle, or X Y into its box.
#   point_of WINDOW CONTROL [X Y]
point_of() {
  [ -n "${vornak_positions:-}" ] || load_positions
  local p
  p=$(printf '%s\n' "$vornak_positions" | awk -v w="$1" -v c="$2" -v x="${3:-}" -v y="${4:-}" '
    $1 == w && $2 == c { print int(x == "" ? $3 + $5 / 2 : $3 + x), int(y == "" ? $4 + $6 / 2 : $4 + y) }')
  [ -n "$p" ] || { echo "no control $1.$2 in the designs" >&2; return 1; }
  echo "$p"
}

# Clicks a control of a window: click_on ID WINDOW CONTROL [X Y].
click_on() {
  local id=$1 x y
  shift
  read -r x y <<<"$(point_of "$@")"
  xdotool mousemove --window "$id" "$x" "$y" click 1
}

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
