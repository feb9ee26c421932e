#!/usr/bin/env python3
"""Fails when a C++ file of the tree is not as clang-format makes it with
the project's .clang-format, naming each such file and the first lines that
differ. Fix with: clang-format -i FILE (or every file: make format).

usage: check_format.py SOURCE_DIR
"""
import concurrent.futures
import difflib
import os
import pathlib
import shutil
import subprocess
import sys

FOLDERS = ('app', 'forms', 'platform', 'tests', 'tools')


def main(top):
    top = pathlib.Path(top)
    tool = shutil.which('clang-format')
    if not tool:
        print('check_format: clang-format is not installed (Debian: clang-format)')
        return 1
    files = sorted(p for folder in FOLDERS for p in (top / folder).rglob('*') if p.suffix in ('.cpp', '.h'))

    def unformatted(path):
        """The first lines clang-format would change in the file, or None."""
        text = path.read_text(encoding='utf-8')
        made = subprocess.run([tool, '--style=file', '--assume-filename=' + str(path)], input=text,
                              capture_output=True, text=True, check=True).stdout
        if made == text:
            return None
        diff = list(difflib.unified_diff(text.splitlines(), made.splitlines(), str(path.relative_to(top)),
                                         'as clang-format makes it', n=0, lineterm=''))
        return '\n'.join(diff[:12] + (['...'] if len(diff) > 12 else []))

    with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
        diffs = [d for d in pool.map(unformatted, files) if d]
    for d in diffs:
        print(d)
    bad = len(diffs)
    # Another release of clang-format may lay out the same code otherwise:
    # the house style is Debian 12's, which the set-up installs.
    version = subprocess.run([tool, '--version'], capture_output=True, text=True).stdout.strip()
    print('%d C++ files, %d not formatted (%s)' % (len(files), bad, version))
    return 1 if bad or not files else 0


if __name__ == '__main__':
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    sys.exit(main(sys.argv[1]))
