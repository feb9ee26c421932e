// The web build's start: the time from navigation to the main window drawn,
// measured in the page, against a minimal page of the same size that holds
// one window in its markup; medians of runs alternating between the two, on
// a desktop and on a phone-class processor (a phone's screen, Chromium's
// processor four times slower). Prints one line of JSON.
//   node tools/bench-web.mjs Vornak1.html RUNS
import { mkdtempSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import { randomBytes } from 'node:crypto';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch } from './browsers.mjs';

const [page, runsArg] = process.argv.slice(2);
const runs = Number(runsArg || 5);
const size = statSync(page).size;

// The yardstick: a window in the markup, and as many bytes again in a
// script's string, which the browser must read but need not run.
const head = '<!DOCTYPE html><html><head><meta charset="utf-8"><title>Minimal</title>'
    + '<meta name="viewport" content="width=device-width, initial-scale=1"></head><body>'
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

async function load(browser, device, file, slowdown) {
    const p = await browser.newPage(device);
    if (slowdown > 1)
        await p.cdp.send('Emulation.setCPUThrottlingRate', { rate: slowdown });
    await p.page.addInitScript(watch);
    await p.goto(pathToFileURL(file).href);
    await p.page.waitForFunction(() => window.drawnAt !== undefined);
    const ms = await p.eval(() => window.drawnAt);
    await p.close();
    return ms;
}

const median = (v) => v.slice().sort((a, b) => a - b)[Math.floor(v.length / 2)];

async function measure(device, slowdown) {
    const browser = await launch('chromium');
    const times = { page: [], minimal: [] };
    await load(browser, device, page, slowdown);  // the browser warm before anything is timed
    for (let i = 0; i < runs; ++i) {
        times.page.push(await load(browser, device, page, slowdown));
        times.minimal.push(await load(browser, device, minimal, slowdown));
    }
    await browser.close();
    return [median(times.page), median(times.minimal)];
}

const [desktop, desktopMinimal] = await measure('desktop', 1);
const [phone, phoneMinimal] = await measure('phone-390x844', 4);
const ratio = (a, b) => Math.round(1000 * a / b) / 1000;
console.log(JSON.stringify({
    web_load_ms: desktop, web_load_minimal_ms: desktopMinimal, web_load_ratio: ratio(desktop, desktopMinimal),
    web_phone_load_ms: phone, web_phone_load_minimal_ms: phoneMinimal, web_phone_load_ratio: ratio(phone, phoneMinimal),
    web_bytes: size, web_bytes_minimal: readFileSync(minimal).length, web_runs: runs,
}));
