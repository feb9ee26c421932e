#!/usr/bin/env python3
"""Makes the two sides of the protocol between the program and the page from
its one declaration, protocol.json (its "about" says what each part is):

    protocol.py PROTOCOL.json PAGE_DIR OUT_DIR

OUT_DIR gets protocol_calls.h, protocol_entries.h and protocol_fields.h for
the C++ side and protocol.js for the page's. Fails when a member of what the
page is given is read by none of the page's modules.
"""
import json
import os
import re
import sys

HEADER = '// Made by protocol.py from protocol.json: do not edit.\n'

# An argument's C++ type, and how the page's side reads it.
TYPES = {
    'int': ('int', '{0}'),
    'bool': ('int', '{0} != 0'),
    'text': ('const char*', 'UTF8ToString({0})'),
    'json': ('const char*', 'JSON.parse(UTF8ToString({0}))'),
    'ints6': ('const int*', 'Array.from(HEAP32.subarray({0} >> 2, ({0} >> 2) + 6))'),
}


def arguments(call):
    return [a.split() for a in call['args']]


def shim(call):
    """A call of the page, as the program makes it."""
    args = arguments(call)
    params = [f'{TYPES[t][0]} {n}' for t, n in args]
    values = ', '.join(TYPES[t][1].format(n) for t, n in args)
    invoke = f"Vornak.page.{call['name']}({values})"
    result = call.get('result')
    if result == 'box':
        params.append('int* box')
        body = f'    const r = {invoke};\n    for (let i = 0; i < 4; ++i)\n        HEAP32[(box >> 2) + i] = r[i];'
    elif result == 'int':
        body = f'    return {invoke};'
    else:
        body = f"    {'await ' if call.get('async') else ''}{invoke};"
    macro = 'EM_ASYNC_JS' if call.get('async') else 'EM_JS'
    says = f"// {call['says']}\n" if call.get('says') else ''
    return (f"{says}{macro}({'int' if result == 'int' else 'void'}, vk_{call['name']}, ({', '.join(params)}), {{\n"
            f'{body}\n}});')


def entry(e):
    params = ', '.join(f'{TYPES[t][0]} {n}' for t, n in arguments(e))
    return f"// {e['says']}\nEMSCRIPTEN_KEEPALIVE void vornak_{e['name']}({params});"


def fields_header(fields):
    parts = [HEADER + '#pragma once\n\n#include <string_view>\n\nnamespace vornak::web::field {\n']
    for group, members in fields.items():
        names = [n for n in members if n != '...']
        parts.append(f'namespace {group} {{')
        parts += [f'inline constexpr std::string_view {n} = "{n}";' for n in names]
        parts.append(f'}}  // namespace {group}\n')
    parts.append('}  // namespace vornak::web::field\n')
    return '\n'.join(parts)


def page_side(protocol, page_dir):
    names = [c['name'] for c in protocol['calls']]
    page = os.path.join(os.path.abspath(page_dir), 'page.js')
    lines = [HEADER + '// The handler of each call of the program (page.js), and the name of each',
             '// entry point of the program, for the page\'s modules.',
             f"import {{ {', '.join(names)} }} from {json.dumps(page)};", '',
             f"export const calls = {{ {', '.join(names)} }};", '']
    lines += [f"export const {e['name']} = 'vornak_{e['name']}';" for e in protocol['entries']]
    return '\n'.join(lines) + '\n'


def check_read(fields, page_dir):
    source = '\n'.join(open(os.path.join(page_dir, f), encoding='utf-8').read()
                       for f in sorted(os.listdir(page_dir)) if f.endswith('.js'))
    unread = [f'{g}.{n}' for g, members in fields.items() for n in members
              if n != '...' and not re.search(r'\.%s\b|\b%s:|\[%s\]' % (n, n, json.dumps(n)), source)]
    if unread:
        raise SystemExit('protocol.py: the page reads no ' + ', '.join(unread))


def write(path, text):
    try:
        if open(path, encoding='utf-8').read() == text:
            return
    except OSError:
        pass
    with open(path, 'w', encoding='utf-8') as f:
        f.write(text)


def main(argv):
    if len(argv) != 4:
        raise SystemExit(__doc__)
    protocol_path, page_dir, out = argv[1:]
    with open(protocol_path, encoding='utf-8') as f:
        protocol = json.load(f)
    check_read(protocol['fields'], page_dir)
    os.makedirs(out, exist_ok=True)
    write(os.path.join(out, 'protocol_calls.h'), HEADER + '#pragma once\n\n#include <emscripten.h>\n\n'
          + '\n'.join(shim(c) for c in protocol['calls']) + '\n')
    write(os.path.join(out, 'protocol_entries.h'), HEADER + '#pragma once\n\n#include <emscripten.h>\n\nextern "C" {\n\n'
          + '\n\n'.join(entry(e) for e in protocol['entries']) + '\n\n}  // extern "C"\n')
    write(os.path.join(out, 'protocol_fields.h'), fields_header(protocol['fields']))
    write(os.path.join(out, 'protocol.js'), page_side(protocol, page_dir))


if __name__ == '__main__':
    main(sys.argv)
