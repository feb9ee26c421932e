#!/usr/bin/env python3
"""Writes the C++ sources that carry the program's pictures, icons and
dialog font inside every build (app/art.h says what they define), one
source for each function there, so that a build links only what it uses.

    embed.py OUTDIR picture:NAME=FILE.bmp... icon:NAME=BASE truetype=FILE.ttf bitmapfont=FILE.fon

A picture, a 24-bit BMP under resources/pictures, is carried as a PNG file
(lossless, RGB, 8 bits a channel, no gamma or colour chunks that a decoder
might apply), about a fifth of the BMP's size. An icon, BASE.ico with
BASE16.png and BASE32.png beside it, is carried in both forms. The
bitmap font is carried as it is; the TrueType font, a file of bitmap
strikes, once for each strike (dialog_strikes). Standard library only.
"""

import struct
import sys
import zlib


def read_bmp(path):
    """(width, height, rows top first as RGB bytes) of a 24-bit BMP."""
    data = open(path, 'rb').read()
    if data[:2] != b'BM':
        raise SystemExit(f'{path}: not a BMP file')
    offset = struct.unpack_from('<I', data, 10)[0]
    _, width, height, _, bits, compression = struct.unpack_from('<IiiHHI', data, 14)
    if bits != 24 or compression != 0 or width <= 0 or height == 0:
        raise SystemExit(f'{path}: not an uncompressed 24-bit BMP')
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source = height - 1 - y if height > 0 else y
        start = offset + source * stride
        bgr = data[start:start + width * 3]
        if len(bgr) != width * 3:
            raise SystemExit(f'{path}: cut short')
        rgb = bytearray(width * 3)
        rgb[0::3] = bgr[2::3]
        rgb[1::3] = bgr[1::3]
        rgb[2::3] = bgr[0::3]
        rows.append(bytes(rgb))
    return width, abs(height), rows


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def filtered(row, prev, kind):
    out = bytearray(len(row))
    for i, x in enumerate(row):
        a = row[i - 3] if i >= 3 else 0
        b = prev[i]
        c = prev[i - 3] if i >= 3 else 0
        predictor = (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]
        out[i] = (x - predictor) & 0xFF
    return out


def png_bytes(width, height, rows):
    """A PNG file of RGB rows, each row with the filter that leaves the
    smallest sum of differences, the usual heuristic."""
    raw = bytearray()
    prev = bytes(width * 3)
    for row in rows:
        best = min((sum(v if v < 128 else 256 - v for v in f), kind, f)
                   for kind in range(5) for f in [filtered(row, prev, kind)])
        raw.append(best[1])
        raw += best[2]
        prev = row

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))

    header = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(bytes(raw), 9))
            + chunk(b'IEND', b''))


def array(name, data):
    lines = [f'const unsigned char {name}[] = {{']
    for i in range(0, len(data), 24):
        lines.append('    ' + ','.join(str(b) for b in data[i:i + 24]) + ',')
    lines.append('};')
    return '\n'.join(lines)


def source(out, arrays, body):
    """One source file: the arrays, then the function that returns them."""
    parts = ['// Made by tools/embed.py from resources/ and the dialog font: do not edit.',
             '#include "app/art.h"', '', 'namespace vornak {', '', 'namespace {', '']
    parts += [array(name, data) for name, data in arrays]
    parts += ['', '}  // namespace', '', body, '', '}  // namespace vornak', '']
    text = '\n'.join(parts)
    # Rewritten only when it changes, so that a build does not redo the rest.
    try:
        if open(out).read() == text:
            return
    except OSError:
        pass
    with open(out, 'w') as f:
        f.write(text)


def table_records(font):
    """The TrueType file's tables: tag -> (where its record is, offset, length)."""
    count = struct.unpack('>H', font[4:6])[0]
    records = {}
    for i in range(count):
        at = 12 + 16 * i
        tag, _, offset, length = struct.unpack('>4sIII', font[at:at + 16])
        records[tag.decode('latin-1')] = (at, offset, length)
    return records


def checksum(data):
    data = bytes(data) + b'\0' * (-len(data) % 4)
    return sum(struct.unpack(f'>{len(data) // 4}I', data)) & 0xFFFFFFFF


def dialog_strikes(path):
    """The TrueType file once for each of its bitmap strikes, holding that
    strike alone, with its character height: font databases over FreeType
    (fontconfig, and Qt's) know a file by its first size only. The glyph
    data stays as it is; only the list of strikes is cut to the one. A
    strike's character height, the height Windows asks a bitmap face for,
    is its cell less the internal leading, which in the era's faces is all
    below the baseline: the strike's ascent."""
    font = bytearray(open(path, 'rb').read())
    records = table_records(font)
    if 'EBLC' not in records:
        raise SystemExit(f'embed.py: {path} holds no bitmap strikes')
    record, eblc, length = records['EBLC']
    count = struct.unpack('>I', font[eblc + 4:eblc + 8])[0]
    strikes = []
    for i in range(count):
        size = font[eblc + 8 + 48 * i:eblc + 8 + 48 * (i + 1)]
        ascent = struct.unpack('>b', size[16:17])[0]
        one = bytearray(font)
        one[eblc + 4:eblc + 8] = struct.pack('>I', 1)
        one[eblc + 8:eblc + 56] = size
        one[record + 4:record + 8] = struct.pack('>I', checksum(one[eblc:eblc + length]))
        head = records['head'][1]
        one[head + 8:head + 12] = b'\0\0\0\0'
        one[head + 8:head + 12] = struct.pack('>I', (0xB1B0AFBA - checksum(one)) & 0xFFFFFFFF)
        strikes.append((ascent, bytes(one)))
    return sorted(strikes)


def arguments(argv):
    """The pictures, icons and fonts the command line names."""
    pictures, icons, fonts = [], [], {}
    for arg in argv:
        kind, sep, rest = arg.partition(':')
        if not sep:
            kind, _, rest = arg.partition('=')
        if kind == 'picture':
            name, _, path = rest.partition('=')
            pictures.append((name, path))
        elif kind == 'icon':
            name, _, base = rest.partition('=')
            icons.append((name, base))
        elif kind in ('truetype', 'bitmapfont'):
            fonts[kind] = rest
        else:
            raise SystemExit(f'embed.py: what is {arg}?')
    if set(fonts) != {'truetype', 'bitmapfont'}:
        raise SystemExit('embed.py: both fonts are needed')
    return pictures, icons, fonts


def embed_icons(outdir, icons):
    cases = '\n'.join(f'    case Icon::{name.capitalize()}: return icon_{name};' for name, _ in icons)
    source(f'{outdir}/art_icon_files.cpp', [(f'icon_{name}', open(base + '.ico', 'rb').read()) for name, base in icons],
           'std::span<const unsigned char> iconFile(Icon icon)\n{\n    switch (icon) {\n' + cases
           + '\n    }\n    return {};\n}')
    arrays = []
    for name, base in icons:
        for size in (16, 32):
            arrays.append((f'icon_{name}_{size}', open(f'{base}{size}.png', 'rb').read()))
    cases = '\n'.join(f'    case Icon::{name.capitalize()}:\n        return size >= 32 ? std::span<const unsigned char>(icon_{name}_32)'
                      f' : std::span<const unsigned char>(icon_{name}_16);' for name, _ in icons)
    source(f'{outdir}/art_icon_pngs.cpp', arrays,
           'std::span<const unsigned char> iconPng(Icon icon, int size)\n{\n    switch (icon) {\n' + cases
           + '\n    }\n    return {};\n}')


def main(argv):
    if len(argv) < 3:
        raise SystemExit(__doc__)
    outdir = argv[1]
    pictures, icons, fonts = arguments(argv[2:])
    body = ['std::span<const unsigned char> picturePng(std::string_view name)', '{']
    for name, _ in pictures:
        body.append(f'    if (name == "{name}")\n        return picture_{name};')
    body += ['    return {};', '}']
    source(f'{outdir}/art_pictures.cpp',
           [(f'picture_{name}', png_bytes(*read_bmp(path))) for name, path in pictures], '\n'.join(body))
    embed_icons(outdir, icons)
    strikes = dialog_strikes(fonts['truetype'])
    rows = ''.join(f'        {{{height}, strike_{height}}},\n' for height, _ in strikes)
    source(f'{outdir}/art_truetype.cpp', [(f'strike_{height}', data) for height, data in strikes],
           'std::span<const FaceStrike> dialogFaceStrikes()\n{\n    static const FaceStrike strikes[] = {\n' + rows
           + '    };\n    return strikes;\n}')
    source(f'{outdir}/art_bitmapfont.cpp', [('font', open(fonts['bitmapfont'], 'rb').read())],
           'std::span<const unsigned char> dialogFontBitmap()\n{\n    return font;\n}')


if __name__ == '__main__':
    main(sys.argv)
