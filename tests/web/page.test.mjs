// The page as a file: small enough to travel, one document that asks for
// nothing outside it, and markup the Nu HTML checker (vnu-jar, run on the
// machine's Java) finds no error in outside 98.css's own rules for one
// engine or another.
//   VORNAK_PAGE=build/web/Vornak1.html node --test tests/web/page.test.mjs
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readFileSync, statSync } from 'node:fs';
import { createRequire } from 'node:module';

const pagePath = process.env.VORNAK_PAGE || 'build/web/Vornak1.html';
const html = readFileSync(pagePath, 'utf8');

test('the page is under 400,000 bytes and names its encoding where a browser looks for it', () => {
    const size = statSync(pagePath).size;
    assert.ok(size < 400000, `the page is ${size} bytes`);
    assert.ok(Buffer.from(html).subarray(0, 1024).toString('latin1').includes('<meta charset="utf-8">'));
});

test('the page asks for nothing outside it: a policy that forbids every connection, its icon inside it', () => {
    const csp = /<meta http-equiv="Content-Security-Policy" content="([^"]*)">/.exec(html)[1];
    assert.match(csp, /default-src 'none'/);
    assert.match(csp, /connect-src 'none'/);
    const icons = Array.from(html.matchAll(/<link rel="icon"[^>]*href="([^"]{0,30})/g), (m) => m[1]);
    assert.deepEqual(icons, ['data:image/png;base64,iVBORw0K', 'data:image/png;base64,iVBORw0K']);
    assert.doesNotMatch(html, /\b(src|href)="(?!data:)/);
});

test('the Nu HTML checker finds no error outside the engine-specific rules of 98.css', () => {
    const jar = createRequire(import.meta.url).resolve('vnu-jar/build/dist/vnu.jar');
    // The checker says what it found on standard error.
    const run = spawnSync('java', ['-jar', jar, '--errors-only', '--format', 'json', pagePath], { encoding: 'utf8' });
    assert.ok(run.status === 0 || run.status === 1, `the checker failed: ${run.error || run.stderr}`);
    const out = run.stderr.trim() || run.stdout;
    const lines = html.split('\n');
    const css98 = lines.findIndex((l) => l.startsWith('<style>/*! 98.css')) + 1;
    // 98.css styles the scroll bars of one engine (::-webkit-scrollbar-button
    // and its :vertical, :start, ... states) and has a media query for
    // screens without hover that the checker cannot read.
    const engineRule = (m) => {
        const line = lines[(m.lastLine || m.firstLine) - 1];
        const before = line.slice(Math.max(0, m.lastColumn - 60), m.lastColumn);
        return (m.lastLine || m.firstLine) === css98
            && (/::-webkit-scrollbar[-a-z]*(:[a-z]+)*$/.test(before) || /@media ?\(?not\(hover\)\)?\{/.test(line)
                && m.message === 'CSS: Parse Error.');
    };
    const errors = JSON.parse(out).messages.filter((m) => m.type === 'error' && !engineRule(m));
    assert.deepEqual(errors.map((m) => `${m.lastLine}:${m.lastColumn} ${m.message}`), []);
});
