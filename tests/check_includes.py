#!/usr/bin/env python3
"""Fails when a file of the core (app/) or of the windows (forms/) includes
anything but the C++ standard library and the project's own core headers:
no platform header (windows.h, unistd.h, dirent.h, emscripten.h, ...), no
toolkit (Qt), no C library header of a platform.

usage: check_includes.py SOURCE_DIR
"""
import pathlib
import re
import sys

# The C++ standard library's headers, and the C library's in their C++ form.
STANDARD = set('''
algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat charconv chrono cinttypes climits
clocale cmath codecvt compare complex concepts condition_variable coroutine csetjmp csignal cstdarg cstddef cstdint
cstdio cstdlib cstring ctime cuchar cwchar cwctype deque exception execution expected filesystem format forward_list
fstream functional future initializer_list iomanip ios iosfwd iostream istream iterator latch limits list locale map
memory memory_resource mutex new numbers numeric optional ostream queue random ranges ratio regex scoped_allocator
semaphore set shared_mutex source_location span sstream stack stdexcept stop_token streambuf string string_view
syncstream system_error thread tuple type_traits typeindex typeinfo unordered_map unordered_set utility valarray
variant vector version
'''.split())


def main(top):
    top = pathlib.Path(top)
    bad = []
    for folder in ('app', 'forms'):
        for path in sorted((top / folder).rglob('*')):
            if path.suffix not in ('.h', '.cpp'):
                continue
            for number, line in enumerate(path.read_text(encoding='utf-8').splitlines(), 1):
                m = re.match(r'\s*#\s*include\s*([<"])([^>"]+)[>"]', line)
                if not m:
                    continue
                kind, name = m.groups()
                own = kind == '"' and (name.startswith(('app/', 'forms/')) or (path.parent / name).exists())
                if not own and not (kind == '<' and name in STANDARD):
                    bad.append('%s:%d: %s' % (path.relative_to(top), number, line.strip()))
    for b in bad:
        print(b)
    print('%d files checked; %s' % (sum(1 for f in ('app', 'forms') for p in (top / f).rglob('*') if p.suffix in ('.h', '.cpp')),
                                   'every include is the standard library or the core' if not bad
                                   else '%d includes of something else' % len(bad)))
    return 1 if bad else 0


if __name__ == '__main__':
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    sys.exit(main(sys.argv[1]))
