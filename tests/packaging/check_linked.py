"""Checks the Windows program's link map against THIRD-PARTY.md: every
library archive and start-up object from outside the build that the linker
took something from must be named in a row of a piece carried in
Vornak1.exe, so that the zip carries its licence.
   check_linked.py build/windows/Vornak1.map THIRD-PARTY.md"""

import re
import sys
from pathlib import Path


def linked_pieces(map_text):
    """Names (without folder and extension) of the archives that gave members
    and of the objects loaded whole, outside the build folder."""
    names = set()
    section = map_text.split("Archive member included to satisfy reference by file (symbol)", 1)
    if len(section) == 2:
        body = re.split(r"\n(?:Discarded input sections|Allocating common symbols|Memory Configuration)", section[1])[0]
        for archive in re.findall(r"^(/\S+?\.a)\(", body, re.M):
            names.add(Path(archive).name[:-2])
    for obj in re.findall(r"^LOAD (/\S+\.o)$", map_text, re.M):
        names.add(Path(obj).name[:-2])
    return names


def exe_rows(list_text):
    """Table rows whose third cell ("Carried in") names Vornak1.exe."""
    rows = []
    for line in list_text.splitlines():
        cells = line.strip().strip("|").split(" | ")
        if line.startswith("|") and len(cells) >= 5 and "`Vornak1.exe`" in cells[2]:
            rows.append(line)
    return rows


def main(map_path, list_path):
    names = linked_pieces(Path(map_path).read_text(encoding="utf-8", errors="replace"))
    if not {"libstdc++", "libmingw32"} <= names:
        print(f"check_linked: {map_path} does not look like the program's link map: {sorted(names)}")
        return 1
    tokens = set()
    for row in exe_rows(Path(list_path).read_text(encoding="utf-8")):
        tokens |= set(re.findall(r"[A-Za-z0-9_+]+", row))
    missing = sorted(names - tokens)
    if missing:
        print("check_linked: linked into Vornak1.exe but not named in THIRD-PARTY.md: " + ", ".join(missing))
        return 1
    print("check_linked: " + ", ".join(sorted(names)))
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
