#!/usr/bin/env bash
# The set-up on a day when the registry serves a broken i386 index, on a
# machine that runs 32-bit programs. Stand-ins first on PATH play the
# machine: every package missing (dpkg-query), an apt-get whose update fails
# with status 100 and whose install of anything i386 fails (anything else
# succeeds and does nothing), dpkg's architecture calls kept in a file, and
# a cmake that only says it was called. The scripts run from a copy of
# tools/, so what they leave under build/ is the copy's.
#
# What must hold: an install that needs no i386 package succeeds; the
# Windows road falls back to the 64-bit build and says why; the i386
# architecture is gone again afterwards.
#   tst_bad_index.sh SOURCE_DIR
set -euo pipefail
src=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tree/tools" "$work/bin"
cp "$src"/tools/{install-deps.sh,wine-road.sh,lib.sh} "$work/tree/tools/"
log=$work/calls
: >"$work/architectures"

stand_in() { printf '#!/usr/bin/env bash\n%s\n' "$2" >"$work/bin/$1"; chmod +x "$work/bin/$1"; }
stand_in dpkg-query 'exit 1'
stand_in sudo 'exec "$@"'
stand_in cmake "echo \"cmake \$*\" >>$log"
stand_in apt-get "echo \"apt-get \$*\" >>$log
case \" \$* \" in
  *' update '*)
    echo 'E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 151.101.2.132 80]' >&2
    echo 'E: Some index files failed to download. They have been ignored, or old ones used instead.' >&2
    exit 100 ;;
esac
for p in \"\$@\"; do
  case \$p in *:i386) echo \"E: Unable to locate package \$p\" >&2; exit 100 ;; esac
done"
stand_in dpkg "arch=$work/architectures
case \$1 in
  --print-foreign-architectures) cat \"\$arch\" ;;
  --add-architecture) echo \"\$2\" >>\"\$arch\" ;;
  --remove-architecture) grep -vx \"\$2\" \"\$arch\" >\"\$arch.new\" || true; mv \"\$arch.new\" \"\$arch\" ;;
  *) echo \"dpkg stand-in: unexpected \$*\" >&2; exit 2 ;;
esac"

export PATH="$work/bin:$PATH" VORNAK_APT_RETRY_PAUSE=0 VORNAK_I386_PROBE=true
unset WINE64
fail=0
problem() { echo "FAIL: $*"; fail=1; }

echo "--- tools/install-deps.sh web"
if ! "$work/tree/tools/install-deps.sh" web; then
  problem "an install that needs no i386 package failed on the broken i386 index"
fi

echo "--- tools/wine-road.sh --prepare"
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

[ ! -s "$work/architectures" ] || problem "the machine was left with architectures added: $(tr '\n' ' ' <"$work/architectures")"
[ "$(grep -c 'apt-get update' "$log")" -gt 1 ] || problem "a failed apt-get update was not tried again"

echo "--- what the stand-ins were asked"
cat "$log"
[ "$fail" = 0 ] && echo "PASS: a broken i386 index stopped nothing that does not need it"
exit "$fail"
