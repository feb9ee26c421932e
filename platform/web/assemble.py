#!/usr/bin/env python3
"""Makes the one self-contained page of the web build: the template with
98.css (its fonts inside it as data), the page's own styles and script, the
hourglass cursor and the folder marks as data, and the program: the
emscripten loader, and the WebAssembly handed to it as data, so that it
fetches nothing.

    assemble.py OUT.html SHELL.html 98.css FONTS_DIR VORNAK.css VORNAK.js PROGRAM.js PROGRAM.wasm HOURGLASS.png
                NOTICE.txt...

The notices, the licence texts of the project and of the pieces the page
carries, go into a comment at the top of the page.

Standard library only. Nothing in the page refers to anything outside it.
"""
import base64
import re
import sys
import urllib.parse


def data_url(kind, data):
    return 'url("data:%s;base64,%s")' % (kind, base64.b64encode(data).decode('ascii'))


def svg_url(svg):
    return 'url("data:image/svg+xml,%s")' % urllib.parse.quote(svg, safe=' =:/')


# The folder marks of the folder list, 16 by 13 pixels, and the stop sign of
# a message box.
CLOSED = ('<svg xmlns="http://www.w3.org/2000/svg" width="16" height="13" shape-rendering="crispEdges">'
          '<rect x="1.5" y="1.5" width="5" height="2" fill="#808000" stroke="#000"/>'
          '<rect x="1.5" y="3.5" width="12" height="8" fill="#ff0" stroke="#000"/></svg>')
OPEN = ('<svg xmlns="http://www.w3.org/2000/svg" width="16" height="13" shape-rendering="crispEdges">'
        '<rect x="1.5" y="1.5" width="5" height="2" fill="#808000" stroke="#000"/>'
        '<rect x="1.5" y="3.5" width="11" height="8" fill="#ff0" stroke="#000"/>'
        '<polygon points="1.5,11.5 4.5,6.5 15.5,6.5 12.5,11.5" fill="#ffffc0" stroke="#000"/></svg>')
STOP = ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32">'
        '<circle cx="16" cy="16" r="14.5" fill="#f00" stroke="#800" />'
        '<path d="M10 10 L22 22 M22 10 L10 22" stroke="#fff" stroke-width="3"/></svg>')


def main(argv):
    if len(argv) < 10:
        raise SystemExit(__doc__)
    out, shell, css98, fonts, css, js, program, wasm, hourglass = argv[1:10]
    notices = '\n\n'.join(open(n, encoding='utf-8').read().strip() for n in argv[10:])
    if '-->' in notices or '--!>' in notices:
        raise SystemExit('assemble.py: a notice would end its comment early')
    text98 = open(css98, encoding='utf-8').read()
    # The fonts 98.css names, as data; the woff2 form alone, which every
    # current browser takes.
    def font(m):
        name = m.group(1)
        return data_url('font/woff2', open('%s/%s.woff2' % (fonts, name), 'rb').read()) + ' format("woff2")'
    text98 = re.sub(r'src:url\((ms_sans_serif(?:_bold)?)\.woff\) format\("woff"\);', '', text98)
    text98 = re.sub(r'url\((ms_sans_serif(?:_bold)?)\.woff2\) format\("woff2"\)', font, text98)
    text98 = re.sub(r'/\*# sourceMappingURL=.*?\*/', '', text98)
    if re.search(r'url\((?!"?data:)', text98):
        raise SystemExit('assemble.py: 98.css refers to something outside the page')
    styles = open(css, encoding='utf-8').read()
    styles = styles.replace('@HOURGLASS@', data_url('image/png', open(hourglass, 'rb').read()))
    styles = styles.replace('@CLOSED@', svg_url(CLOSED)).replace('@OPEN@', svg_url(OPEN)).replace('@STOP@', svg_url(STOP))
    page = open(shell, encoding='utf-8').read()
    binary = base64.b64encode(open(wasm, 'rb').read()).decode('ascii')
    loader = ('Module.wasmBinary = (function (text) {\n'
              '    const bytes = new Uint8Array(text.length);\n'
              '    for (let i = 0; i < text.length; ++i)\n'
              '        bytes[i] = text.charCodeAt(i);\n'
              '    return bytes;\n'
              '})(atob("%s"));\n' % binary
              + open(program, encoding='utf-8').read())
    parts = {'@NOTICES@': notices, '@98CSS@': text98, '@VORNAKCSS@': styles, '@VORNAKJS@': open(js, encoding='utf-8').read(),
             '@PROGRAM@': loader}
    for key, value in parts.items():
        if '</script' in value.lower() or '</style' in value.lower():
            raise SystemExit('assemble.py: %s would end its element early' % key)
        page = page.replace(key, value, 1)
    with open(out, 'w', encoding='utf-8') as f:
        f.write(page)


if __name__ == '__main__':
    main(sys.argv)
