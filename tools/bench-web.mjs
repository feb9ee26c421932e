// The web build's start: the time from navigation to the main window drawn,
// measured in the page, against a minimal page of the same size that holds
// one window in its markup; medians of runs alternating between the two.
// Prints one line of JSON.
//   node tools/bench-web.mjs Vornak1.html RUNS
import { chromium } from 'playwright-core';
import { mkdtempSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import { randomBytes } from 'node:crypto';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [page, runsArg] = process.argv.slice(2);
const runs = Number(runsArg || 7);
const size = statSync(page).size;

// The yardstick: a window in the markup, and as many bytes again in a
// script's string, which the browser must read but need not run.
const head = '<!DOCTYPE html><html><head><meta charset="utf-8"><title>Minimal</title></head><body>'
    + '<div role="dialog" aria-label="Minimal" style="width:338px;height:361px;background:silver">Minimal</div><script>var filler="';
const tail = '";</script></body></html>';
const filler = randomBytes(size).toString('base64').slice(0, size - head.length - tail.length);
const minimal = join(mkdtempSync(join(tmpdir(), 'vornak-bench-')), 'minimal.html');
writeFileSync(minimal, head + filler + tail);

// Records, in the page, when the first window has been drawn: the frame
// after it appears.
const watch = () => {
    new MutationObserver((changes, observer) => {
        if (document.querySelector('[role=dialog]')) {
            observer.disconnect();
            requestAnimationFrame(() => { window.drawnAt = performance.now(); });
        }
    }).observe(document, { childList: true, subtree: true });
};

const browser = await chromium.launch({
    executablePath: process.env.VORNAK_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run'],
});
async function load(file) {
    const context = await browser.newContext({ viewport: { width: 1024, height: 768 } });
    const p = await context.newPage();
    await p.addInitScript(watch);
    await p.goto(pathToFileURL(file).href);
    await p.waitForFunction(() => window.drawnAt !== undefined);
    const ms = await p.evaluate(() => window.drawnAt);
    await context.close();
    return ms;
}
const times = { page: [], minimal: [] };
await load(page);  // the browser warm before anything is timed
for (let i = 0; i < runs; ++i) {
    times.page.push(await load(page));
    times.minimal.push(await load(minimal));
}
await browser.close();
const median = (v) => v.slice().sort((a, b) => a - b)[Math.floor(v.length / 2)];
const result = { web_load_ms: median(times.page), web_load_minimal_ms: median(times.minimal), web_bytes: size,
                 web_bytes_minimal: readFileSync(minimal).length, web_runs: runs };
result.web_load_ratio = Math.round(1000 * result.web_load_ms / result.web_load_minimal_ms) / 1000;
console.log(JSON.stringify(result));
