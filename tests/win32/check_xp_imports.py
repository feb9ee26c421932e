#!/usr/bin/env python3
"""Checks that a Windows program imports nothing newer than Windows XP, so
that it loads on XP SP3 and every later version (the loader refuses a
program that names a function its DLLs do not export).

Every imported name is referred to in a small C file compiled against the
cross-compiler's headers set to Windows XP (_WIN32_WINNT 0x0501, GDI+ 1.0,
the C runtime that XP ships): the headers hide what is newer, so a name they
do not declare is reported. The C runtime's start-up code imports a few
names that no header declares; those are the ones every msvcrt.dll since
Windows NT 4 exports.

usage: check_xp_imports.py COMPILER Vornak1.exe
Prints one line per DLL and "N passed, N failed".
"""
import os
import re
import subprocess
import sys
import tempfile

import pefile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_pe import imports  # noqa: E402

HEADERS = ['windows.h', 'mmsystem.h', 'objbase.h', 'gdiplus.h', 'stdio.h', 'stdlib.h', 'string.h', 'wchar.h',
           'wctype.h', 'ctype.h', 'locale.h', 'signal.h', 'setjmp.h', 'time.h', 'math.h', 'io.h', 'direct.h',
           'process.h', 'errno.h', 'sys/stat.h', 'sys/utime.h']

# Start-up and run-time internals of the C runtime that no header declares,
# exported by every msvcrt.dll since Windows NT 4.
CRT_INTERNALS = {'__getmainargs', '__wgetmainargs', '__initenv', '__winitenv', '__p__acmdln', '__p__wcmdln',
                 '__p__commode', '__p__fmode', '__set_app_type', '__setusermatherr', '_amsg_exit', '_initterm',
                 '_lock', '_unlock', '__mb_cur_max', '_iob', '__iob_func', '_onexit', '__dllonexit', '_cexit',
                 '_setjmp3', '_XcptFilter', '__lconv_init', '_fpreset', '__C_specific_handler', '_exit'}


def undeclared(compiler, names):
    """The names the XP headers do not declare."""
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, 'imports.c')
        with open(source, 'w') as f:
            f.write('#define _WIN32_WINNT 0x0501\n#define WINVER 0x0501\n#define GDIPVER 0x0100\n'
                    '#define __MSVCRT_VERSION__ 0x0700\n#define _CRT_NON_CONFORMING_SWPRINTFS\n')
            f.writelines('#include <%s>\n' % h for h in HEADERS)
            f.write('void *refer(void);\nvoid *refer(void)\n{\n    void *p = 0;\n')
            for i, name in enumerate(names):
                f.write('#line %d\n    p = (void *)&%s;\n' % (1000000 + i, name))
            f.write('    return p;\n}\n')
        result = subprocess.run([compiler, '-fsyntax-only', '-Wno-deprecated-declarations', source],
                                capture_output=True, text=True)
    missing = set()
    for line in result.stderr.splitlines():
        m = re.search(r':(\d+):\d+: error:', line)
        if m and int(m.group(1)) >= 1000000:
            missing.add(names[int(m.group(1)) - 1000000])
    return sorted(missing)


def main(compiler, path):
    passed = failed = 0
    for dll, names in imports(pefile.PE(path)):
        names = [n for n in names if not n.startswith('#')]
        if dll.lower() == 'msvcrt.dll':
            names = [n for n in names if n not in CRT_INTERNALS]
        newer = undeclared(compiler, names)
        if newer:
            failed += 1
            print('FAIL %s: newer than Windows XP or unknown: %s' % (dll, ', '.join(newer)))
        else:
            passed += 1
            print('ok   %s: %d names, all in Windows XP' % (dll, len(names)))
    print('%d passed, %d failed' % (passed, failed))
    return 1 if failed else 0


if __name__ == '__main__':
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
