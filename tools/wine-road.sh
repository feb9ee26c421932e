#!/usr/bin/env bash
# Which Windows build the Windows tests, the tour and the bench run under
# Wine on this machine, decided by trying: a tiny 32-bit Linux program is
# started, and where the kernel runs it, the 32-bit build (the program we
# ship) runs under the 32-bit Wine; where it does not, the 64-bit build of
# the same sources runs under wine64. WINE64=1 takes the 64-bit road on any
# machine.
#
# Prints the build's folder under build/ ("windows" or "windows64") on
# standard output, and one line saying which road and why on standard error
# ("Windows road: ..., because WHY").
# With --prepare it also installs that road's Wine and, on the 64-bit road,
# builds the 64-bit program (the 32-bit one is `make windows`). Where the
# 32-bit Wine cannot be installed (a registry with a broken i386 index, say),
# the road falls back to the 64-bit one, and the answers of the next hour
# stay on it, so that every suite of a run takes the same road.
# VORNAK_I386_PROBE names another program to try instead of the 32-bit one
# (the tests' stand-in for a machine that runs 32-bit programs).
# With --reason it prints instead, for scripts, why in one word: asked
# (WINE64), no-32-bit (the machine runs no 32-bit program), no-wine32 (the
# 32-bit Wine could not be installed) or runs-32-bit.
#   tools/wine-road.sh [--prepare | --reason]
set -euo pipefail
. "$(dirname "$0")/lib.sh"
mkdir -p "$top/build"
# Why the 32-bit Wine could not be installed, when it could not.
unavailable=$top/build/wine32-unavailable

# Whether this machine runs a 32-bit program: an i386 ELF program of 93
# bytes that only exits with status 0 (the ELF header, one loadable
# segment, and xor ebx,ebx; mov eax,1; int 0x80), written here so that the
# question needs no i386 package; a machine that cannot run it says why.
runs_32_bit() {
  local probe=${VORNAK_I386_PROBE:-$top/build/i386-probe}
  if [ -z "${VORNAK_I386_PROBE:-}" ]; then
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'\
'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'\
'\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'\
'\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'\
'\x31\xdb\xb8\x01\x00\x00\x00\xcd\x80' >"$probe"
    chmod +x "$probe"
  fi
  failure=$("$probe" 2>&1) && return 0
  failure=$(printf '%s' "$failure" | sed 's/.*: //' | tail -n 1)
  return 1
}

# The road (road) and why (reason, a word; said, the words).
choose() {
  if [ -n "${WINE64:-}" ] && [ "${WINE64}" != 0 ]; then
    road=windows64 reason=asked said="WINE64=$WINE64 asks for it"
  elif ! runs_32_bit; then
    road=windows64 reason=no-32-bit said="this machine runs no 32-bit program (${failure:-it failed})"
  elif [ ! -x "$vornak_wine32" ] && [ -n "$(find "$unavailable" -mmin -60 2>/dev/null)" ]; then
    road=windows64 reason=no-wine32 said="the 32-bit Wine could not be installed: $(cat "$unavailable")"
  else
    road=windows reason=runs-32-bit said="this machine runs 32-bit programs"
  fi
}

choose
if [ "${1:-}" = --prepare ] && [ "$road" = windows ]; then
  # Whatever the installs and the build say goes to standard error: the one
  # word below is all that standard output carries.
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  if "$top/tools/install-deps.sh" wine32 2>"$log"; then
    cat "$log" >&2
    rm -f "$unavailable"
  else
    cat "$log" >&2
    why=$(sed -n 's/^install-deps: could not install: //p' "$log" | tail -n 1)
    printf '%s\n' "${why:-install-deps.sh wine32 failed}" >"$unavailable"
    choose
  fi
fi
if [ "${1:-}" = --prepare ] && [ "$road" = windows64 ]; then
  "$top/tools/install-deps.sh" wine64 windows >&2
  (cd "$top" && cmake --preset windows64 && cmake --build --preset windows64) >&2
fi
if [ "${1:-}" = --reason ]; then
  echo "$reason"
  exit 0
fi
if [ "$road" = windows ]; then
  echo "Windows road: the 32-bit build under the 32-bit Wine, because $said" >&2
else
  echo "Windows road: the 64-bit build under wine64, because $said" >&2
fi
echo "$road"
