#!/usr/bin/env python3
"""Makes the one self-contained page of the web build from its template:
98.css (its fonts inside it as data), the page's own styles and scripts,
the pictures and icons and the hourglass as data, and the
program: emscripten's loader, and the WebAssembly compressed (gzip) and
carried as text, which the browser unpacks itself, so that nothing is
fetched. The notices, the licence texts of the project and of the pieces
the page carries, go into a comment in its head.

    assemble.py --out OUT.html --shell SHELL.html --css98 DIST_DIR --css VORNAK.css --js A.js [B.js ...]
                --boot BOOT.js --loader PROGRAM.js --wasm PROGRAM.wasm --hourglass HOURGLASS.png
                --picture NAME=PICTURE.bmp ... --icon NAME=ICON ... --notice TEXT ...

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


def css98(folder):
    """98.css with its fonts as data (the woff2 form alone, which every
    current browser takes), and the pictures of its scroll bar, which the
    page's own scroll bar wears."""
    text = read(folder + '/98.css')

    def font(m):
        return 'url(%s) format("woff2")' % data('font/woff2', read('%s/%s.woff2' % (folder, m.group(1)), 'rb'))
    text = re.sub(r'src:url\((ms_sans_serif(?:_bold)?)\.woff\) format\("woff"\);', '', text)
    text = re.sub(r'url\((ms_sans_serif(?:_bold)?)\.woff2\) format\("woff2"\)', font, text)
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
        scrollbar[key] = m.group(1)
    return text, scrollbar


def styles(args, scrollbar):
    text = read(args.css)
    hourglass = 'url("%s")' % data('image/png', read(args.hourglass, 'rb'))
    for key, value in [('@HOURGLASS@', hourglass), ('@STOP@', svg_url(STOP))] + list(scrollbar.items()):
        text = text.replace(key, value)
    return text


def program_data(args):
    """The program and the art, as data for the page's scripts."""
    wasm = base64.b64encode(gzip.compress(read(args.wasm, 'rb'), 9, mtime=0)).decode('ascii')
    art = {'pictures': {}, 'icons': {}}
    for name, path in (p.split('=', 1) for p in args.picture):
        art['pictures'][name] = data('image/webp', webp(path))
    for name, base in (i.split('=', 1) for i in args.icon):
        art['icons'][name] = data('image/png', read(base + '16.png', 'rb'))
    return 'var ProgramData = "%s";\nvar ArtData = %s;\n' % (wasm, json.dumps(art, indent=0))


def main():
    p = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    for name in ('out', 'shell', 'css98', 'css', 'boot', 'loader', 'wasm', 'hourglass'):
        p.add_argument('--' + name, required=True)
    for name in ('js', 'picture', 'icon', 'notice'):
        p.add_argument('--' + name, nargs='+', action='extend', required=True)
    args = p.parse_args()
    notices = '\n\n'.join(read(n).strip() for n in args.notice)
    if '-->' in notices or '--!>' in notices:
        raise SystemExit('assemble.py: a notice would end its comment early')
    text98, scrollbar = css98(args.css98)
    icon = args.icon[0].split('=', 1)[1]
    parts = {'@NOTICES@': notices, '@98CSS@': text98, '@VORNAKCSS@': styles(args, scrollbar),
             '@ICON16@': data('image/png', read(icon + '16.png', 'rb')),
             '@ICON32@': data('image/png', read(icon + '32.png', 'rb')),
             '@DATA@': program_data(args), '@BOOT@': read(args.boot),
             '@VORNAKJS@': '\n'.join(read(js) for js in args.js),
             '@LOADER@': read(args.loader)}
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
