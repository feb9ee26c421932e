// The page in one engine on one device, with what the tests ask of it:
// where a design puts a control on the screen, a press there by the
// device's own means (the mouse, or a finger), how long the page stays
// frozen, and what each window is like.
//   VORNAK_PAGE=Vornak1.html VORNAK_DESIGNS=<design_positions output, in files
//   PREFIX-96, PREFIX-120 and PREFIX-144 for the three resolutions>
//   VORNAK_TABS=<design_positions --tab-order output>
//   VORNAK_ENGINE=chromium|firefox|webkit VORNAK_DEVICE=desktop|phone-390x844|...
import { appendFileSync, existsSync, mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { createRequire } from 'node:module';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { after } from 'node:test';
import { launch } from '../../tools/browsers.mjs';

export const engine = process.env.VORNAK_ENGINE || 'chromium';
export const deviceName = process.env.VORNAK_DEVICE || 'desktop';
export const pageUrl = pathToFileURL(process.env.VORNAK_PAGE || 'build/web/Vornak1.html').href;
export const shotDir = process.env.VORNAK_SHOTS || '';

// WINDOW CONTROL LEFT TOP WIDTH HEIGHT, read from the designs laid out at
// each resolution a window may be drawn at; designs, those at 96 dpi.
export const designsAt = {};
for (const dpi of [96, 120, 144]) {
    designsAt[dpi] = new Map();
    for (const line of readFileSync(`${process.env.VORNAK_DESIGNS}-${dpi}`, 'utf8').trim().split('\n')) {
        const [window, control, ...box] = line.split(' ');
        if (!designsAt[dpi].has(window))
            designsAt[dpi].set(window, new Map());
        designsAt[dpi].get(window).set(control, box.map(Number));
    }
}
export const designs = designsAt[96];

// WINDOW LABEL LINES: the lines each label's caption wraps into.
export const designedLines = new Map(readFileSync(process.env.VORNAK_LINES, 'utf8').trim().split('\n')
    .map((line) => line.split(' ')).map(([window, label, lines]) => [`${window}.${label}`, Number(lines)]));

// WINDOW NAME NAME ...: where Tab stops in each window, in order.
export const tabOrders = new Map(readFileSync(process.env.VORNAK_TABS, 'utf8').trim().split('\n')
    .map((line) => line.split(' ')).map(([window, ...names]) => [window, names]));

export const captions = {
    frmMAIN: 'Brelvox', frmSETUP: 'Configuration', frmNO: 'Error', frmNO1: 'Error',
    frmRUN: 'Error: Driver Negotitiation (0E003F)', frmHARD: 'Hardware Detection', frmABOUT: 'About',
    frmFINAL: 'Hombre Carente de Pelo',
};

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

export function sleep(ms) {
    return new Promise((done) => setTimeout(done, ms));
}

// Waits until fn(arg), run in the page, gives something true; returns it.
export async function until(page, fn, arg, what = 'the page to be ready', timeout = 10000) {
    const end = Date.now() + timeout;
    for (;;) {
        const got = await page.eval(fn, arg);
        if (got)
            return got;
        if (Date.now() > end)
            throw new Error(`gave up waiting for ${what}`);
        await sleep(50);
    }
}

// The page with its main window up, as a new visitor's, closed when the
// test ends; one browser for all the tests of a run, or one of the test's
// own set up as a visitor's may be (setUp: launch's options).
// held: the page as a visitor sees it before the program has started,
// the program kept from starting until releaseProgram() is called in it.
// before: markup the page reads before its own scripts (a condition of a
// visitor's browser played); the page is then returned as soon as it is
// loaded, whatever it shows. device: another of tools/browsers.mjs's;
// scale: another device-pixel ratio for it.
let browser = null;
after(() => browser && browser.then((b) => b.close()));
export async function open(t, { held = false, before = '', setUp = null, device = deviceName, scale } = {}) {
    let own = null;
    if (setUp) {
        own = launch(engine, setUp);
        t.after(() => own.then((b) => b.close()));
    } else if (!browser) {
        browser = launch(engine);
        // What the run is on, for the table at the end of "make test".
        if (process.env.VORNAK_RESULTS)
            appendFileSync(`${process.env.VORNAK_RESULTS}/road`,
                           `${(await browser).version}${deviceName === 'desktop' ? '' : ' by touch'}\n`);
    }
    const page = await (await (own || browser)).newPage(device, scale);
    t.after(() => page.close());
    page.touch = !!page.device.touch;
    if (held) {
        await page.goto(pageWith(holdProgram));
        await until(page, () => !!document.querySelector('[role=dialog][aria-label=Brelvox]'), null, 'the first window');
        return page;
    }
    if (before) {
        await page.goto(pageWith(before));
        return page;
    }
    await page.goto(pageUrl);
    if (setUp && setUp.scripts === false)
        return page;
    await until(page, () => !document.body.classList.contains('starting')
                && !!document.querySelector('[role=dialog][aria-label=Brelvox]'), null, 'the program to start');
    return page;
}

// Keeps the program, compiled, waiting for releaseProgram().
const holdProgram = '<script>{ const instantiate = WebAssembly.instantiate; WebAssembly.instantiate = (...a) => '
    + 'new Promise((go) => { window.releaseProgram = () => go(instantiate.apply(WebAssembly, a)); }); }</script>';

// A copy of the page that reads some markup of its own first.
let copies = null;
function pageWith(markup) {
    // (made anew where the test that made it has ended, and removed it)
    if (!copies || !existsSync(copies)) {
        copies = mkdtempSync(join(tmpdir(), 'vornak-page-'));
        after(() => rmSync(copies, { recursive: true, force: true }));
    }
    const html = readFileSync(fileURLToPath(pageUrl), 'utf8').replace('</title>', () => '</title>' + markup);
    const copy = join(copies, `page${readdirSync(copies).length}.html`);
    writeFileSync(copy, html);
    return pathToFileURL(copy).href;
}

// Everything about the topmost visible window of a caption that the tests
// read: its frame and client area on the screen, whether it is the active
// one, the resolution it is drawn at and the CSS pixels a pixel of its
// design takes. Null when there is none.
export function windowOf(page, window) {
    return page.eval((caption) => {
        const all = Array.from(document.querySelectorAll(`[role=dialog][aria-label="${caption}"]`))
            .filter((w) => w.style.display !== 'none' && w.style.visibility !== 'hidden');
        const w = all[all.length - 1];
        if (!w)
            return null;
        const box = (el) => { const r = el.getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; };
        return { frame: box(w), client: box(w.querySelector('.client')), z: Number(w.style.zIndex),
                 active: !w.querySelector('.title-bar').classList.contains('inactive'),
                 close: box(w.querySelector('.title-bar-controls button')),
                 bar: box(w.querySelector('.title-bar')),
                 dpi: Number(/\bdpi(\d+)/.exec(w.className)[1]),
                 scale: parseFloat(getComputedStyle(w).getPropertyValue('--s')) };
    }, captions[window]);
}

// A window shown and drawn: the page places some things in the frame after
// a window shows (the controls in a frame, centred lines), once its faces
// are loaded, so that the window is first drawn complete.
export async function waitWindow(page, window, timeout = 10000) {
    await until(page, (caption) => {
        const w = Array.from(document.querySelectorAll(`[role=dialog][aria-label="${caption}"]`))
            .find((e) => e.style.display !== 'none' && e.style.visibility !== 'hidden');
        return !!w;
    }, captions[window], `${window} to show`, timeout);
    await page.eval(() => document.fonts.ready.then(() => new Promise((drawn) => requestAnimationFrame(
        () => requestAnimationFrame(() => drawn(true))))));
}

export async function waitGone(page, window, timeout = 10000) {
    return until(page, (caption) => !Array.from(document.querySelectorAll(`[role=dialog][aria-label="${caption}"]`))
        .some((e) => e.style.display !== 'none'), captions[window], `${window} to go`, timeout);
}

// Where a window's design puts a control, on the screen: [x, y, width,
// height] in CSS pixels.
export function placeOf(w, window, control) {
    const [x, y, width, height] = designsAt[w.dpi].get(window).get(control);
    return [w.client[0] + x * w.scale, w.client[1] + y * w.scale, width * w.scale, height * w.scale];
}

// The middle of a control of a window, on the screen.
export async function spot(page, window, control) {
    const w = await windowOf(page, window);
    if (!w)
        throw new Error(`${window} is not showing`);
    const [x, y, width, height] = placeOf(w, window, control);
    return [x + width / 2, y + height / 2];
}

// A press on a point, by the device's own means.
export function press(page, x, y) {
    return page.touch ? page.tap(x, y) : page.click(x, y);
}

export async function pressOn(page, window, control) {
    const [x, y] = await spot(page, window, control);
    await press(page, x, y);
}

export async function closeBox(page, window) {
    const w = await windowOf(page, window);
    await press(page, w.close[0] + w.close[2] / 2, w.close[1] + w.close[3] / 2);
}

// How long the page stays frozen by the act that starts a pause: the
// longest call of the program's that it makes, from its start to its end.
export async function frozenFor(page, act) {
    await page.eval(() => {
        window.longestCall = null;
        if (window.timedCalls)
            return;
        window.timedCalls = true;
        const ccall = Vornak.program.ccall;
        Vornak.program.ccall = function (...args) {
            const started = performance.now();
            return Promise.resolve(ccall.apply(this, args)).then((v) => {
                window.longestCall = Math.max(window.longestCall || 0, performance.now() - started);
                return v;
            });
        };
    });
    await act();
    await until(page, () => window.longestCall !== null && getComputedStyle(document.getElementById('frozen')).display === 'none',
                null, 'the pause to end');
    return (await page.eval(() => window.longestCall)) / 1000;
}

// A control's value: checked for an option or check box, the text of a
// text box.
export function value(page, window, control) {
    return page.eval(([caption, name]) => {
        const all = document.querySelectorAll(`[role=dialog][aria-label="${caption}"] [data-name=${name}]`);
        const el = all[all.length - 1];
        const input = el.input || el;
        return input.type === 'radio' || input.type === 'checkbox' ? input.checked : input.value;
    }, [captions[window], control]);
}

// The name of the control holding the focus, or null.
export function focused(page) {
    return page.eval(() => {
        const c = document.activeElement && document.activeElement.closest('[data-name]');
        return c ? c.dataset.name : null;
    });
}

// What axe-core finds wrong in a window, for a screen reader and the eye.
export async function accessibility(page, window) {
    await page.eval((source) => {
        if (!window.axe)
            document.head.appendChild(Object.assign(document.createElement('script'), { textContent: source }));
    }, axeSource);
    return page.eval(async (caption) => {
        const context = Array.from(document.querySelectorAll(`[role=dialog][aria-label="${caption}"]`)).pop();
        const result = await window.axe.run(context, { resultTypes: ['violations'] });
        // A control whose colours the design gives (the About dialog's red
        // line on the system's border grey) keeps them, contrast or not.
        const own = (n) => !!document.querySelector(n.target[0]).closest('[data-design-colours]');
        return result.violations
            .map((v) => [v.id, v.nodes.filter((n) => v.id !== 'color-contrast' || !own(n))])
            .filter(([, nodes]) => nodes.length)
            .map(([id, nodes]) => `${id}: ${nodes.map((n) => n.target.join(' ')).join(', ')}`);
    }, captions[window]);
}

// A screenshot of the screen, for a person to look at, under VORNAK_SHOTS.
let shots = 0;
export async function shot(page, name) {
    if (!shotDir)
        return;
    const dir = `${shotDir}/${engine}-${deviceName}`;
    mkdirSync(dir, { recursive: true });
    await sleep(150);
    await page.screenshot(`${dir}/${String(++shots).padStart(2, '0')}-${name}.png`);
}
