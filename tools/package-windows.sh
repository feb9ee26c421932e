#!/usr/bin/env bash
# Makes build/windows/Vornak1.zip: the program, its readme, its own licence
# and the notices and licence texts of everything linked or embedded in it.
# The text files get DOS line endings and short upper-case names, as a zip
# of the era had them. The same tree makes the same bytes anywhere: the
# members in the order below, each with the time of SOURCE_DATE_EPOCH (the
# commit's unless set), mode 755 for the program and 644 for the rest, and
# no owner. build/windows/SHA256SUMS lists the zip and the program.
#   tools/package-windows.sh          build the zip (after make windows)
#   tools/package-windows.sh --list   print "SOURCE NAME" for every file
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

# Source in the tree (or the build) and name in the zip.
files=(
  "build/windows/Vornak1.exe        Vornak1.exe"
  "resources/windows/README.TXT     README.TXT"
  "resources/windows/NOTICES.TXT    NOTICES.TXT"
  "LICENSE                          LICENSE.TXT"
  "licenses/LGPL-2.1.txt            LGPL-21.TXT"
  "licenses/GPL-3.txt               GPL-3.TXT"
  "licenses/GCC-exception-3.1.txt   GCC-RLE.TXT"
  "licenses/libstdc++-stl.txt       STL.TXT"
  "licenses/mingw-w64.txt           MINGW.TXT"
  "licenses/zlib.txt                ZLIB.TXT"
  "licenses/bitstream-vera.txt      VERA.TXT"
)

if [ "${1:-}" = "--list" ]; then
  for f in "${files[@]}"; do read -r src name <<<"$f"; echo "$src $name"; done
  exit 0
fi

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct 2>/dev/null)} ||
  { echo "package-windows: not a git checkout: set SOURCE_DATE_EPOCH" >&2; exit 1; }
out="$top/build/windows/zip"
rm -rf "$out" "$top/build/windows/Vornak1.zip"
mkdir -p "$out"
names=()
for f in "${files[@]}"; do
  read -r src name <<<"$f"
  [ -f "$top/$src" ] || { echo "package-windows: $src is missing" >&2; exit 1; }
  case "$name" in
    *.TXT) sed 's/\r$//; s/$/\r/' "$top/$src" >"$out/$name" ;;
    *) cp "$top/$src" "$out/$name" ;;
  esac
  names+=("$name")
done
(cd "$out" && python3 - ../Vornak1.zip "$epoch" "${names[@]}" <<'PYTHON'
import sys
import time
import zipfile

zip_path, epoch, names = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
with zipfile.ZipFile(zip_path, 'w') as z:
    for name in names:
        info = zipfile.ZipInfo(name, time.gmtime(epoch)[:6])
        info.create_system = 3
        info.external_attr = (0o100755 if name.lower().endswith('.exe') else 0o100644) << 16
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(name, 'rb') as f:
            z.writestr(info, f.read(), compresslevel=9)
PYTHON
)
(cd "$top/build/windows" && sha256sum Vornak1.zip Vornak1.exe >SHA256SUMS)
echo "build/windows/Vornak1.zip"
