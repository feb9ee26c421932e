#!/usr/bin/env python3
"""The table at the end of "make test": one row a suite, with what it ran
on, how many tests it ran, passed, failed and skipped, and its time; and a
check of each suite against the floors, the fewest tests it must run.

    test-table.py RESULTS FLOORS SUITE...

RESULTS holds a folder a suite (tools/make-test.sh): "road" (what it ran
on), its JUnit files, "status" and "seconds".

FLOORS, one line a rule ("#" starts a comment):
    SUITE  REGEX  N           at least N tests whose names match REGEX ran
    SUITE  may-skip  REGEX    a skipped test whose name matches and whose
                              output says why ("SKIP: ...") counts as run
A skipped test otherwise counts as not run.

Exits 1 when a suite failed or ran fewer tests than a floor asks.
Standard library only.
"""
import glob
import os
import re
import sys
import xml.etree.ElementTree as ET


def read(path, default=''):
    try:
        with open(path, encoding='utf-8') as f:
            return f.read().strip()
    except OSError:
        return default


def cases(folder, suite):
    """(name, outcome, why) for every test the suite's ctest runs reported."""
    found = []
    files = sorted(glob.glob(os.path.join(folder, '*.xml')))
    for path in files:
        for case in ET.parse(path).getroot().iter('testcase'):
            status = case.get('status')
            outcome = {'run': 'passed', 'fail': 'failed'}.get(status, 'skipped')
            out = case.findtext('system-out') or ''
            why = next((line[5:].strip() for line in out.splitlines() if line.startswith('SKIP:')), '')
            found.append((case.get('name'), outcome, why))
    return found


def floors(path):
    rules = []
    for line in read(path).splitlines():
        line = line.split('#', 1)[0].split()
        if line:
            rules.append(line)
    return rules


def check(suite, found, rules):
    """The tests that count as run, and what went wrong or was skipped."""
    skippable = [re.compile(r[2]) for r in rules if r[0] == suite and r[1] == 'may-skip']
    ran = [n for n, o, why in found
           if o != 'skipped' or (why and any(p.search(n) for p in skippable))]
    problems, notes = [], []
    for n, o, why in found:
        if o == 'failed':
            problems.append('%s: %s failed' % (suite, n))
        elif o == 'skipped':
            notes.append('%s: %s skipped%s' % (suite, n, ' (%s)' % why if why else ', saying not why'))
    for rule in rules:
        if rule[0] != suite or rule[1] == 'may-skip':
            continue
        pattern, least = re.compile(rule[1]), int(rule[2])
        got = sum(1 for n in ran if pattern.search(n))
        if got < least:
            problems.append('%s: ran %d tests matching %s, fewer than its floor of %d' % (suite, got, rule[1], least))
    return ran, problems, notes


def suite_row(results, rules, suite):
    folder = os.path.join(results, suite)
    found = cases(folder, suite)
    ran, problems, notes = check(suite, found, rules)
    status = read(os.path.join(folder, 'status'), 'not run')
    if status != '0':
        problems.insert(0, '%s: exited with status %s' % (suite, status))
    count = {o: sum(1 for _, x, _ in found if x == o) for o in ('passed', 'failed', 'skipped')}
    seconds = int(read(os.path.join(folder, 'seconds'), '0') or 0)
    road = '; '.join(dict.fromkeys(read(os.path.join(folder, 'road')).splitlines())) or '-'
    row = (suite, road, str(len(ran)), str(count['passed']), str(count['failed']), str(count['skipped']),
           '%d:%02d' % divmod(seconds, 60))
    return row, problems, notes


def print_table(rows):
    head = ('suite', 'ran on', 'run', 'passed', 'failed', 'skipped', 'time')
    widths = [max(len(r[i]) for r in rows + [head]) for i in range(len(head))]
    print()
    for r in [head] + rows:
        print('  '.join(c.ljust(w) if i < 2 else c.rjust(w) for i, (c, w) in enumerate(zip(r, widths))).rstrip())
    print()


def main(argv):
    if len(argv) < 4:
        raise SystemExit(__doc__)
    results, rules, suites = argv[1], floors(argv[2]), argv[3:]
    rows, problems, notes = [], [], []
    for suite in suites:
        row, suite_problems, suite_notes = suite_row(results, rules, suite)
        rows.append(row)
        problems += suite_problems
        notes += suite_notes
    print_table(rows)
    for p in notes + problems:
        print('make test: ' + p)
    bad = list(dict.fromkeys(p.split(':', 1)[0] for p in problems))
    if bad:
        print('make test: failed: ' + ' '.join(bad))
        return 1
    print('make test: passed: ' + ' '.join(suites))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
