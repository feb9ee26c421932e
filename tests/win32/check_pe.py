#!/usr/bin/env python3
"""Checks the built Windows program: a GUI executable for the processor asked
for (i386, a PE32, the program we ship; or x86-64, a PE32+) that imports
only DLLs every Windows has, whose resources are icon group 1 made of the
images 30001 (32x32) and 30002 (16x16) and the version record the program
is known by, and nothing else.

usage: check_pe.py i386|x86-64 Vornak1.exe
Prints one line per check and "N passed, N failed".
"""
import struct
import sys

SYSTEM_DLLS = {'kernel32.dll', 'user32.dll', 'gdi32.dll', 'gdiplus.dll', 'msimg32.dll', 'winmm.dll', 'msvcrt.dll',
               'advapi32.dll', 'shell32.dll', 'comctl32.dll', 'ole32.dll', 'ntdll.dll'}
MACHINES = {'i386': (0x14C, 0x10B, 'PE32'), 'x86-64': (0x8664, 0x20B, 'PE32+')}
RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16


class PE:
    def __init__(self, data):
        self.data = data
        if data[:2] != b'MZ':
            raise ValueError('no MZ header')
        pe = struct.unpack_from('<I', data, 0x3C)[0]
        if data[pe:pe + 4] != b'PE\0\0':
            raise ValueError('no PE signature')
        self.machine, nsections, _, _, _, optsize, self.characteristics = struct.unpack_from('<HHIIIHH', data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from('<H', data, opt)[0]
        self.subsystem = struct.unpack_from('<H', data, opt + 68)[0]
        # The data directories follow the fields of the optional header,
        # which are 16 bytes longer in a PE32+ (64-bit addresses).
        dirs = opt + (112 if self.magic == 0x20B else 96)
        ndirs = struct.unpack_from('<I', data, dirs - 4)[0]
        self.dirs = [struct.unpack_from('<II', data, dirs + 8 * i) for i in range(ndirs)]
        self.sections = []
        for i in range(nsections):
            s = opt + optsize + 40 * i
            name = data[s:s + 8].rstrip(b'\0').decode('latin-1')
            vsize, va, rawsize, rawptr = struct.unpack_from('<IIII', data, s + 8)
            self.sections.append((name, va, max(vsize, rawsize), rawptr))

    def offset(self, rva):
        for _, va, size, raw in self.sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError('RVA %#x outside every section' % rva)

    def cstring(self, rva):
        o = self.offset(rva)
        return self.data[o:self.data.index(b'\0', o)].decode('latin-1')

    def imports(self):
        """[(dll, [imported names; '#n' for an ordinal])]"""
        rva, size = self.dirs[1]
        wide = self.magic == 0x20B
        entry, ordinal_flag = ('<Q', 1 << 63) if wide else ('<I', 1 << 31)
        out, o = [], self.offset(rva)
        while True:
            ilt, _, _, name, iat = struct.unpack_from('<IIIII', self.data, o)
            if not (ilt or name or iat):
                return out
            names, t = [], self.offset(ilt or iat)
            while True:
                thunk = struct.unpack_from(entry, self.data, t)[0]
                if not thunk:
                    break
                if thunk & ordinal_flag:
                    names.append('#%d' % (thunk & 0xFFFF))
                else:
                    names.append(self.cstring((thunk & 0x7FFFFFFF) + 2))
                t += 8 if wide else 4
            out.append((self.cstring(name), names))
            o += 20

    def resources(self):
        """{(type, name): [(language, bytes)]}, numeric ids or strings."""
        base_rva = self.dirs[2][0]
        base = self.offset(base_rva)

        def entries(o):
            n_named, n_id = struct.unpack_from('<HH', self.data, o + 12)
            for i in range(n_named + n_id):
                name, target = struct.unpack_from('<II', self.data, o + 16 + 8 * i)
                if name & 0x80000000:
                    so = base + (name & 0x7FFFFFFF)
                    length = struct.unpack_from('<H', self.data, so)[0]
                    name = self.data[so + 2:so + 2 + 2 * length].decode('utf-16-le')
                yield name, target

        out = {}
        for rtype, t in entries(base):
            for rname, n in entries(base + (t & 0x7FFFFFFF)):
                for lang, leaf in entries(base + (n & 0x7FFFFFFF)):
                    rva, size, _, _ = struct.unpack_from('<IIII', self.data, base + leaf)
                    o = self.offset(rva)
                    out.setdefault((rtype, rname), []).append((lang, self.data[o:o + size]))
        return out


def parse_version(blob):
    """The VS_VERSIONINFO tree: (fixed fields, {block: {key: value}}, translation)."""
    def node(o):
        length, vlen, vtype = struct.unpack_from('<HHH', blob, o)
        end = o + length
        k = o + 6
        key_end = k
        while blob[key_end:key_end + 2] != b'\0\0':
            key_end += 2
        key = blob[k:key_end].decode('utf-16-le')
        v = (key_end + 2 + 3) & ~3
        size = vlen * 2 if vtype == 1 else vlen
        value = blob[v:v + size]
        children, c = [], (v + size + 3) & ~3
        while c < end:
            child = node(c)
            children.append(child)
            c = (c + child[3] + 3) & ~3
        return key, value, children, length

    key, fixed, children, _ = node(0)
    assert key == 'VS_VERSION_INFO'
    fields = struct.unpack('<13I', fixed)
    strings, translation = {}, None
    for ckey, _, grand, _ in children:
        if ckey == 'StringFileInfo':
            for table, _, values, _ in grand:
                strings[table] = {k: v.decode('utf-16-le').rstrip('\0') for k, v, _, _ in values}
        elif ckey == 'VarFileInfo':
            for vkey, value, _, _ in grand:
                if vkey == 'Translation':
                    translation = struct.unpack('<HH', value[:4])
    return fields, strings, translation


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


def check_version(res, check):
    """The version record: 1.0.0.0, an application, the program's strings."""
    version = res.get((RT_VERSION, 1))
    check(version is not None, 'version record')
    if not version:
        return
    fields, strings, translation = parse_version(version[0][1])
    sig, _, fvms, fvls, pvms, pvls, _, _, fileos, filetype = fields[:10]
    check(sig == 0xFEEF04BD, 'fixed file info signature')
    check((fvms, fvls, pvms, pvls) == (0x10000, 0, 0x10000, 0), 'FILEVERSION and PRODUCTVERSION 1,0,0,0')
    check(fileos == 0x4, 'FILEOS VOS__WINDOWS32')
    check(filetype == 0x1, 'FILETYPE VFT_APP')
    want = {'CompanyName': '---', 'ProductName': 'Vornak1', 'FileVersion': '1.00', 'ProductVersion': '1.00',
            'InternalName': 'Vornak1', 'OriginalFilename': 'Vornak1.exe'}
    check(list(strings) == ['040A04B0'] or list(strings) == ['040a04b0'], 'one string table 040A04B0: %s' % list(strings))
    table = next(iter(strings.values()), {})
    for k, v in want.items():
        check(table.get(k) == v, '%s "%s" (is %r)' % (k, v, table.get(k)))
    check(translation == (0x040A, 1200), 'Translation 0x040A, 1200: %s' % (translation,))


def main(kind, path):
    results = []

    def check(ok, what):
        results.append(ok)
        print(('ok   ' if ok else 'FAIL ') + what)

    with open(path, 'rb') as f:
        pe = PE(f.read())
    machine, magic, label = MACHINES[kind]
    check(pe.machine == machine and pe.magic == magic, '%s for %s' % (label, kind))
    check(pe.subsystem == 2, 'Windows GUI subsystem')
    dlls = [d.lower() for d, _ in pe.imports()]
    check(dlls and all(d in SYSTEM_DLLS for d in dlls), 'imports only system DLLs: ' + ', '.join(dlls))
    res = pe.resources()
    check_icons(res, check)
    wanted = {(RT_GROUP_ICON, 1), (RT_ICON, 30001), (RT_ICON, 30002), (RT_VERSION, 1)}
    check(set(res) == wanted, 'no resources but icon group 1, its two images and the version record%s'
          % ('' if set(res) == wanted else ': also %s' % sorted(map(str, set(res) - wanted))))
    check_version(res, check)
    print('%d passed, %d failed' % (results.count(True), results.count(False)))
    return 0 if all(results) else 1


if __name__ == '__main__':
    if len(sys.argv) != 3 or sys.argv[1] not in MACHINES:
        raise SystemExit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
