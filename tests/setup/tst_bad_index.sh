#!/usr/bin/env bash
# The set-up on a day when the registry serves a broken i386 index, on a
# machine that runs 32-bit programs. Stand-ins first on PATH play the
# machine, its state in files beside them: dpkg-query answers from the
# installed packages, dpkg keeps the architectures and, as dpkg does,
# refuses to remove one still in use; apt-get's update fails with status
# 100 while i386 is an architecture; its install of the 32-bit Wine gets
# some of the i386 libraries in and then fails, as a download from a stale
# index does; anything else it installs. A cmake only says it was called.
# The scripts run from a copy of tools/, so what they leave under build/ is
# the copy's.
#
# What must hold: an install that needs no i386 package succeeds on a
# machine with the broken index; the Windows road falls back to the 64-bit
# build and says why; and what was installed for the 32-bit Wine is gone
# again afterwards, the i386 architecture too, so that the next update is
# clean.
#   tst_bad_index.sh SOURCE_DIR
set -euo pipefail
src=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tree/tools" "$work/bin"
cp "$src"/tools/{install-deps.sh,wine-road.sh,lib.sh} "$work/tree/tools/"
log=$work/calls
installed=$work/installed
architectures=$work/architectures
: >"$installed"

# A stand-in: its script on standard input, with $state the folder of the
# machine's files.
stand_in() {
  { printf '#!/usr/bin/env bash\nstate=%s\n' "$work"; cat; } >"$work/bin/$1"
  chmod +x "$work/bin/$1"
}
stand_in sudo <<<'exec "$@"'
stand_in cmake <<'STAND_IN'
echo "cmake $*" >>"$state/calls"
STAND_IN
# dpkg-query -W -f=FORMAT [PACKAGE...] on "NAME ARCH" lines.
stand_in dpkg-query <<'STAND_IN'
[ "$1" = -W ] && [[ $2 == -f=* ]] || { echo "dpkg-query stand-in: unexpected $*" >&2; exit 2; }
format=${2#-f=}
shift 2
status=$(($# > 0))
while read -r name arch; do
  qualified=$name
  [ "$arch" = amd64 ] || qualified=$name:$arch
  if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qxF -e "$qualified"; then continue; fi
  out=${format//'${binary:Package}'/$qualified}
  out=${out//'${Package}'/$name}
  out=${out//'${Architecture}'/$arch}
  out=${out//'${Status}'/install ok installed}
  out=${out//'${db:Status-Status}'/installed}
  printf '%b' "$out"
  status=0
done <"$state/installed"
exit "$status"
STAND_IN
stand_in dpkg <<'STAND_IN'
arch=$state/architectures
case $1 in
  --print-foreign-architectures) cat "$arch" ;;
  --add-architecture) echo "$2" >>"$arch" ;;
  --remove-architecture)
    if grep -q " $2\$" "$state/installed"; then
      echo "dpkg: error: cannot remove architecture '$2' currently in use by the database" >&2
      exit 2
    fi
    grep -vx "$2" "$arch" >"$arch.new" || true
    mv "$arch.new" "$arch" ;;
  *) echo "dpkg stand-in: unexpected $*" >&2; exit 2 ;;
esac
STAND_IN
stand_in apt-get <<'STAND_IN'
echo "apt-get $*" >>"$state/calls"
simulate="" action="" packages=()
for a in "$@"; do
  case $a in
    -s) simulate=1 ;;
    -*) ;;
    update | install | purge) action=$a ;;
    *) packages+=("$a") ;;
  esac
done
case $action in
  update)
    grep -qx i386 "$state/architectures" || exit 0
    echo 'E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 151.101.2.132 80]' >&2
    echo 'E: Some index files failed to download. They have been ignored, or old ones used instead.' >&2
    exit 100 ;;
  purge)
    for p in "${packages[@]}"; do
      [[ $p == *:* ]] || p=$p:amd64
      grep -vx "${p%:*} ${p##*:}" "$state/installed" >"$state/installed.new" || true
      mv "$state/installed.new" "$state/installed"
    done
    exit 0 ;;
esac
for p in "${packages[@]}"; do
  if [[ $p == *:i386 ]] && ! grep -qx i386 "$state/architectures"; then
    echo "E: Unable to locate package $p" >&2
    exit 100
  fi
done
if printf '%s\n' "${packages[@]}" | grep -qx 'wine32:i386'; then
  [ -z "$simulate" ] || { echo 'E: Unable to correct problems, you have held broken packages.' >&2; exit 100; }
  printf '%s i386\n' gcc-12-base libc6 libgcc-s1 libidn2-0 libunistring2 >>"$state/installed"
  echo 'E: Failed to fetch http://deb.debian.org/debian/pool/main/w/wine/wine32_8.0~repack-4_i386.deb  404  Not Found [IP: 151.101.2.132 80]' >&2
  exit 100
fi
[ -n "$simulate" ] || printf '%s amd64\n' "${packages[@]}" >>"$state/installed"
STAND_IN

# (Wine looked for where the stand-ins installed it, not where this machine
# may have it)
export PATH="$work/bin:$PATH" VORNAK_APT_RETRY_PAUSE=0 VORNAK_I386_PROBE=true VORNAK_WINE_DIR=$work/wine
unset WINE64
fail=0
problem() { echo "FAIL: $*"; fail=1; }

echo "--- tools/install-deps.sh web, with the i386 architecture and its broken index"
echo i386 >"$architectures"
if ! "$work/tree/tools/install-deps.sh" web; then
  problem "an install that needs no i386 package failed on the broken i386 index"
fi
[ "$(grep -c 'apt-get update' "$log")" -gt 1 ] || problem "a failed apt-get update was not tried again"

echo "--- tools/wine-road.sh --prepare, from a machine without it"
: >"$architectures"
: >"$installed"
status=0
road=$("$work/tree/tools/wine-road.sh" --prepare 2>"$work/why") || status=$?
cat "$work/why"
[ "$status" = 0 ] || problem "wine-road.sh --prepare exited with status $status"
[ "$road" = windows64 ] || problem "wine-road.sh --prepare printed \"$road\", not \"windows64\""
grep -q 'the 32-bit Wine could not be installed: .*wine32:i386' "$work/why" ||
  problem "wine-road.sh did not say on standard error why the 32-bit Wine was not used"
grep -q 'cmake --build --preset windows64' "$log" || problem "the 64-bit program was not built for the fallback"
# Asked again, as the suites ask, the road stays the one the fallback took.
road=$("$work/tree/tools/wine-road.sh" 2>/dev/null) || true
[ "$road" = windows64 ] || problem "asked again, wine-road.sh chose \"$road\" after the fallback"

[ ! -s "$architectures" ] || problem "the machine was left with architectures added: $(tr '\n' ' ' <"$architectures")"
left=$(awk '$2 == "i386" { print $1 ":i386" } $1 == "wine" { print $1 }' "$installed" | paste -sd ' ' -)
[ -z "$left" ] || problem "the machine was left with what was installed for the 32-bit Wine: $left"
grep -qx 'wine64 amd64' "$installed" || problem "the 64-bit Wine was not installed"
apt-get update 2>"$work/update" || problem "the next apt-get update fails: $(cat "$work/update")"

echo "--- what the stand-ins were asked"
cat "$log"
[ "$fail" = 0 ] && echo "PASS: a broken i386 index stopped nothing that does not need it, and left nothing behind"
exit "$fail"
