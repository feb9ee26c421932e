#!/usr/bin/env python3
"""Splits an .ico file into the raw images and the group directory that a
resource script embeds as RT_ICON and RT_GROUP_ICON resources, so that the
images get exactly the resource ids asked for (the resource compiler would
number them itself).

usage: split_icon.py ICO OUTDIR BASENAME FIRST_ID

Writes BASENAME-N.img for each image (N = FIRST_ID, FIRST_ID+1, ...) and
BASENAME.grp, the GRPICONDIR with those ids.
"""
import os
import struct
import sys


def split(ico, outdir, base, first_id):
    with open(ico, 'rb') as f:
        data = f.read()
    if len(data) < 6:
        raise SystemExit(f'{ico}: too short for an icon file')
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    if reserved != 0 or kind != 1 or count == 0:
        raise SystemExit(f'{ico}: not an icon file')
    if len(data) < 6 + 16 * count:
        raise SystemExit(f'{ico}: directory cut short')
    group = struct.pack('<HHH', 0, 1, count)
    for i in range(count):
        w, h, colours, res, planes, bits, size, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        if offset + size > len(data):
            raise SystemExit(f'{ico}: image {i} lies outside the file')
        ident = first_id + i
        with open(os.path.join(outdir, f'{base}-{ident}.img'), 'wb') as out:
            out.write(data[offset:offset + size])
        group += struct.pack('<BBBBHHIH', w, h, colours, res, planes, bits, size, ident)
    with open(os.path.join(outdir, f'{base}.grp'), 'wb') as out:
        out.write(group)


if __name__ == '__main__':
    if len(sys.argv) != 5:
        raise SystemExit(__doc__)
    split(sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4]))
