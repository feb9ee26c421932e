#!/usr/bin/env python3
"""Makes the one self-contained page of the web build from its template:
the stylesheet (style.mjs: 98.css and the page's own, with the dialog faces,
the hourglass, the stop sign and the folder marks inside it as data), the
page's scripts (bundle.mjs), what the page draws before the program has
started (first_window.cpp's JSON: the rule for every screen and the first
window, which markup.mjs also makes the page's markup of), the pictures
and icons, and the program: the WebAssembly compressed (gzip) and carried
as text, which the browser unpacks itself, so that nothing is fetched. The
notices, the licence texts of the project and of the pieces the page
carries, go into a comment at its end.

    assemble.py --out OUT.html --shell SHELL.html --css98 98.css --css VORNAK.css --page PAGE_DIR
                --loader PROGRAM.js --protocol PROTOCOL.js --wasm PROGRAM.wasm --types CONTROLTYPES.h --first FIRST.json
                --face DPI=REGULAR.woff2,BOLD.woff2 ... --hourglass HOURGLASS.png
                --picture NAME=PICTURE.bmp ... --icon NAME=ICON ... --notice TEXT ...
                --node NODE --style STYLE.mjs --bundle BUNDLE.mjs --markup MARKUP.mjs

A picture (a 24-bit BMP) is carried as a lossless WebP; an icon NAME=BASE
as BASE16.png, and the first icon as the page's own (BASE16.png and
BASE32.png). Nothing in the page refers to anything outside it.
"""
import argparse
import base64
import io
import json
import re
import subprocess
import tempfile
import urllib.parse

from fontTools.subset import Options, Subsetter
from fontTools.ttLib import TTFont
from PIL import Image

# The stop sign of a message box.
STOP = ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32">'
        '<circle cx="16" cy="16" r="14.5" fill="#f00" stroke="#800" />'
        '<path d="M10 10 L22 22 M22 10 L10 22" stroke="#fff" stroke-width="3"/></svg>')

# A picture larger than this comes at the end of the page, so that the
# program starts without waiting for the page to be read that far.
LATE = 16384
# The button-face grey on which some pictures are painted.
GREY = (0xC0, 0xC0, 0xC0)


def data(kind, payload):
    return 'data:%s;base64,%s' % (kind, base64.b64encode(payload).decode('ascii'))


def compact(value):
    return json.dumps(value, separators=(',', ':'))


def read(path, mode='r'):
    with open(path, mode, **({} if 'b' in mode else {'encoding': 'utf-8'})) as f:
        return f.read()


def png(image):
    out = io.BytesIO()
    image.save(out, 'PNG', optimize=True)
    return out.getvalue()


def packed(payload):
    """Bytes or text as base64 of their gzip, which the page unpacks: made by
    zopfli (Debian's), the smallest that gzip can be."""
    payload = payload.encode('utf-8') if isinstance(payload, str) else payload
    with tempfile.NamedTemporaryFile() as f:
        f.write(payload)
        f.flush()
        run = subprocess.run(['zopfli', '-c', f.name], capture_output=True)
    if run.returncode != 0 or not run.stdout:
        raise SystemExit('assemble.py: zopfli failed: %s' % run.stderr.decode(errors='replace'))
    return base64.b64encode(run.stdout).decode('ascii')


def webp(path, keyed):
    """A 24-bit BMP as a lossless WebP, pixel for pixel; one painted on the
    button-face grey with that grey made transparent, so that what lies
    under the picture shows through it."""
    image = Image.open(path).convert('RGB')
    if keyed:
        image.putalpha(Image.frombytes('L', image.size, bytes(0 if p == GREY else 255 for p in image.getdata())))
    out = io.BytesIO()
    image.save(out, 'WEBP', lossless=True, quality=100, method=6)
    return out.getvalue()


def titled(path, titles):
    """A face cut to the letters of the titles (fontTools' subsetter)."""
    # Saved with the time the face itself carries, not the time of the
    # build, which would make every build's bytes another.
    font = TTFont(path, recalcTimestamp=False)
    subsetter = Subsetter(Options(flavor='woff2'))
    subsetter.populate(text=''.join(titles))
    subsetter.subset(font)
    out = io.BytesIO()
    font.flavor = 'woff2'
    font.save(out)
    return out.getvalue()


def faces(args, titles):
    """The dialog face of each resolution as CSS: regular, and bold for the
    title bars, which show only the titles."""
    rules = []
    for face in args.face:
        dpi, files = face.split('=', 1)
        regular, bold = files.split(',')
        for weight, woff2 in (('normal', read(regular, 'rb')), ('bold', titled(bold, titles))):
            rules.append('@font-face { font-family: "Vornak1 Dialog %s"; font-weight: %s; src: url("%s") '
                         'format("woff2"); }' % (dpi, weight, data('font/woff2', woff2)))
    return '\n'.join(rules)


def advances(woff2, ppem):
    """The width in pixels of each letter of a face at its strike's size."""
    font = TTFont(io.BytesIO(woff2))
    scale = ppem / font['head'].unitsPerEm
    widths = font['hmtx']
    return {chr(code): round(widths[glyph][0] * scale) for code, glyph in font.getBestCmap().items()}


def markup(args, first, pictures):
    """The program's first window as markup, at 96 dpi, its pictures in it
    (markup.mjs)."""
    regular = next(f for f in args.face if f.startswith('96='))[3:].split(',')[0]
    given = {'windows': first['windows'], 'advances': advances(read(regular, 'rb'), 13), 'pictures': pictures}
    return node(args, args.markup, args.page, args.protocol, stdin=json.dumps(given))


def first_windows(first):
    """The first window's designs for the page's script: at 96 dpi, which
    the page's markup holds whole, only its size."""
    windows = dict(first['windows'])
    windows['96'] = {key: windows['96'][key] for key in ('dpi', 'width', 'height')}
    return windows


def mark(rgba):
    """A folder mark, as the core gives its pixels, as a PNG."""
    return 'url("%s")' % data('image/png', png(Image.frombytes('RGBA', (16, 13), bytes(rgba))))


def stylesheet(args, first):
    substitutions = {
        '@FACES@': faces(args, first['titles']),
        '@HOURGLASS@': 'url("%s")' % data('image/png', read(args.hourglass, 'rb')),
        '@STOP@': 'url("data:image/svg+xml,%s")' % urllib.parse.quote(STOP, safe=' =:/'),
        '@FOLDEROPEN@': mark(first['marks']['open']),
        '@FOLDERCLOSED@': mark(first['marks']['closed']),
        '@ICONS@': icons(args),
    }
    return node(args, args.style, args.css98, args.css, args.page, stdin=json.dumps(substitutions))


def node(args, script, *arguments, stdin=None):
    run = subprocess.run([args.node, script, *arguments], input=stdin, capture_output=True, text=True)
    if run.returncode != 0 or run.stderr.strip():
        raise SystemExit('assemble.py: %s failed:\n%s' % (script, run.stderr[-3000:]))
    return run.stdout


def art(args, first):
    """The pictures: those of the first windows as the page is read, the
    large pictures, which only later windows show, at its end."""
    early = {'pictures': {}}
    late = {'pictures': {}}
    for name, path in (p.split('=', 1) for p in args.picture):
        picture = data('image/webp', webp(path, name in first['keyed']))
        (late if len(picture) > LATE else early)['pictures'][name] = picture
    return early, late


def icons(args):
    """The windows' icons, as the stylesheet draws them (icon-NAME)."""
    return '\n'.join('.icon-%s { background-image: url("%s"); }' % (name, data('image/png', read(base + '16.png', 'rb')))
                     for name, base in (i.split('=', 1) for i in args.icon))


def check_pieces(types, pieces):
    """Every control type of the program (app/controltypes.h) has its piece
    in the page's script, as every other front end must to build."""
    names = re.findall(r'^\s*X\((\w+)', read(types), re.M)
    # The members of "const pieces = {...}", at the depth of its first one,
    # however deep that is.
    source = read(pieces)
    table = re.search(r'\bconst pieces = \{[ \t]*\n(?:[ \t]*\n)*([ \t]*)\w+: \{', source)
    pieces = set(re.findall(r'^%s(\w+): \{' % table.group(1), source[table.start():], re.M)) if table else set()
    missing = [n for n in names if n not in pieces]
    if not names or missing:
        raise SystemExit('assemble.py: no piece in the page for %s' % (', '.join(missing) or 'any control type'))


def main():
    p = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    for name in ('out', 'shell', 'css98', 'css', 'page', 'loader', 'protocol', 'wasm', 'types', 'first', 'hourglass',
                 'node', 'style', 'bundle', 'markup'):
        p.add_argument('--' + name, required=True)
    for name in ('face', 'picture', 'icon', 'notice'):
        p.add_argument('--' + name, nargs='+', action='extend', required=True)
    args = p.parse_args()
    check_pieces(args.types, args.page + '/pieces.js')
    notices = '\n\n'.join(read(n).strip() for n in args.notice)
    if '-->' in notices or '--!>' in notices:
        raise SystemExit('assemble.py: a notice would end its comment early')
    first = json.loads(read(args.first))
    icon = args.icon[0].split('=', 1)[1]
    early, late = art(args, first)
    # (the first window's pictures are in its markup, and the page's script
    # takes them from there)
    first_window = markup(args, first, early['pictures'])
    early['pictures'] = {n: p for n, p in early['pictures'].items() if p not in first_window}
    scripts = json.loads(node(args, args.bundle, args.page, args.loader, args.protocol))
    program = packed(read(args.wasm, 'rb'))
    parts = {'@NOTICES@': notices, '@STYLE@': stylesheet(args, first),
             '@ICON16@': data('image/png', read(icon + '16.png', 'rb')),
             '@ICON32@': data('image/png', read(icon + '32.png', 'rb')),
             '@SCREENS@': compact(first['screens']), '@FIRST@': compact(packed(compact(first_windows(first)))),
             '@ART@': compact(early), '@LATEART@': compact(late), '@PROGRAM@': compact(program),
             '@FAILUREJS@': scripts['failure'], '@PAGEJS@': scripts['page'], '@EARLYJS@': scripts['early'],
             '@EARLY@': first_window}
    page = read(args.shell)
    for key, value in parts.items():
        if '</script' in value.lower() or '</style' in value.lower():
            raise SystemExit('assemble.py: %s would end its element early' % key)
        if key not in page:
            raise SystemExit('assemble.py: the template has no %s' % key)
        page = page.replace(key, value, 1)
    with open(args.out, 'w', encoding='utf-8') as f:
        f.write(page)


if __name__ == '__main__':
    main()
