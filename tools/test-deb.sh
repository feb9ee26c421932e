#!/usr/bin/env bash
# Builds the .deb and checks it as a distribution would: lintian, the
# AppStream metadata and the desktop entry must pass with no error and no
# warning (informational notes are shown but do not fail). Then installs it,
# starts the program from its desktop entry on a virtual display, removes the
# package and checks that nothing of it is left. Changes the machine's
# installed packages: run it as root on a machine that may be changed (CI, a
# container).
set -euo pipefail
. "$(dirname "$0")/lib.sh"
note_road "the .deb, installed as root"
stage=""
finish() {
  local status=$?
  [ -n "$stage" ] && rm -rf "$stage"
  junit_result debian_package "$status"
}
trap finish EXIT
deb="$top/$("$top/tools/package-linux.sh")"
dpkg-deb --info "$deb" | sed -n 's/^ *\(Package\|Version\|Section\|Depends\):/&/p'

# lintian warns about running as root on stderr; that says nothing about
# the package.
echo "test-deb: lintian"
tags=$(lintian --display-info --fail-on error,warning "$deb" 2> >(grep -v '^running with root privileges is not recommended!$' >&2)) \
  || { printf '%s\n' "$tags"; echo "test-deb: lintian reports an error or a warning" >&2; exit 1; }
printf '%s\n' "${tags:-lintian: no tags}"

# Prints what a checker said and fails when any line of it matches $2.
check_output() {
  local what=$1 bad=$2 out=$3
  [ -n "$out" ] && printf '%s\n' "$out"
  if printf '%s\n' "$out" | grep -Eq "$bad"; then
    echo "test-deb: $what reports an error or a warning" >&2
    exit 1
  fi
}

stage=$(mktemp -d)
dpkg-deb -x "$deb" "$stage"
metainfo="$stage/usr/share/metainfo/com.example.vornak1.metainfo.xml"
desktop="$stage/usr/share/applications/vornak1.desktop"

echo "test-deb: appstreamcli validate --pedantic"
out=$(appstreamcli validate --pedantic --no-net --no-color "$metainfo" 2>&1) \
  || { printf '%s\n' "$out"; echo "test-deb: appstreamcli failed" >&2; exit 1; }
check_output appstreamcli '^[EW]: ' "$out"

echo "test-deb: desktop-file-validate"
out=$(desktop-file-validate "$desktop" 2>&1) \
  || { printf '%s\n' "$out"; echo "test-deb: desktop-file-validate failed" >&2; exit 1; }
check_output desktop-file-validate ': (error|warning): ' "$out"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
for f in /usr/games/vornak1 /usr/share/applications/vornak1.desktop \
         /usr/share/icons/hicolor/16x16/apps/vornak1.png /usr/share/icons/hicolor/32x32/apps/vornak1.png \
         /usr/share/man/man6/vornak1.6.gz /usr/share/metainfo/com.example.vornak1.metainfo.xml \
         /usr/share/doc/vornak1/copyright /usr/share/doc/vornak1/changelog.gz; do
  [ -f "$f" ] || { echo "test-deb: $f not installed" >&2; exit 1; }
done

# Started as a desktop session starts it: the Exec line, run with the PATH
# that Debian gives its users (which holds /usr/games), not root's.
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/vornak1.desktop)
user_path=$(sed -n 's/^ENV_PATH[[:space:]]*PATH=//p' /etc/login.defs)
[ -n "$user_path" ] || user_path=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games
"$top/tools/xsession.sh" env PATH="$user_path" bash -c "
  cd /tmp && $exec_line & pid=\$!
  id=\$(timeout 20 xdotool search --sync --onlyvisible --name '^Brelvox\$' | head -n 1)
  [ -n \"\$id\" ] || { echo 'test-deb: the installed program showed no window' >&2; exit 1; }
  wmctrl -i -c \"\$id\"; wait \$pid"
echo "test-deb: installed, started from its desktop entry, closed"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq vornak1 >/dev/null
if dpkg -L vornak1 >/dev/null 2>&1 || [ -e /usr/games/vornak1 ] || [ -e /usr/share/applications/vornak1.desktop ] \
   || [ -e /usr/share/doc/vornak1 ] || [ -e /usr/share/metainfo/com.example.vornak1.metainfo.xml ]; then
  echo "test-deb: something is left after removal" >&2; exit 1
fi
echo "test-deb: removed cleanly"
