#!/usr/bin/env python3
"""Checks the built Windows program: a GUI executable for the processor asked
for (i386, a PE32, the program we ship; or x86-64, a PE32+) that imports
only DLLs every Windows has, whose resources are icon group 1 made of the
images 30001 (32x32) and 30002 (16x16) and the version record the program
is known by (VERSION, the project's: 2.5.1 is 2,5,1,0 and "2.05"), and
nothing else.

usage: check_pe.py i386|x86-64 Vornak1.exe VERSION
Prints one line per check and "N passed, N failed".
"""
import struct
import sys

import pefile

SYSTEM_DLLS = {'kernel32.dll', 'user32.dll', 'gdi32.dll', 'gdiplus.dll', 'msimg32.dll', 'winmm.dll', 'msvcrt.dll',
               'advapi32.dll', 'shell32.dll', 'comctl32.dll', 'ole32.dll', 'ntdll.dll'}
MACHINES = {'i386': (0x14C, 0x10B, 'PE32'), 'x86-64': (0x8664, 0x20B, 'PE32+')}
RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16


def imports(pe):
    """[(dll, [imported names; '#n' for an ordinal])]"""
    return [(entry.dll.decode('latin-1'),
             [i.name.decode('latin-1') if i.name else '#%d' % i.ordinal for i in entry.imports])
            for entry in getattr(pe, 'DIRECTORY_ENTRY_IMPORT', [])]


def resources(pe):
    """{(type, name): [(language, bytes)]}, numeric ids or strings."""
    def key(entry):
        return entry.id if entry.name is None else str(entry.name)

    out = {}
    root = getattr(pe, 'DIRECTORY_ENTRY_RESOURCE', None)
    for rtype in root.entries if root else []:
        for rname in rtype.directory.entries:
            for lang in rname.directory.entries:
                data = pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
                out.setdefault((key(rtype), key(rname)), []).append((lang.id, data))
    return out


def version_record(pe):
    """(fixed fields, {table: {key: value}}, translation) of the version record."""
    fixed = pe.VS_FIXEDFILEINFO[0]
    strings, translation = {}, None
    for info in (i for infos in getattr(pe, 'FileInfo', []) for i in infos):
        if info.Key == b'StringFileInfo':
            for table in info.StringTable:
                strings[table.LangID.decode('latin-1')] = {
                    k.decode('utf-8'): v.decode('utf-8') for k, v in table.entries.items()}
        elif info.Key == b'VarFileInfo':
            for var in info.Var:
                value = var.entry.get(b'Translation')
                if value:
                    translation = tuple(int(x, 16) for x in value.split())
    return fixed, strings, translation


def check_icons(res, check):
    """Icon group 1 with its two images, 32 and 16 pixels."""
    group = res.get((RT_GROUP_ICON, 1))
    check(group is not None, 'icon group 1')
    if not group:
        return
    g = group[0][1]
    _, kind, count = struct.unpack_from('<HHH', g, 0)
    images = [struct.unpack_from('<BBBBHHIH', g, 6 + 14 * i) for i in range(count)]
    check(kind == 1 and count == 2, 'icon group 1 has two images')
    sizes = {e[7]: (e[0] or 256, e[1] or 256) for e in images}
    check(sizes == {30001: (32, 32), 30002: (16, 16)}, 'images 30001 32x32 and 30002 16x16: %s' % sizes)
    for ident, (w, h) in sizes.items():
        img = res.get((RT_ICON, ident))
        ok = img is not None
        if ok:
            header = struct.unpack_from('<Iii', img[0][1], 0)
            ok = header[0] == 40 and header[1] == w and header[2] == 2 * h
            ok = ok and len(img[0][1]) == [e[6] for e in images if e[7] == ident][0]
        check(ok, 'RT_ICON %d holds a %dx%d image of the size its group says' % (ident, w, h))


def check_version(pe, res, check, version):
    """The version record: the version's numbers, an application, the
    program's strings."""
    major, minor, patch = (int(n) for n in version.split('.'))
    check((RT_VERSION, 1) in res and hasattr(pe, 'VS_FIXEDFILEINFO'), 'version record')
    if not hasattr(pe, 'VS_FIXEDFILEINFO'):
        return
    fixed, strings, translation = version_record(pe)
    check(fixed.Signature == 0xFEEF04BD, 'fixed file info signature')
    check((fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS, fixed.ProductVersionLS)
          == ((major << 16) | minor, patch << 16) * 2, 'FILEVERSION and PRODUCTVERSION %d,%d,%d,0' % (major, minor, patch))
    check(fixed.FileOS == 0x4, 'FILEOS VOS__WINDOWS32')
    check(fixed.FileType == 0x1, 'FILETYPE VFT_APP')
    text = '%d.%02d' % (major, minor)
    want = {'CompanyName': '---', 'ProductName': 'Vornak1', 'FileVersion': text, 'ProductVersion': text,
            'InternalName': 'Vornak1', 'OriginalFilename': 'Vornak1.exe'}
    check(list(strings) == ['040A04B0'] or list(strings) == ['040a04b0'], 'one string table 040A04B0: %s' % list(strings))
    table = next(iter(strings.values()), {})
    for k, v in want.items():
        check(table.get(k) == v, '%s "%s" (is %r)' % (k, v, table.get(k)))
    check(translation == (0x040A, 1200), 'Translation 0x040A, 1200: %s' % (translation,))


def main(kind, path, version):
    results = []

    def check(ok, what):
        results.append(ok)
        print(('ok   ' if ok else 'FAIL ') + what)

    pe = pefile.PE(path)
    machine, magic, label = MACHINES[kind]
    check(pe.FILE_HEADER.Machine == machine and pe.OPTIONAL_HEADER.Magic == magic, '%s for %s' % (label, kind))
    check(pe.OPTIONAL_HEADER.Subsystem == 2, 'Windows GUI subsystem')
    dlls = [d.lower() for d, _ in imports(pe)]
    check(dlls and all(d in SYSTEM_DLLS for d in dlls), 'imports only system DLLs: ' + ', '.join(dlls))
    res = resources(pe)
    check_icons(res, check)
    wanted = {(RT_GROUP_ICON, 1), (RT_ICON, 30001), (RT_ICON, 30002), (RT_VERSION, 1)}
    check(set(res) == wanted, 'no resources but icon group 1, its two images and the version record%s'
          % ('' if set(res) == wanted else ': also %s' % sorted(map(str, set(res) - wanted))))
    check_version(pe, res, check, version)
    print('%d passed, %d failed' % (results.count(True), results.count(False)))
    return 0 if all(results) else 1


if __name__ == '__main__':
    if len(sys.argv) != 4 or sys.argv[1] not in MACHINES:
        raise SystemExit(__doc__)
    sys.exit(main(*sys.argv[1:]))
