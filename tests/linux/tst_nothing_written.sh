#!/usr/bin/env bash
# Walks every path through the real program by real input on a virtual
# display, under strace, in an environment that invites Qt and the libraries
# under it to start programs and write files: no session bus advertised, no
# runtime folder, a GNOME desktop asking for its GTK theme and a Wayland
# session, an input method daemon, a session manager, a font folder without
# a cache and a cache folder that may be written. Then once more, briefly,
# in the environment it was given. Fails on any program started, any file or
# folder made, any file written (tests/linux/check_trace.py). It clicks
# where the designs put each control (tools/designs/design_positions).
#   tests/linux/tst_nothing_written.sh PROGRAM DESIGN_POSITIONS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/lib.sh"
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
VORNAK_DESIGN_POSITIONS=$2
on_virtual_display "$0" "$@"
load_positions

work=$(mktemp -d)
cleanup() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "tst_nothing_written: $*" >&2; exit 1; }

# The folders the chooser starts in; "gone" vanishes while it is listed.
mkdir -p "$work/c/games" "$work/c/gone"
: > "$work/c/games/CAVERN.EXE"
# A private home, where the program may point Qt's runtime folder, and a
# temporary folder of the test's own, where Qt would make one.
mkdir -m 700 "$work/home"
mkdir "$work/tmp"
# A font folder whose cache is missing, and a cache folder fontconfig may write.
mkdir -p "$work/fonts" "$work/fontcache"
cp "$VORNAK_WINE_FONTS/ms_sans_serif.ttf" "$work/fonts/"
cat > "$work/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>$work/fonts</dir>
  <cachedir>$work/fontcache</cachedir>
</fontconfig>
EOF

calls=execve,execveat,fork,vfork,clone,clone3,open,openat,openat2,creat,mkdir,mkdirat,rename,renameat,renameat2
calls=$calls,unlink,unlinkat,rmdir,link,linkat,symlink,symlinkat,truncate,ftruncate,fallocate,chmod,fchmod,fchmodat
calls=$calls,chown,fchown,fchownat,lchown,mknod,mknodat,utime,utimes,utimensat,futimesat
calls=$calls,write,pwrite64,writev,pwritev,pwritev2,sendfile,copy_file_range

# Starts the program under strace, its output into a pipe; sets pid.
start() {
  local trace=$1
  shift
  ( cd "$work/c" && "$@" strace -ff -y -qq -s 256 -e trace="$calls" -o "$trace" "$program" 2>&1 | cat > "$trace.out" ) &
  pid=$!
}

keys() { xdotool windowactivate --sync "$1" key --delay 50 "${@:2}"; }

ended() {
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" || true; pid=; return 0; }
    sleep 0.05
  done
  fail "the program did not end when its main window closed"
}

start "$work/hostile" env -i PATH="$PATH" DISPLAY="$DISPLAY" HOME="$work/home" USER="$(id -un)" LANG=C.UTF-8 \
  XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-99 QT_QPA_PLATFORMTHEME=gtk3 \
  QT_IM_MODULE=ibus SESSION_MANAGER="local/nowhere:@/tmp/.ICE-unix/1,unix/nowhere:/tmp/.ICE-unix/1" \
  FONTCONFIG_FILE="$work/fonts.conf" XDG_CACHE_HOME="$work/home/.cache" TMPDIR="$work/tmp"

main=$(wait_window Brelvox)
click_on "$main" frmMAIN Command1     # Setup
setup=$(wait_window Configuration)
click_on "$setup" frmSETUP Option3    # 8192 k: refused
no=$(wait_window Error)
click_on "$no" frmNO Command1
wait_gone "$no"
click_on "$setup" frmSETUP Option5    # 170 Mhz, chosen already
keys "$setup" Up                      # 220 Mhz by arrow: refused
no1=$(wait_window Error)
click_on "$no1" frmNO1 Command1
wait_gone "$no1"
click_on "$setup" frmSETUP HARD_SETUP # Hardware Detection
hard=$(wait_window "Hardware Detection")
click_on "$hard" frmHARD TEST         # Test System: three seconds
sleep 3.5
click_on "$hard" frmHARD Command2     # Cancel
wait_gone "$hard"
click_on "$setup" frmSETUP OK_SETUP
wait_gone "$setup"

click_on "$main" frmMAIN Command2     # About
about=$(wait_window About)
keys "$about" a                       # three seconds, then the final picture
final=$(wait_window "Hombre Carente de Pelo")
wmctrl -i -c "$final"
wait_gone "$final"
wmctrl -i -c "$about"
wait_gone "$about"

click_on "$main" frmMAIN Command3     # Run EXE: three seconds, then the driver error
run=$(wait_window "Error: Driver Negotitiation (0E003F)")
click_on "$run" frmRUN Command1
wait_gone "$run"

# The chooser by keyboard: the folder list, its last row, which has gone
# meanwhile (a message box), then its root row; the drive list; the file list.
click_on "$main" frmMAIN Dir1 26 8    # the folder list's first row
keys "$main" End
rmdir "$work/c/gone"
keys "$main" Return
box=$(wait_window Vornak1)
keys "$box" Return
wait_gone "$box"
keys "$main" Home Return Tab Tab Down
wmctrl -i -c "$main"
ended

# The environment it was given, without a session bus or a runtime folder.
start "$work/given" env -u DBUS_SESSION_BUS_ADDRESS -u XDG_RUNTIME_DIR TMPDIR="$work/tmp"
main=$(wait_window Brelvox)
click_on "$main" frmMAIN Command1
setup=$(wait_window Configuration)
wmctrl -i -c "$main"
ended

status=0
for run in hostile given; do
  echo "$run environment:"
  sed 's/^/  program: /' "$work/$run.out"
  python3 "$here/check_trace.py" "$work/$run" || status=1
done
exit $status
