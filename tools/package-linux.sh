#!/usr/bin/env bash
# Makes the Debian package of the Linux build with cpack (after make linux),
# build/linux/vornak1_VERSION_ARCHITECTURE.deb, and build/linux/SHA256SUMS
# beside it. Prints the package's path. Its files carry the time of
# SOURCE_DATE_EPOCH, the commit's unless set (cmake/source-date-epoch.cmake).
set -euo pipefail
# cpack's folders and the archives inside the package take their modes from
# the umask.
umask 022
cd "$(dirname "$0")/../build/linux"
rm -f vornak1_*.deb SHA256SUMS
cpack -G DEB >/dev/null
debs=(vornak1_*.deb)
[ -f "${debs[0]}" ] || { echo "package-linux: no package built" >&2; exit 1; }
sha256sum "${debs[@]}" >SHA256SUMS
echo "build/linux/${debs[0]}"
