#!/usr/bin/env python3
"""Reads the traces strace -ff -y left of one run of the program and fails
on anything that started a program or made or wrote a file.

    check_trace.py TRACE-PREFIX

Fails on: any exec after the program's own; any new process (fork, vfork,
clone without CLONE_THREAD); an open that may create or write (O_CREAT,
O_WRONLY, O_RDWR, O_TRUNC, O_APPEND) or creat; a made folder (mkdir that
does not find one there already); renaming, removing, linking, truncating
or changing a file's owner, mode or times; a write to anything but a pipe,
a socket, an anonymous file or the terminal.
"""
import glob
import re
import sys

LINE = re.compile(r'^(?P<call>\w+)\((?P<args>.*)\)\s+=\s+(?P<result>.*)$')
WRITE_FLAGS = re.compile(r'\bO_(CREAT|WRONLY|RDWR|TRUNC|APPEND|TMPFILE)\b')
CHANGES = {
    'creat', 'rename', 'renameat', 'renameat2', 'unlink', 'unlinkat', 'rmdir', 'link', 'linkat', 'symlink',
    'symlinkat', 'truncate', 'chmod', 'fchmod', 'fchmodat', 'chown', 'fchown', 'fchownat', 'lchown', 'mknod',
    'mknodat', 'utime', 'utimes', 'utimensat', 'futimesat',
}
WRITES = {'write', 'pwrite64', 'writev', 'pwritev', 'pwritev2', 'ftruncate', 'fallocate', 'sendfile', 'copy_file_range'}
HARMLESS_FD = re.compile(r'^\d+<(pipe:|socket:|anon_inode:|/memfd:|/dev/null>|/dev/pts/|/dev/tty)')


def problems(path, first):
    found = []
    pending = {}
    for raw in open(path, encoding='utf-8', errors='replace'):
        raw = raw.rstrip('\n')
        if raw.startswith('---') or raw.startswith('+++'):
            continue
        # A call interrupted by another thread's is written in two halves.
        m = re.match(r'^(\w+)\((.*) <unfinished \.\.\.>$', raw)
        if m:
            pending[m.group(1)] = m.group(1) + '(' + m.group(2)
            continue
        m = re.match(r'^<\.\.\. (\w+) resumed>(.*)$', raw)
        if m and m.group(1) in pending:
            raw = pending.pop(m.group(1)) + m.group(2)
        m = LINE.match(raw)
        if not m:
            continue
        call, args, result = m.group('call'), m.group('args'), m.group('result')
        if call in ('execve', 'execveat'):
            if first[0]:
                first[0] = False
            else:
                found.append('started a program: ' + raw)
        elif call in ('fork', 'vfork') or (call in ('clone', 'clone3') and 'CLONE_THREAD' not in args):
            found.append('started a process: ' + raw)
        elif call in ('open', 'openat', 'openat2') and WRITE_FLAGS.search(args):
            found.append('opened for writing: ' + raw)
        elif call in ('mkdir', 'mkdirat') and not result.startswith('-1 EEXIST'):
            found.append('made a folder: ' + raw)
        elif call in CHANGES:
            found.append('changed a file: ' + raw)
        elif call in WRITES and not HARMLESS_FD.match(args):
            found.append('wrote to a file: ' + raw)
    return found


def main():
    prefix = sys.argv[1]
    traces = sorted((p for p in glob.glob(prefix + '.*') if p.rsplit('.', 1)[1].isdigit()),
                    key=lambda p: int(p.rsplit('.', 1)[1]))
    if not traces:
        print('check_trace: no trace under ' + prefix)
        return 2
    first = [True]
    found = []
    calls = 0
    for t in traces:
        found += problems(t, first)
        calls += sum(1 for _ in open(t, encoding='utf-8', errors='replace'))
    print('check_trace: %d traced calls in %d threads' % (calls, len(traces)))
    for f in found:
        print('  ' + f)
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main())
