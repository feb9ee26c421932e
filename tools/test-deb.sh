#!/usr/bin/env bash
# Builds the .deb, installs it, starts the program from its desktop entry on
# a virtual display, then removes the package and checks that nothing of it
# is left. Changes the machine's installed packages: run it as root on a
# machine that may be changed (CI, a container).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top/build/linux"
cpack -G DEB >/dev/null
deb="$top/build/linux/vornak1_1.0.0_amd64.deb"
[ -f "$deb" ] || { echo "test-deb: no package built" >&2; exit 1; }
dpkg-deb --info "$deb" | sed -n 's/^ *\(Package\|Version\|Depends\):/&/p'
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
for f in /usr/bin/vornak1 /usr/share/applications/vornak1.desktop \
         /usr/share/icons/hicolor/16x16/apps/vornak1.png /usr/share/icons/hicolor/32x32/apps/vornak1.png; do
  [ -f "$f" ] || { echo "test-deb: $f not installed" >&2; exit 1; }
done
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/vornak1.desktop)
"$top/tools/xsession.sh" bash -c "
  cd /tmp && $exec_line & pid=\$!
  id=\$(timeout 20 xdotool search --sync --onlyvisible --name '^Brelvox\$' | head -n 1)
  [ -n \"\$id\" ] || { echo 'test-deb: the installed program showed no window' >&2; exit 1; }
  wmctrl -i -c \"\$id\"; wait \$pid"
echo "test-deb: installed, started from its desktop entry, closed"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq vornak1 >/dev/null
if dpkg -L vornak1 >/dev/null 2>&1 || [ -e /usr/bin/vornak1 ] || [ -e /usr/share/applications/vornak1.desktop ]; then
  echo "test-deb: something is left after removal" >&2; exit 1
fi
echo "test-deb: removed cleanly"
