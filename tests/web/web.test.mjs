// The web build in headless Chromium (Debian's), driven by real mouse and
// keyboard input through playwright-core: every road of the program, the
// windows at their design sizes with every text inside its box, the
// hourglass and the input held during each pause, the drives, and a page
// that asks nothing of the network and stores nothing.
//
//   VORNAK_PAGE=build/web/Vornak1.html VORNAK_DESIGNS=<design_positions output> node --test tests/web/
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const pageUrl = pathToFileURL(process.env.VORNAK_PAGE || 'build/web/Vornak1.html').href;

// WINDOW CONTROL LEFT TOP WIDTH HEIGHT, read from the designs.
const designs = new Map();
for (const line of readFileSync(process.env.VORNAK_DESIGNS, 'utf8').trim().split('\n')) {
    const [window, control, ...box] = line.split(' ');
    if (!designs.has(window))
        designs.set(window, new Map());
    designs.get(window).set(control, box.map(Number));
}
const captions = {
    frmMAIN: 'Brelvox', frmSETUP: 'Configuration', frmNO: 'Error', frmNO1: 'Error',
    frmRUN: 'Error: Driver Negotitiation (0E003F)', frmHARD: 'Hardware Detection', frmABOUT: 'About',
    frmFINAL: 'Hombre Carente de Pelo',
};

let browser;
before(async () => {
    browser = await chromium.launch({
        executablePath: process.env.VORNAK_CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
               '--disable-sync', '--no-first-run', '--disable-quic'],
    });
});
after(async () => browser && browser.close());

// The page, loaded, with its main window up; what it asked of the network
// after loading is in requests.
async function open() {
    const context = await browser.newContext({ viewport: { width: 1024, height: 768 } });
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    await page.goto(pageUrl);
    await page.getByRole('dialog', { name: 'Brelvox' }).waitFor();
    const requests = [];
    page.on('request', (r) => requests.push(r.url()));
    return { page, context, errors, requests, main: page.getByRole('dialog', { name: 'Brelvox' }) };
}

function dialog(page, window) {
    return page.getByRole('dialog', { name: captions[window], exact: true });
}

// The middle of a control of a window, on the page.
async function spot(page, window, control) {
    const client = await page.locator(`[role=dialog][aria-label="${captions[window]}"] .client`).last().boundingBox();
    const [x, y, w, h] = designs.get(window).get(control);
    return [client.x + x + Math.floor(w / 2), client.y + y + Math.floor(h / 2)];
}

async function clickOn(page, window, control) {
    const [x, y] = await spot(page, window, control);
    await page.mouse.click(x, y);
}

// A pause, from the click or key that starts it to its end, measured in
// the page: how long the page stayed frozen.
async function frozenFor(page, act) {
    await page.evaluate(() => {
        window.frozenSince = null;
        window.frozenFor = null;
        const pane = document.getElementById('frozen');
        window.frozenWatch = new MutationObserver(() => {
            if (pane.style.display === 'block' && window.frozenSince === null)
                window.frozenSince = performance.now();
            if (pane.style.display === 'none' && window.frozenSince !== null && window.frozenFor === null)
                window.frozenFor = performance.now() - window.frozenSince;
        });
        window.frozenWatch.observe(pane, { attributes: true });
    });
    await act();
    await page.waitForFunction(() => window.frozenFor !== null, null, { timeout: 10000 });
    return page.evaluate(() => window.frozenFor / 1000);
}

async function value(page, window, control) {
    return page.locator(`[role=dialog][aria-label="${captions[window]}"] [data-name=${control}]`).last().evaluate((el) => {
        const input = el.input || el;
        return input.type === 'radio' || input.type === 'checkbox' ? input.checked : input.value;
    });
}

// A window's client area, every control in it where its design puts it,
// and every text inside its box.
async function checkDesign(page, window) {
    const controls = designs.get(window);
    const box = dialog(page, window).locator('.client').last();
    const client = await box.boundingBox();
    assert.deepEqual([client.width, client.height], controls.get('-').slice(2), `${window} client area`);
    for (const [control, design] of controls) {
        if (control === '-')
            continue;
        const el = dialog(page, window).locator(`[data-name=${control}]`).last();
        const at = await el.boundingBox();
        const got = [at.x - client.x, at.y - client.y, at.width, at.height].map(Math.round);
        if (control.startsWith('Line'))
            assert.deepEqual(got, [design[0], design[1], design[2] - design[0] + 1, 1], `${window}.${control}`);
        else
            assert.deepEqual(got, design, `${window}.${control}`);
        const fits = await el.evaluate((e) => e.scrollHeight <= e.clientHeight + 1 && e.scrollWidth <= e.clientWidth);
        assert.ok(fits, `${window}.${control}: its text overflows its box`);
    }
}

test('every window at its design size, every control where its design puts it, every text inside its box', async () => {
    const { page, context } = await open();
    const seen = [];
    const look = async (window) => {
        await dialog(page, window).waitFor({ timeout: 10000 });
        await checkDesign(page, window);
        seen.push(window);
    };
    await look('frmMAIN');
    await clickOn(page, 'frmMAIN', 'Command3');                 // Run EXE
    await look('frmRUN');
    await clickOn(page, 'frmRUN', 'Command1');
    await clickOn(page, 'frmMAIN', 'Command2');                 // About
    await look('frmABOUT');
    await page.keyboard.press('k');
    await look('frmFINAL');
    await dialog(page, 'frmFINAL').getByRole('button', { name: 'Close' }).click();
    await dialog(page, 'frmABOUT').getByRole('button', { name: 'Close' }).click();
    await clickOn(page, 'frmMAIN', 'Command1');                 // Setup
    await look('frmSETUP');
    await clickOn(page, 'frmSETUP', 'Option3');                 // 8192 k
    await look('frmNO');
    await clickOn(page, 'frmNO', 'Command1');
    await clickOn(page, 'frmSETUP', 'Option4');                 // 220 Mhz
    await look('frmNO1');
    await clickOn(page, 'frmNO1', 'Command1');
    await clickOn(page, 'frmSETUP', 'HARD_SETUP');
    await look('frmHARD');
    assert.deepEqual(seen.sort(), Array.from(designs.keys()).sort());
    // The disclaimer wraps into five lines of the era's face.
    const lines = await dialog(page, 'frmMAIN').locator('[data-name=Label2]').evaluate((e) => {
        const range = document.createRange();
        range.selectNodeContents(e);
        return new Set(Array.from(range.getClientRects(), (r) => Math.round(r.top))).size;
    });
    assert.equal(lines, 5);
    await context.close();
});

test('Setup refuses the larger memories and the faster RAMDAC, by mouse and by keyboard', async () => {
    const { page, context, errors } = await open();
    await clickOn(page, 'frmMAIN', 'Command1');
    await clickOn(page, 'frmSETUP', 'Option3');                 // 8192 k
    await dialog(page, 'frmNO').waitFor();
    await assert.doesNotReject(page.getByText('Error: Only 2048 kb of main video memory were found.').waitFor());
    assert.equal(await value(page, 'frmSETUP', 'Option1'), true);
    assert.equal(await value(page, 'frmSETUP', 'Option3'), false);
    await clickOn(page, 'frmNO', 'Command1');                   // OK hides it
    await dialog(page, 'frmNO').waitFor({ state: 'hidden' });
    // The arrows from "2048 k": down reaches "4096 k", refused; up wraps to "8192 k".
    await page.getByRole('radio', { name: '2048 k' }).focus();
    await page.keyboard.press('ArrowDown');
    await dialog(page, 'frmNO').waitFor();
    assert.equal(await value(page, 'frmSETUP', 'Option1'), true);
    await clickOn(page, 'frmNO', 'Command1');
    await page.getByRole('radio', { name: '2048 k' }).focus();
    await page.keyboard.press('ArrowUp');
    await dialog(page, 'frmNO').waitFor();
    await clickOn(page, 'frmNO', 'Command1');
    // 220 Mhz: "170 Mhz" is back and the RAMDAC error shows.
    await clickOn(page, 'frmSETUP', 'Option4');
    await dialog(page, 'frmNO1').waitFor();
    await page.getByText('Error: 170 Mhz RAMDAC Detected').waitFor();
    assert.equal(await value(page, 'frmSETUP', 'Option5'), true);
    // A check box keeps what it is given.
    await clickOn(page, 'frmNO1', 'Command1');
    await clickOn(page, 'frmSETUP', 'Check6');
    await page.waitForFunction(() => document.querySelector('[data-name=Check6] input').checked);
    assert.deepEqual(errors, []);
    await context.close();
});

test('Test System: the hourglass over the whole page for three seconds, input held and delivered in order', async (t) => {
    const { page, context, errors } = await open();
    await clickOn(page, 'frmMAIN', 'Command1');
    await clickOn(page, 'frmSETUP', 'HARD_SETUP');
    await dialog(page, 'frmHARD').waitFor();
    const [x, y] = await spot(page, 'frmHARD', 'TEST');
    const during = [];
    const pause = await frozenFor(page, async () => {
        await page.mouse.click(x, y);
        await page.waitForTimeout(500);
        during.push(await page.evaluate(() => ({
            hourglass: getComputedStyle(document.elementFromPoint(100, 100)).cursor,
            text1: document.querySelector('[data-name=Text1]').value,
        })));
        // Into "Memory" by the mouse, two letters, then "Cancel": all held.
        await clickOn(page, 'frmHARD', 'Text2');
        await page.keyboard.type('xy');
        await clickOn(page, 'frmHARD', 'Command2');
        during.push(await page.evaluate(() => document.querySelector('[data-name=Text2]').value));
    });
    t.diagnostic(`Test System: the page frozen for ${pause.toFixed(3)} s`);
    assert.ok(pause >= 3.0 && pause <= 3.05, `the pause lasted ${pause} s`);
    assert.match(during[0].hourglass, /^url\("data:image\/png;base64,/);
    assert.equal(during[0].text1, '');
    assert.equal(during[1], '');
    // After the pause: the canned results, then the letters, then Cancel.
    await dialog(page, 'frmHARD').waitFor({ state: 'hidden' });
    assert.equal(await value(page, 'frmHARD', 'Text1'), 'INTEL P55 MMX 200 Mhz, Stepping 3');
    assert.equal(await value(page, 'frmHARD', 'Text2'), '64 mb SDRAM, 10 nsxy');
    assert.equal(await value(page, 'frmHARD', 'Text6'), 'VX Chipset Compatible');
    assert.equal(await page.evaluate(() => document.body.classList.contains('hourglass')), false);
    assert.deepEqual(errors, []);
    await context.close();
});

test('Run EXE: three seconds under the hourglass, then the fatal driver error, every time', async (t) => {
    const { page, context } = await open();
    for (let run = 0; run < 2; ++run) {
        const pause = await frozenFor(page, () => clickOn(page, 'frmMAIN', 'Command3'));
        t.diagnostic(`Run EXE ${run + 1}: the page frozen for ${pause.toFixed(3)} s`);
        assert.ok(pause >= 3.0 && pause <= 3.05, `run ${run}: the pause lasted ${pause} s`);
        await dialog(page, 'frmRUN').waitFor();
        await page.getByText('Obsolete Display Driver Found!', { exact: false }).waitFor();
        await clickOn(page, 'frmRUN', 'Command1');
        await dialog(page, 'frmRUN').waitFor({ state: 'hidden' });
    }
    await context.close();
});

test('About: a key that produces a character gives the pause and the final picture; others nothing', async (t) => {
    const { page, context } = await open();
    await clickOn(page, 'frmMAIN', 'Command2');
    await dialog(page, 'frmABOUT').waitFor();
    for (const key of ['Shift', 'F1', 'ArrowLeft', 'Alt+a'])
        await page.keyboard.press(key);
    await page.waitForTimeout(300);
    assert.equal(await dialog(page, 'frmFINAL').count(), 0);
    const pause = await frozenFor(page, () => page.keyboard.press('Escape'));
    t.diagnostic(`a key in About: the page frozen for ${pause.toFixed(3)} s`);
    assert.ok(pause >= 3.0 && pause <= 3.05, `the pause lasted ${pause} s`);
    await dialog(page, 'frmFINAL').waitFor();
    // Closed with its close box, and a key brings it back, loaded afresh.
    await dialog(page, 'frmFINAL').getByRole('button', { name: 'Close' }).click();
    await dialog(page, 'frmFINAL').waitFor({ state: 'detached' });
    await dialog(page, 'frmABOUT').click({ position: { x: 150, y: 150 } });
    await page.keyboard.press('q');
    await dialog(page, 'frmFINAL').waitFor({ timeout: 10000 });
    await context.close();
});

test('the drives: a floppy and a CD with no disk, and a hard disk of invented folders', async () => {
    const { page, context } = await open();
    const drives = page.getByRole('combobox', { name: 'Drives' });
    assert.deepEqual(await drives.locator('option').allTextContents(), ['a:', 'c: [HARDDISK]', 'd:']);
    for (const drive of ['a:', 'd:']) {
        await drives.selectOption(drive);
        const box = page.getByRole('alertdialog', { name: 'Vornak1' });
        await box.waitFor();
        assert.equal(await box.locator('.text').textContent(), "Run-time error '71':\n\nDisk not ready");
        await box.getByRole('button', { name: 'OK' }).click();
        await box.waitFor({ state: 'detached' });
        assert.equal(await drives.inputValue(), 'c: [HARDDISK]');
    }
    const folders = page.getByRole('listbox', { name: 'Folders' });
    const files = page.getByRole('listbox', { name: 'Files' });
    await folders.getByRole('option', { name: 'C:\\' }).dblclick();
    await folders.getByRole('option', { name: 'GAMES', exact: true }).dblclick();
    await folders.getByRole('option', { name: 'KARTZONE' }).dblclick();
    assert.deepEqual(await files.getByRole('option').allTextContents(), ['INSTALL.EXE', 'KARTZONE.EXE']);
    await page.getByText('Path: C:\\GAMES\\KARTZONE').waitFor();
    await files.getByRole('option', { name: 'KARTZONE.EXE' }).click();
    assert.equal(await files.getByRole('option', { name: 'KARTZONE.EXE' }).getAttribute('aria-selected'), 'true');
    await context.close();
});

test('the keyboard: the tab order, Enter and Space on the focused button, Escape doing nothing', async () => {
    const { page, context } = await open();
    const focused = () => page.evaluate(() => {
        const c = document.activeElement.closest('[data-name]');
        return c ? c.dataset.name : null;
    });
    assert.equal(await focused(), 'Command1');
    const order = [];
    for (let i = 0; i < 6; ++i) {
        await page.keyboard.press('Tab');
        order.push(await focused());
    }
    assert.deepEqual(order, ['Command2', 'Command3', 'Dir1', 'Drive1', 'File1', 'Command1']);
    await page.keyboard.press('Escape');
    assert.equal(await dialog(page, 'frmSETUP').count(), 0);
    await page.keyboard.press('Tab');
    await page.keyboard.press('Enter');                         // About
    await dialog(page, 'frmABOUT').waitFor();
    await page.getByRole('dialog', { name: 'Brelvox' }).getByRole('button', { name: 'Setup' }).focus();
    await page.keyboard.press(' ');                             // Setup
    await dialog(page, 'frmSETUP').waitFor();
    assert.equal(await focused(), 'OK_SETUP');
    const setupOrder = [];
    for (let i = 0; i < 10; ++i) {
        await page.keyboard.press('Tab');
        setupOrder.push(await focused());
    }
    assert.deepEqual(setupOrder, ['HARD_SETUP', 'Check1', 'Check2', 'Check3', 'Check4', 'Check5', 'Check6', 'Option1',
                                  'Option5', 'OK_SETUP']);
    await context.close();
});

test('windows: placed on their owners, raised and moved by their title bars, closed by their close boxes', async () => {
    const { page, context, main } = await open();
    const centre = async (l) => {
        const b = await l.boundingBox();
        return [b.x + b.width / 2, b.y + b.height / 2];
    };
    const [mx, my] = await centre(main);
    assert.ok(Math.abs(mx - 512) <= 1 && Math.abs(my - 384) <= 1, 'the main window is centred on the page');
    await clickOn(page, 'frmMAIN', 'Command1');
    const setup = dialog(page, 'frmSETUP');
    const [sx, sy] = await centre(setup);
    assert.ok(Math.abs(sx - mx) <= 1 && Math.abs(sy - my) <= 1, 'Setup is centred on the main window');
    // Moved by its title bar.
    const before = await setup.boundingBox();
    const bar = await setup.locator('.title-bar').boundingBox();
    await page.mouse.move(bar.x + 60, bar.y + 8);
    await page.mouse.down();
    await page.mouse.move(bar.x + 10, bar.y + 58, { steps: 5 });
    await page.mouse.up();
    const moved = await setup.boundingBox();
    assert.deepEqual([moved.x - before.x, moved.y - before.y], [-50, 50]);
    // The main window, clicked, comes to the front and is the active one.
    await main.locator('.title-bar').click({ position: { x: 30, y: 8 } });
    assert.equal(await main.locator('.title-bar').getAttribute('class'), 'title-bar');
    assert.match(await setup.locator('.title-bar').getAttribute('class'), /inactive/);
    // Closing the main window ends the program: every window goes.
    await main.getByRole('button', { name: 'Close' }).click();
    await page.waitForFunction(() => document.querySelectorAll('[role=dialog]').length === 0);
    await context.close();
});

test('the page asks nothing of the network after loading and stores nothing', async () => {
    const { page, context, requests } = await open();
    await clickOn(page, 'frmMAIN', 'Command1');
    await clickOn(page, 'frmSETUP', 'HARD_SETUP');
    await frozenFor(page, () => clickOn(page, 'frmHARD', 'TEST'));
    await clickOn(page, 'frmMAIN', 'Command2');
    await page.keyboard.press('a');
    await dialog(page, 'frmFINAL').waitFor({ timeout: 10000 });
    assert.deepEqual(requests.filter((u) => !u.startsWith('blob:') && !u.startsWith('data:')), []);
    const stored = await page.evaluate(async () => ({
        cookies: document.cookie,
        local: localStorage.length,
        session: sessionStorage.length,
        databases: indexedDB.databases ? (await indexedDB.databases()).length : 0,
    }));
    assert.deepEqual(stored, { cookies: '', local: 0, session: 0, databases: 0 });
    assert.deepEqual(await context.cookies(), []);
    // The policy forbids every connection.
    const csp = await page.locator('meta[http-equiv=Content-Security-Policy]').getAttribute('content');
    assert.match(csp, /default-src 'none'/);
    assert.match(csp, /connect-src 'none'/);
    await context.close();
});

test('what a screen reader finds: dialogs named by their captions, controls by theirs', async () => {
    const { page, context } = await open();
    await clickOn(page, 'frmMAIN', 'Command1');
    await clickOn(page, 'frmSETUP', 'HARD_SETUP');
    for (const name of ['Brelvox', 'Configuration', 'Hardware Detection'])
        assert.equal(await page.getByRole('dialog', { name, exact: true }).count(), 1, name);
    for (const name of ['Setup', 'About', 'Run EXE', 'Hardware Detection', 'OK', 'Test System', 'Cancel'])
        assert.ok(await page.getByRole('button', { name, exact: true }).count() >= 1, name);
    for (const name of ['2048 k', '4096 k', '8192 k', '220 Mhz', '170 Mhz'])
        assert.equal(await page.getByRole('radio', { name }).count(), 1, name);
    assert.equal(await page.getByRole('checkbox').count(), 6);
    for (const name of ['CPU', 'Memory', 'Hard Disks', 'CD-ROM', 'Sound Card', 'Motherboard'])
        assert.equal(await page.getByRole('textbox', { name, exact: true }).count(), 1, name);
    assert.equal(await page.getByRole('combobox', { name: 'Drives' }).count(), 1);
    assert.equal(await page.getByRole('listbox', { name: 'Folders' }).count(), 1);
    assert.equal(await page.getByRole('listbox', { name: 'Files' }).count(), 1);
    await context.close();
});
