#!/usr/bin/env bash
# Walks every road of the real program by real input on a virtual display,
# under strace, in an environment that invites Qt and the libraries under it
# to start programs and write files: no session bus advertised, no runtime
# folder, a GNOME desktop asking for its GTK theme and a Wayland session, an
# input method daemon, a session manager, a font folder without a cache and
# a cache folder that may be written. Then once more, briefly, in the
# environment it was given. Fails on any program started, any file or folder
# made, any file written (tests/linux/check_trace.py).
#   tests/linux/tst_nothing_written.sh PROGRAM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

if [ -z "${VORNAK_IN_XSESSION:-}" ]; then
  VORNAK_IN_XSESSION=1 exec "$top/tools/xsession.sh" "$0" "$@"
fi

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
cp /usr/share/wine/fonts/ms_sans_serif.ttf "$work/fonts/"
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

wait_window() {
  local id
  id=$(timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | tail -n 1) || fail "no window \"$1\" appeared"
  echo "$id"
}

wait_gone() {
  for _ in $(seq 100); do
    xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
    sleep 0.05
  done
  fail "window $1 stayed"
}

# Clicks a point of a window's client area given in twips (96 dpi).
click() { xdotool mousemove --window "$1" $(( $2 / 15 )) $(( $3 / 15 )) click 1; }
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
click "$main" 967 4987                # Setup
setup=$(wait_window Configuration)
click "$setup" 2880 1327              # 8192 k: refused
no=$(wait_window Error)
click "$no" 2347 667
wait_gone "$no"
click "$setup" 4000 2167              # 170 Mhz, chosen already
keys "$setup" Up                      # 220 Mhz by arrow: refused
no1=$(wait_window Error)
click "$no1" 2347 667
wait_gone "$no1"
click "$setup" 3127 3547              # Hardware Detection
hard=$(wait_window "Hardware Detection")
click "$hard" 4207 3187               # Test System: three seconds
sleep 3.5
click "$hard" 2767 3187               # Cancel
wait_gone "$hard"
click "$setup" 4687 3547              # OK
wait_gone "$setup"

click "$main" 2527 4987               # About
about=$(wait_window About)
keys "$about" a                       # three seconds, then the final picture
final=$(wait_window "Hombre Carente de Pelo")
wmctrl -i -c "$final"
wait_gone "$final"
wmctrl -i -c "$about"
wait_gone "$about"

click "$main" 4087 4987               # Run EXE: three seconds, then the driver error
run=$(wait_window "Error: Driver Negotitiation \(0E003F\)")
click "$run" 2347 1087
wait_gone "$run"

# The chooser by keyboard: the folder list, its last row, which has gone
# meanwhile (a message box), then its root row; the drive list; the file list.
click "$main" 640 2280                # the folder list's first row
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
click "$main" 967 4987
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
