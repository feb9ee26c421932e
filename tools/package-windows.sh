#!/usr/bin/env bash
# Makes build/windows/Vornak1.zip: the program, its readme, its own licence
# and the notices and licence texts of everything linked or embedded in it.
# The text files get DOS line endings and short upper-case names, as a zip
# of the era had them.
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
(cd "$out" && cmake -E tar cf ../Vornak1.zip --format=zip "${names[@]}")
echo "build/windows/Vornak1.zip"
