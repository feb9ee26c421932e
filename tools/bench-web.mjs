// The web build's start: the time from navigation to the main window drawn
// (and to the program started, taking what the user does),
// measured in the page, against a minimal page of the same size that holds
// one window in its markup; medians of runs alternating between the two, on
// a desktop and on a phone-class processor (a phone's screen, Chromium's
// processor four times slower). Prints one line of JSON.
//   node tools/bench-web.mjs Vornak1.html RUNS [OTHER.html]
// OTHER: another build of the page (an earlier commit's, say), loaded in
// turn with this one, so that both meet the same moments of a busy machine:
// its medians come beside this one's (other_...), with this one's times as
// a share of its own (..._vs_other).
import { mkdtempSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import { randomBytes } from 'node:crypto';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch } from './browsers.mjs';

const [page, runsArg, other] = process.argv.slice(2);
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
// after one shows has been rendered, with the text in the page's own faces
// once they have loaded (a task after that frame's animation callbacks);
// and when the program has started and takes input.
const watch = () => {
    const afterFrame = () => new Promise((done) => requestAnimationFrame(() => {
        const channel = new MessageChannel();
        channel.port1.onmessage = () => done(document.fonts.status === 'loaded');
        channel.port2.postMessage(null);
    }));
    const drawn = async () => {
        while (!await afterFrame())
            await document.fonts.ready;
        window.drawnAt = performance.now();
    };
    new MutationObserver(() => {
        const shown = !window.drawing && Array.from(document.querySelectorAll('[role=dialog]'))
            .some((w) => w.style.visibility !== 'hidden' && w.style.display !== 'none');
        if (shown) {
            window.drawing = true;
            drawn();
        }
        const starting = !!document.body && document.body.classList.contains('starting');
        window.sawStarting = window.sawStarting || starting;
        if (window.sawStarting && !starting && window.startedAt === undefined)
            window.startedAt = performance.now();
    }).observe(document, { childList: true, subtree: true, attributes: true, attributeFilter: ['class'] });
};

// [drawn, started] in ms from navigation (started: the drawn time for a
// page with no program).
async function load(browser, device, file, slowdown) {
    const p = await browser.newPage(device);
    if (slowdown > 1)
        await p.cdp.send('Emulation.setCPUThrottlingRate', { rate: slowdown });
    await p.page.addInitScript(watch);
    await p.goto(pathToFileURL(file).href);
    await p.page.waitForFunction(() => window.drawnAt !== undefined && (!window.sawStarting || window.startedAt !== undefined));
    const ms = await p.eval(() => [window.drawnAt, window.startedAt || window.drawnAt]);
    await p.close();
    return ms;
}

const median = (v) => v.slice().sort((a, b) => a - b)[Math.floor(v.length / 2)];

async function measure(device, slowdown) {
    const browser = await launch('chromium');
    const times = { drawn: [], started: [], minimal: [], otherDrawn: [], otherStarted: [] };
    await load(browser, device, page, slowdown);  // the browser warm before anything is timed
    for (let i = 0; i < runs; ++i) {
        const [drawn, started] = await load(browser, device, page, slowdown);
        times.drawn.push(drawn);
        times.started.push(started);
        times.minimal.push((await load(browser, device, minimal, slowdown))[0]);
        if (other) {
            const [otherDrawn, otherStarted] = await load(browser, device, other, slowdown);
            times.otherDrawn.push(otherDrawn);
            times.otherStarted.push(otherStarted);
        }
    }
    await browser.close();
    return Object.fromEntries(Object.entries(times).map(([k, v]) => [k, v.length ? median(v) : undefined]));
}

const desktop = await measure('desktop', 1);
const phone = await measure('phone-390x844', 4);
const ratio = (a, b) => Math.round(1000 * a / b) / 1000;
console.log(JSON.stringify({
    web_load_ms: desktop.drawn, web_load_minimal_ms: desktop.minimal, web_load_ratio: ratio(desktop.drawn, desktop.minimal),
    web_phone_load_ms: phone.drawn, web_phone_load_minimal_ms: phone.minimal, web_phone_load_ratio: ratio(phone.drawn, phone.minimal),
    web_started_ms: desktop.started, web_phone_started_ms: phone.started,
    web_bytes: size, web_bytes_minimal: readFileSync(minimal).length, web_runs: runs,
    ...(other ? {
        other_load_ms: desktop.otherDrawn, other_phone_load_ms: phone.otherDrawn,
        other_started_ms: desktop.otherStarted, other_phone_started_ms: phone.otherStarted, other_bytes: statSync(other).size,
        web_load_vs_other: ratio(desktop.drawn, desktop.otherDrawn), web_phone_load_vs_other: ratio(phone.drawn, phone.otherDrawn),
        web_started_vs_other: ratio(desktop.started, desktop.otherStarted),
        web_phone_started_vs_other: ratio(phone.started, phone.otherStarted),
    } : {}),
}));
