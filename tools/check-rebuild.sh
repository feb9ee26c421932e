#!/usr/bin/env bash
# Builds again what this tree's builds made, from the same sources copied to
# another folder, under another umask, locale and time zone, and checks
# that every artefact is the same bytes. Prints a line an artefact: "same"
# with its SHA-256, or where it first differs (the byte's offset) and how
# many bytes do; exits 1 when any differs. The builds under build/ must be
# made first (make windows, make web, ...).
#   tools/check-rebuild.sh ARTEFACT...
# ARTEFACT: windows, windows64 (Vornak1.exe), web (Vornak1.html), linux
# (vornak1), deb (its package, from the linux build), zip (Vornak1.zip,
# from the windows build).
# Both builds take the same SOURCE_DATE_EPOCH, the commit's time unless it
# is set: the copy is no git checkout.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
for a in "$@"; do
  case $a in
    windows | windows64 | web | linux | deb | zip) ;;
    *) echo "usage: $0 windows|windows64|web|linux|deb|zip..." >&2; exit 2 ;;
  esac
done
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct)}

other=$(mktemp -d "${TMPDIR:-/tmp}/vornak-rebuild.XXXXXX")
trap 'rm -rf "$other"' EXIT
copy=$other/another/checkout
umask 077
export LC_ALL=C TZ=VRN-14
mkdir -p "$copy"
# The sources as the working tree has them, committed or not; the npm
# packages are only read, from the tree's own node_modules.
(cd "$top" && git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' f; do
  [ ! -e "$f" ] || printf '%s\0' "$f"
done | xargs -0 cp --parents -P -t "$copy")
[ ! -d "$top/node_modules" ] || ln -s "$top/node_modules" "$copy/node_modules"

# Runs a step of the second build, its output kept for when it fails.
step() {
  "$@" >"$other/log" 2>&1 && return 0
  echo "check-rebuild: FAIL the second build failed: $*"
  tail -n 20 "$other/log"
  exit 1
}
build() {
  echo "check-rebuild: building $2 of the $1 build in $copy"
  cd "$copy"
  step cmake --preset "$1"
  step cmake --build --preset "$1" --target "$2"
}
artefacts=()
for a in "$@"; do
  case $a in
    windows | windows64) build "$a" Vornak1 && artefacts+=("build/$a/Vornak1.exe") ;;
    web) build web vornak1_page && artefacts+=(build/web/Vornak1.html) ;;
    linux) build linux vornak1 && artefacts+=(build/linux/vornak1) ;;
    deb)
      build linux all
      step tools/package-linux.sh
      artefacts+=("build/linux/$(cd "$top/build/linux" && echo vornak1_*.deb)" build/linux/SHA256SUMS) ;;
    zip)
      build windows Vornak1
      step tools/package-windows.sh
      artefacts+=(build/windows/Vornak1.zip build/windows/SHA256SUMS) ;;
  esac
done

status=0
for a in "${artefacts[@]}"; do
  if [ ! -f "$top/$a" ]; then
    echo "check-rebuild: $a is missing: build it first"
    status=1
  elif cmp -s "$top/$a" "$copy/$a"; then
    echo "check-rebuild: same bytes: $a, SHA-256 $(sha256sum <"$top/$a" | cut -d' ' -f1)"
  else
    # cmp -l: a line a differing byte, counted from 1, as far as the shorter
    # file goes.
    size=$(stat -c %s "$top/$a") other_size=$(stat -c %s "$copy/$a")
    read -r offset count < <({ cmp -l "$top/$a" "$copy/$a" 2>/dev/null || true; } |
      awk -v shorter=$((size < other_size ? size : other_size)) 'NR == 1 { first = $1 - 1 } END { print (NR ? first : shorter), NR }')
    printf 'check-rebuild: FAIL %s is not the same when built in another folder: first at offset %d (0x%x); %d of the %d bytes both have differ (sizes %d and %d)\n' \
      "$a" "$offset" "$offset" "$count" $((size < other_size ? size : other_size)) "$size" "$other_size"
    status=1
  fi
done
if [ "$status" != 0 ]; then
  trap - EXIT
  echo "check-rebuild: the second build is kept in $copy"
fi
exit $status
