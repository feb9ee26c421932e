#!/usr/bin/env bash
# Runs a command as it would run on a fresh machine that has nothing
# installed: every package look-up (dpkg-query) reports the package missing,
# and every install (apt-get, through sudo or not) says what it would do and
# does nothing. What is really installed stays in use, so the command runs
# for real, but every script on its way takes the road of a first run, where
# the installs print.
#   tools/looks-fresh.sh COMMAND [ARGS...]
set -euo pipefail
fakes=$(mktemp -d)
trap 'rm -rf "$fakes"' EXIT
printf '#!/bin/sh\nexit 1\n' >"$fakes/dpkg-query"
# What apt-get prints on a real install, on standard output as it does.
printf '#!/bin/sh\necho "Reading package lists..."\necho "apt-get $*: nothing done, the machine only looks fresh"\n' \
  >"$fakes/apt-get"
printf '#!/bin/sh\nexec "$@"\n' >"$fakes/sudo"
chmod +x "$fakes"/*
echo "looks-fresh: every package reported missing, every install a no-op" >&2
PATH="$fakes:$PATH" "$@"
