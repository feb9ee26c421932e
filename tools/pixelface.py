#!/usr/bin/env python3
"""The dialog face as outline fonts whose outlines are exactly the pixels of
one of its bitmap strikes: each pixel a square of UNITS font units, the
strike's pixel size an em of ppem x UNITS. Drawn at the strike's pixel size
times a whole number, with no hinting, every glyph pixel is a whole block of
pixels and nothing is smoothed, in a toolkit that cannot enlarge a bitmap
strike (Qt) and in a browser, which takes no bitmap font at all.

    pixelface.py FACE.ttf OUT.ttf STRIKE_PPEM [--bold] [--woff2] [--chars cp1252|ascii]

--bold: the classic emboldening of a bitmap face, each glyph drawn twice,
one pixel apart, and one pixel wider. --woff2: compressed for the web.
--chars: the glyphs kept, by the characters they draw (every glyph of the
strike when not given).

As a module: pixel_font(path, ppem, bold=False, chars=None) -> TTFont.
"""
import argparse

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

UNITS = 64  # font units to a pixel
FAMILY = 'Vornak1 Dialog'


def strike_of(face, ppem):
    for index, strike in enumerate(face['EBLC'].strikes):
        if strike.bitmapSizeTable.ppemY == ppem:
            return index, strike
    raise SystemExit(f'pixelface.py: the face has no strike of {ppem} pixels')


def glyph_metrics(strike):
    """The metrics of each glyph of a strike, where its index keeps them
    for all of its glyphs (image format 5) rather than each glyph itself."""
    shared = {}
    for sub in strike.indexSubTables:
        if getattr(sub, 'metrics', None) is not None:
            for name in sub.names:
                shared[name] = sub.metrics
    return shared


def pixels(glyph, metrics):
    """The set pixels of a bit-aligned glyph bitmap, as (column, row), row 0
    at the top."""
    data = glyph.imageData
    if glyph.getFormat() not in (2, 5):
        raise SystemExit(f'pixelface.py: a glyph bitmap of format {glyph.getFormat()}')
    out = set()
    for r in range(metrics.height):
        for c in range(metrics.width):
            i = r * metrics.width + c
            if data[i // 8] >> (7 - i % 8) & 1:
                out.add((c, r))
    return out


def outline(set_pixels, left, top):
    """The pixels as rectangles, each a run of a row grown down over the
    rows below that have the same run; drawn clockwise, y up, in units."""
    runs = {}
    for row in sorted({r for _, r in set_pixels}):
        columns = sorted(c for c, r in set_pixels if r == row)
        start = columns[0]
        for a, b in zip(columns, columns[1:] + [None]):
            if b != a + 1:
                runs.setdefault((start, a + 1), []).append(row)
                if b is not None:
                    start = b
    pen = TTGlyphPen(None)
    for (x0, x1), rows in sorted(runs.items()):
        first = rows[0]
        for this, following in zip(rows, rows[1:] + [None]):
            if following != this + 1:
                y0, y1 = (top - this - 1) * UNITS, (top - first) * UNITS
                xa, xb = (left + x0) * UNITS, (left + x1) * UNITS
                pen.moveTo((xa, y0))
                pen.lineTo((xa, y1))
                pen.lineTo((xb, y1))
                pen.lineTo((xb, y0))
                pen.closePath()
                first = following
    return pen.glyph()


CHARS = {'ascii': range(0x20, 0x7F),
         'cp1252': [c for c in range(0x20, 0x100) if c != 0x7F]
         + [ord(bytes([b]).decode('cp1252')) for b in range(0x80, 0xA0) if b not in (0x81, 0x8D, 0x8F, 0x90, 0x9D)]}


def pixel_font(path, ppem, bold=False, chars=None):
    face = TTFont(path)
    index, strike = strike_of(face, ppem)
    sizes = strike.bitmapSizeTable
    ascent, descent = sizes.hori.ascender, -sizes.hori.descender
    bitmaps = face['EBDT'].strikeData[index]
    shared = glyph_metrics(strike)
    cmap = {c: g for c, g in face.getBestCmap().items() if (chars is None or c in chars) and g in bitmaps}
    order = ['.notdef'] + sorted(set(cmap.values()) - {'.notdef'}, key=face.getGlyphID)
    glyphs, advances = {}, {}
    for name in order:
        bitmap = bitmaps.get(name)
        if bitmap is None:  # a box, as the strike has no glyph to draw
            metrics, drawn = None, set()
        else:
            metrics = shared.get(name) or bitmap.metrics
            drawn = pixels(bitmap, metrics)
        if bold:
            drawn |= {(c + 1, r) for c, r in drawn}
        if metrics is None:
            glyphs[name], advances[name] = TTGlyphPen(None).glyph(), (ascent // 2 * UNITS, 0)
            continue
        advance = metrics.horiAdvance if hasattr(metrics, 'horiAdvance') else metrics.Advance
        bearing = metrics.horiBearingX if hasattr(metrics, 'horiBearingX') else metrics.BearingX
        top = metrics.horiBearingY if hasattr(metrics, 'horiBearingY') else metrics.BearingY
        glyphs[name] = outline(drawn, bearing, top) if drawn else TTGlyphPen(None).glyph()
        advances[name] = ((advance + (1 if bold else 0)) * UNITS, bearing * UNITS if drawn else 0)
    builder = FontBuilder(ppem * UNITS, isTTF=True)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap(cmap)
    builder.setupGlyf(glyphs)
    for name, glyph in glyphs.items():
        glyph.recalcBounds(builder.font['glyf'])
        advances[name] = (advances[name][0], getattr(glyph, 'xMin', 0))
    builder.setupHorizontalMetrics(advances)
    builder.setupHorizontalHeader(ascent=ascent * UNITS, descent=-descent * UNITS, lineGap=0)
    style = 'Bold' if bold else 'Regular'
    copyright = face['name'].getDebugName(0) or ''
    builder.setupNameTable({
        'copyright': copyright + '; outlines drawn from its bitmap strike of %d pixels' % ppem,
        'familyName': FAMILY, 'styleName': style, 'uniqueFontIdentifier': '%s %s %d' % (FAMILY, style, ppem),
        'fullName': '%s %s' % (FAMILY, style), 'psName': '%s-%s' % (FAMILY.replace(' ', ''), style),
        'licenseDescription': 'GNU Lesser General Public License, version 2.1 or later, as the face it is drawn from',
    })
    builder.setupOS2(version=4, sTypoAscender=ascent * UNITS, sTypoDescender=-descent * UNITS, sTypoLineGap=0,
                     usWinAscent=ascent * UNITS, usWinDescent=descent * UNITS, fsType=0,
                     usWeightClass=700 if bold else 400, fsSelection=(0x20 if bold else 0x40) | 0x80,
                     achVendID='VRNK')
    builder.setupPost()
    # (dated as the face it is drawn from, so that it is the same file
    # whenever it is made)
    dated = face['head'].created
    builder.setupHead(unitsPerEm=ppem * UNITS, fontRevision=1.0, created=dated, modified=dated,
                      macStyle=1 if bold else 0)
    builder.setupMaxp()
    builder.font.recalcTimestamp = False
    # No hinting instructions: outlines on whole pixels need none, and a
    # hinter that moves them would only spoil them.
    return builder.font


def main():
    p = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    p.add_argument('face')
    p.add_argument('out')
    p.add_argument('ppem', type=int)
    p.add_argument('--bold', action='store_true')
    p.add_argument('--woff2', action='store_true')
    p.add_argument('--chars', choices=sorted(CHARS))
    args = p.parse_args()
    font = pixel_font(args.face, args.ppem, args.bold, set(CHARS[args.chars]) if args.chars else None)
    if args.woff2:
        font.flavor = 'woff2'
    font.save(args.out)


if __name__ == '__main__':
    main()
