#!/usr/bin/env python3
"""Makes the one self-contained page of the web build from its template:
98.css (its fonts inside it as data), the page's own styles and scripts,
the pictures and icons and the hourglass as data, and the
program: emscripten's loader, and the WebAssembly compressed (gzip) and
carried as text, which the browser unpacks itself, so that nothing is
fetched. The notices, the licence texts of the project and of the pieces
the page carries, go into a comment in its head.

    assemble.py --out OUT.html --shell SHELL.html --css98 DIST_DIR --css VORNAK.css --page PAGE_DIR
                --loader PROGRAM.js --types CONTROLTYPES.h --wasm PROGRAM.wasm --hourglass HOURGLASS.png
                --picture NAME=PICTURE.bmp ... --icon NAME=ICON ... --notice TEXT ...
                --node NODE --bundle BUNDLE.mjs

The page's scripts are its modules under PAGE_DIR bundled from main.js with
the program's loader, and failure.js, which comes first (BUNDLE.mjs, run by
NODE).

A picture (a 24-bit BMP) is carried as a lossless WebP; an icon NAME=BASE
as BASE16.png, and the first icon as the page's own (BASE16.png and
BASE32.png). Nothing in the page refers to anything outside it.
"""
import argparse
import base64
import gzip
import io
import json
import re
import subprocess
import urllib.parse

from PIL import Image

# The stop sign of a message box.
STOP = ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32">'
        '<circle cx="16" cy="16" r="14.5" fill="#f00" stroke="#800" />'
        '<path d="M10 10 L22 22 M22 10 L10 22" stroke="#fff" stroke-width="3"/></svg>')


def data(kind, payload):
    return 'data:%s;base64,%s' % (kind, base64.b64encode(payload).decode('ascii'))


def read(path, mode='r'):
    with open(path, mode, **({} if 'b' in mode else {'encoding': 'utf-8'})) as f:
        return f.read()


def svg_url(svg):
    return 'url("data:image/svg+xml,%s")' % urllib.parse.quote(svg, safe=' =:/')


def webp(path):
    """A 24-bit BMP as a lossless WebP, pixel for pixel."""
    out = io.BytesIO()
    Image.open(path).convert('RGB').save(out, 'WEBP', lossless=True, quality=100, method=6)
    return out.getvalue()


# 98.css's pictures are pixel art drawn as SVG paths of whole-pixel steps.
# A browser makes a document of each SVG it shows, which costs more than
# the page's whole first layout; as PNG they cost next to nothing.
COLOURS = {'none': None, 'gray': (128, 128, 128), 'silver': (192, 192, 192)}


def colour(value):
    if value in COLOURS:
        return COLOURS[value]
    value = value.lstrip('#')
    if len(value) == 3:
        value = ''.join(c * 2 for c in value)
    return tuple(int(value[i:i + 2], 16) for i in (0, 2, 4))


def outlines(d):
    """The closed outlines of a path of M, H, V (and their relative forms)
    and Z commands, as lists of points."""
    shapes, shape, x, y = [], [], 0.0, 0.0
    for cmd, args in re.findall(r'([MmHhVvZzLl])([^MmHhVvZzLl]*)', d):
        nums = [float(n) for n in re.findall(r'-?[\d.]+', args)]
        if cmd in 'Zz':
            continue
        if cmd in 'Mm':
            if shape:
                shapes.append(shape)
            x, y = (nums[0], nums[1]) if cmd == 'M' else (x + nums[0], y + nums[1])
            shape = [(x, y)]
            pairs = list(zip(nums[2::2], nums[3::2]))
            cmd, nums = ('L' if cmd == 'M' else 'l'), [v for p in pairs for v in p]
        for i in range(0, len(nums), 2 if cmd in 'Ll' else 1):
            if cmd in 'Ll':
                x, y = (nums[i], nums[i + 1]) if cmd == 'L' else (x + nums[i], y + nums[i + 1])
            elif cmd in 'Hh':
                x = nums[i] if cmd == 'H' else x + nums[i]
            else:
                y = nums[i] if cmd == 'V' else y + nums[i]
            shape.append((x, y))
    if shape:
        shapes.append(shape)
    return shapes


def inside(shapes, px, py):
    """Even-odd: whether a point lies inside the outlines."""
    crossings = 0
    for shape in shapes:
        for (x1, y1), (x2, y2) in zip(shape, shape[1:] + shape[:1]):
            if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                crossings += 1
    return crossings % 2 == 1


def svg_png(svg):
    """A pixel-art SVG of 98.css as a PNG data URL."""
    width, height = (int(re.search(r"%s='(\d+)'" % k, svg).group(1)) for k in ('width', 'height'))
    default = re.search(r"<svg[^>]*\bfill='([^']*)'", svg)
    image = Image.new('RGBA', (width, height))
    for attrs in re.findall(r'<path([^>]*)/?>', svg):
        fill = re.search(r"\bfill='([^']*)'", attrs)
        rgb = colour(fill.group(1) if fill else default.group(1) if default else '#000')
        if rgb is None:
            continue
        shapes = outlines(re.search(r"\bd='([^']*)'", attrs).group(1))
        for y in range(height):
            for x in range(width):
                if inside(shapes, x + 0.5, y + 0.5):
                    image.putpixel((x, y), rgb + (255,))
    out = io.BytesIO()
    image.save(out, 'PNG', optimize=True)
    return data('image/png', out.getvalue())


def pictures_as_png(css):
    def one(m):
        svg = urllib.parse.unquote(m.group(1))
        if re.search(r'<(?!svg|path|/)', svg):
            raise SystemExit('assemble.py: a picture of 98.css is more than paths: ' + svg[:80])
        return 'url("%s")' % svg_png(svg)
    return re.sub(r'url\("data:image/svg\+xml;charset=utf-8,([^"]*)"\)', one, css)


def css98(folder):
    """98.css without its faces, the pictures of its scroll bar, which the
    page's own scroll bar wears, and its faces (the woff2 form alone, which
    every current browser takes) for the page's script to add (PageFaces):
    a face given as data is ready at once, where one in a style sheet loads
    while the first window is drawn without its text."""
    text = read(folder + '/98.css')
    faces = []

    def face(m):
        rule = dict(re.findall(r'([\w-]+):("[^"]*"|[^;]*)', m.group(1).split('src:')[0]))
        woff2 = re.search(r'url\(([\w.]+\.woff2)\) format\("woff2"\)', m.group(1))
        if not woff2 or 'font-family' not in rule:
            raise SystemExit('assemble.py: a face of 98.css is not as expected: ' + m.group(0)[:80])
        faces.append({'family': rule['font-family'].strip('"'), 'style': rule.get('font-style', 'normal'),
                      'weight': rule.get('font-weight', 'normal'),
                      'data': base64.b64encode(read('%s/%s' % (folder, woff2.group(1)), 'rb')).decode('ascii')})
        return ''
    text = re.sub(r'@font-face\{([^}]*)\}', face, text)
    text = re.sub(r'/\*# sourceMappingURL=.*?\*/', '', text)
    if re.search(r'url\((?!"?data:)', text):
        raise SystemExit('assemble.py: 98.css refers to something outside the page')
    scrollbar = {}
    for key, rule in (('@SCROLLUP@', r'::-webkit-scrollbar-button:vertical:start\{background-image:(url\("[^"]*"\))'),
                      ('@SCROLLDOWN@', r'::-webkit-scrollbar-button:vertical:end\{background-image:(url\("[^"]*"\))'),
                      ('@SCROLLTRACK@', r'::-webkit-scrollbar-track\{background-image:(url\("[^"]*"\))')):
        m = re.search(rule, text)
        if not m:
            raise SystemExit('assemble.py: 98.css has no %s' % key)
        scrollbar[key] = pictures_as_png(m.group(1))
    return pictures_as_png(prune(re.sub(r'/\*(?!!).*?\*/', '', text))), scrollbar, faces


# What 98.css styles that the windows never show: other controls, other
# title-bar buttons, disabled and read-only states, and the browser's own
# scroll bars, which the page draws itself. Those rules are left out, so
# that the page is smaller and the browser has fewer to match.
UNUSED = re.compile(r'\.field-row|field-row\]|\.is-vertical|progress|\.status-|\.sunken-panel|\.vertical-bar|'
                    r'\.window-body|\.window\[role=tabpanel\]|::-webkit-scrollbar|(?<!:not\():disabled|\[disabled\]|'
                    r'\[readonly\]|:read-only|^a$|^a:|^code|^h[1-4]$|^pre$|^u$|^table|^textarea|summary|'
                    r'input\[type=(email|number|password|range|reset|search|submit|tel|url)\]|li\[role=tab\]|'
                    r'menu\[role=tablist\]|ul\.tree-view|button\.default|-ms-|'
                    r'aria-label=(Help|Maximize|Minimize|Restore)\]|aria-label\]\.(help|maximize|minimize|restore)')


def blocks(css):
    """The top-level rules of minified CSS: (prelude, body) pairs."""
    out, depth, start, prelude = [], 0, 0, ''
    for i, ch in enumerate(css):
        if ch == '{':
            if depth == 0:
                prelude, start = css[start:i], i + 1
            depth += 1
        elif ch == '}':
            depth -= 1
            if depth == 0:
                out.append((prelude, css[start:i]))
                start = i + 1
    return out


def prune(css):
    kept = []
    for prelude, body in blocks(css):
        if prelude.startswith('@media'):
            inner = prune(body)
            if inner:
                kept.append('%s{%s}' % (prelude, inner))
            continue
        if prelude.startswith('@'):
            kept.append('%s{%s}' % (prelude, body))
            continue
        selectors = [s for s in re.split(r',(?![^()]*\))', prelude) if not UNUSED.search(s.strip())]
        if selectors:
            kept.append('%s{%s}' % (','.join(selectors), body))
    return ''.join(kept)


def styles(args, scrollbar):
    text = read(args.css)
    hourglass = 'url("%s")' % data('image/png', read(args.hourglass, 'rb'))
    for key, value in [('@HOURGLASS@', hourglass), ('@STOP@', svg_url(STOP))] + list(scrollbar.items()):
        text = text.replace(key, value)
    return text


# A picture larger than this comes at the end of the page, so that the
# program starts without waiting for the page to be read that far.
LATE = 16384


def program_data(args):
    """The program and the art, as data for the page's scripts: the art of
    the first windows with the program, the large pictures, which only later
    windows show, at the end."""
    wasm = base64.b64encode(gzip.compress(read(args.wasm, 'rb'), 9, mtime=0)).decode('ascii')
    art = {'pictures': {}, 'icons': {}}
    late = {}
    for name, path in (p.split('=', 1) for p in args.picture):
        picture = data('image/webp', webp(path))
        (late if len(picture) > LATE else art['pictures'])[name] = picture
    for name, base in (i.split('=', 1) for i in args.icon):
        art['icons'][name] = data('image/png', read(base + '16.png', 'rb'))
    return (json.dumps({'program': wasm, 'art': art}, indent=0), json.dumps({'pictures': late}, indent=0))


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


def bundled(args):
    """The page's scripts: {"page": the bundle, "failure": failure.js}."""
    run = subprocess.run([args.node, args.bundle, args.page, args.loader], capture_output=True, text=True)
    if run.returncode != 0 or run.stderr.strip():
        raise SystemExit('assemble.py: the scripts could not be bundled:\n' + run.stderr)
    return json.loads(run.stdout)


def main():
    p = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    for name in ('out', 'shell', 'css98', 'css', 'page', 'loader', 'wasm', 'hourglass', 'types', 'node', 'bundle'):
        p.add_argument('--' + name, required=True)
    for name in ('picture', 'icon', 'notice'):
        p.add_argument('--' + name, nargs='+', action='extend', required=True)
    args = p.parse_args()
    check_pieces(args.types, args.page + '/pieces.js')
    notices = '\n\n'.join(read(n).strip() for n in args.notice)
    if '-->' in notices or '--!>' in notices:
        raise SystemExit('assemble.py: a notice would end its comment early')
    text98, scrollbar, faces = css98(args.css98)
    icon = args.icon[0].split('=', 1)[1]
    data_early, data_late = program_data(args)
    scripts = bundled(args)
    parts = {'@NOTICES@': notices, '@98CSS@': text98, '@VORNAKCSS@': styles(args, scrollbar),
             '@ICON16@': data('image/png', read(icon + '16.png', 'rb')),
             '@ICON32@': data('image/png', read(icon + '32.png', 'rb')),
             '@DATA@': data_early, '@LATEART@': data_late, '@FACES@': json.dumps(faces),
             '@FAILUREJS@': scripts['failure'], '@PAGEJS@': scripts['page'],
             # The first window, drawn before the program runs, is put in by
             # first-window.mjs once the program has drawn it in this page.
             '@FIRST@': 'null'}
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
