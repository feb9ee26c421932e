#!/usr/bin/env python3
"""Writes the C++ sources that carry the program's pictures, icons and
dialog font inside every build (app/art.h says what they define), one
source for each function there, so that a build links only what it uses.

    embed.py OUTDIR picture:NAME=FILE.bmp... icon:NAME=BASE truetype=FILE.ttf bitmapfont=FILE.fon

A picture, a 24-bit BMP under resources/pictures, is carried as a PNG file
(lossless, RGB, 8 bits a channel, no gamma or colour chunks that a decoder
might apply), about a fifth of the BMP's size, made by Pillow. An icon,
BASE.ico with BASE16.png and BASE32.png beside it, is carried in both forms.
The bitmap font is carried as it is; the TrueType font, a file of bitmap
strikes, as one outline font for each strike (dialog_strikes), and again
packed with zlib for the Windows program.
"""

import io
import sys
import zlib

from fontTools.ttLib import TTFont
from PIL import Image

from pixelface import pixel_font


def picture_png(path):
    """A 24-bit BMP as a PNG file of its pixels alone."""
    with Image.open(path) as img:
        if img.format != 'BMP' or img.mode != 'RGB':
            raise SystemExit(f'{path}: not a 24-bit BMP')
        buf = io.BytesIO()
        # Pillow writes no chunk but the image's own unless asked to.
        img.save(buf, 'PNG', optimize=True)
    return buf.getvalue()


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


def dialog_strikes(path):
    """The face once for each of its bitmap strikes, as the outline font
    whose outlines are exactly that strike's pixels (tools/pixelface.py),
    with the strike's character height and pixel size. Drawn at that pixel
    size with no hinting and no smoothing it draws the strike's own pixels,
    and at a whole multiple of it each of them as a block: a toolkit that
    cannot enlarge a bitmap strike (Qt) draws the face at any whole factor.
    A strike's character height, the height Windows asks a bitmap face for,
    is its cell less the internal leading, which in the era's faces is all
    below the baseline: the strike's ascent."""
    with TTFont(path) as font:
        sizes = [s.bitmapSizeTable for s in font['EBLC'].strikes] if 'EBLC' in font else []
    if not sizes:
        raise SystemExit(f'embed.py: {path} holds no bitmap strikes')
    strikes = []
    for size in sizes:
        out = io.BytesIO()
        pixel_font(path, size.ppemY).save(out)
        strikes.append((size.hori.ascender, size.ppemY, out.getvalue()))
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
           [(f'picture_{name}', picture_png(path)) for name, path in pictures], '\n'.join(body))
    embed_icons(outdir, icons)
    strikes = dialog_strikes(fonts['truetype'])
    rows = ''.join(f'        {{{height}, {ppem}, strike_{height}}},\n' for height, ppem, _ in strikes)
    source(f'{outdir}/art_truetype.cpp', [(f'strike_{height}', data) for height, _, data in strikes],
           'std::span<const FaceStrike> dialogFaceStrikes()\n{\n    static const FaceStrike strikes[] = {\n' + rows
           + '    };\n    return strikes;\n}')
    rows = ''.join(f'        {{{height}, {ppem}, {len(data)}, strike_{height}}},\n' for height, ppem, data in strikes)
    source(f'{outdir}/art_truetype_packed.cpp',
           [(f'strike_{height}', zlib.compress(data, 9)) for height, _, data in strikes],
           'std::span<const PackedFaceStrike> dialogFaceStrikesPacked()\n{\n'
           '    static const PackedFaceStrike strikes[] = {\n' + rows + '    };\n    return strikes;\n}')
    source(f'{outdir}/art_bitmapfont.cpp', [('font', open(fonts['bitmapfont'], 'rb').read())],
           'std::span<const unsigned char> dialogFontBitmap()\n{\n    return font;\n}')


if __name__ == '__main__':
    main(sys.argv)
