// The machine's browsers, all from Debian, driven the same way by the page's
// tests, its tour and its bench: Chromium through playwright-core (and its
// phone emulation, for touch), Firefox ESR through puppeteer-core over
// WebDriver BiDi, WebKitGTK through WebKitWebDriver and selenium-webdriver.
// No browser is downloaded. WebKitGTK needs a display (tools/xsession.sh).
//
//   const page = await openPage('firefox', 'desktop');
//   await page.goto(url); await page.click(x, y); await page.eval((a) => ..., a);
//
// Points are CSS pixels of the page's viewport. On a touch device every
// input is a finger's or the phone's own keyboard's; on a desktop, the
// mouse's and the keyboard's.
import { chromium } from 'playwright-core';
import puppeteer from 'puppeteer-core';
import { Builder, Capabilities, Key, Origin } from 'selenium-webdriver';
import { spawn } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { createServer } from 'node:net';

export const paths = {
    chromium: process.env.VORNAK_CHROMIUM || '/usr/bin/chromium',
    firefox: process.env.VORNAK_FIREFOX || '/usr/bin/firefox-esr',
    webkitDriver: process.env.VORNAK_WEBKIT_DRIVER || '/usr/bin/WebKitWebDriver',
    webkitBrowser: process.env.VORNAK_WEBKIT_BROWSER || '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
};

// Viewports in CSS pixels; a touch device is a phone or tablet, emulated by
// Chromium.
export const devices = {
    desktop: { width: 1024, height: 768 },
    'phone-390x844': { width: 390, height: 844, scale: 3, touch: true },
    'phone-360x640': { width: 360, height: 640, scale: 2, touch: true },
    'phone-320x480': { width: 320, height: 480, scale: 2, touch: true },
    'phone-844x390': { width: 844, height: 390, scale: 3, touch: true },
    'tablet-768x1024': { width: 768, height: 1024, scale: 2, touch: true },
};

export const chromiumArgs = ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
                             '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic'];

export async function openPage(engine, deviceName = 'desktop') {
    const device = devices[deviceName];
    if (!device)
        throw new Error(`no device ${deviceName}`);
    if (device.touch && engine !== 'chromium')
        throw new Error('touch devices are emulated by Chromium alone');
    const open = { chromium: openChromium, firefox: openFirefox, webkit: openWebKit }[engine];
    if (!open)
        throw new Error(`no engine ${engine}`);
    return open(device);
}

// --- Chromium ---------------------------------------------------------------

export function launchChromium() {
    return chromium.launch({ executablePath: paths.chromium, args: chromiumArgs });
}

async function openChromium(device, browser = null) {
    const own = !browser;
    browser = browser || await launchChromium();
    const context = await browser.newContext({
        viewport: { width: device.width, height: device.height }, deviceScaleFactor: device.scale || 1,
        isMobile: !!device.touch, hasTouch: !!device.touch,
    });
    const page = await context.newPage();
    const cdp = await context.newCDPSession(page);
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', {
        type, touchPoints: points.map(([x, y]) => ({ x, y })) });
    return {
        engine: 'chromium', device, errors, page, cdp,
        goto: (url) => page.goto(url),
        eval: (fn, arg) => page.evaluate(fn, arg),
        click: (x, y) => page.mouse.click(x, y),
        dblclick: (x, y) => page.mouse.dblclick(x, y),
        down: async (x, y) => { await page.mouse.move(x, y); await page.mouse.down(); },
        move: (x, y, steps = 5) => page.mouse.move(x, y, { steps }),
        up: () => page.mouse.up(),
        press: (key) => page.keyboard.press(key),
        type: (text) => page.keyboard.type(text),
        tap: (x, y) => page.touchscreen.tap(x, y),
        touchDown: (x, y) => touch('touchStart', [[x, y]]),
        touchMove: (x, y) => touch('touchMove', [[x, y]]),
        touchUp: () => touch('touchEnd', []),
        touchCancel: () => touch('touchCancel', []),
        // What a phone's keyboard sends: a key it does not name, then text.
        softType: async (text) => {
            for (const ch of text) {
                await cdp.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', key: 'Unidentified',
                                                           windowsVirtualKeyCode: 229, nativeVirtualKeyCode: 229 });
                await cdp.send('Input.insertText', { text: ch });
                await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', key: 'Unidentified',
                                                           windowsVirtualKeyCode: 229, nativeVirtualKeyCode: 229 });
            }
        },
        resize: (width, height) => page.setViewportSize({ width, height }),
        screenshot: (path, clip) => page.screenshot({ path, clip }),
        close: () => (own ? browser.close() : context.close()),
    };
}

// Several pages of one Chromium, for the bench and the tour.
export async function chromiumPages(deviceName = 'desktop') {
    const browser = await launchChromium();
    return {
        open: () => openChromium(devices[deviceName], browser),
        close: () => browser.close(),
    };
}

// --- Firefox ----------------------------------------------------------------

async function openFirefox(device) {
    const browser = await puppeteer.launch({
        browser: 'firefox', executablePath: paths.firefox, headless: true, protocol: 'webDriverBiDi',
        defaultViewport: { width: device.width, height: device.height },
        extraPrefsFirefox: { 'browser.shell.checkDefaultBrowser': false, 'app.update.enabled': false },
    });
    const page = await browser.newPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    const keys = async (combo, act) => {
        const parts = combo === '+' ? ['+'] : combo.split('+');
        const key = parts.pop();
        for (const m of parts) await page.keyboard.down(m);
        await act(key);
        for (const m of parts.reverse()) await page.keyboard.up(m);
    };
    return {
        engine: 'firefox', device, errors, page,
        goto: (url) => page.goto(url),
        eval: (fn, arg) => page.evaluate(fn, arg),
        click: (x, y) => page.mouse.click(x, y),
        dblclick: (x, y) => page.mouse.click(x, y, { count: 2 }),
        down: async (x, y) => { await page.mouse.move(x, y); await page.mouse.down(); },
        move: (x, y, steps = 5) => page.mouse.move(x, y, { steps }),
        up: () => page.mouse.up(),
        press: (combo) => keys(combo, (key) => page.keyboard.press(key)),
        type: (text) => page.keyboard.type(text),
        resize: (width, height) => page.setViewport({ width, height }),
        screenshot: (path, clip) => page.screenshot({ path, clip }),
        close: () => browser.close(),
    };
}

// --- WebKitGTK --------------------------------------------------------------

function freePort() {
    return new Promise((done, fail) => {
        const server = createServer();
        server.on('error', fail);
        server.listen(0, '127.0.0.1', () => {
            const { port } = server.address();
            server.close(() => done(port));
        });
    });
}

async function startWebKitDriver() {
    const port = await freePort();
    const service = spawn(paths.webkitDriver, [`--port=${port}`], { stdio: 'ignore' });
    const caps = new Capabilities();
    caps.set('browserName', 'MiniBrowser');
    caps.set('webkitgtk:browserOptions', { binary: paths.webkitBrowser, args: ['--automation'] });
    for (let i = 0; ; ++i) {
        try {
            const driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities(caps).build();
            return { driver, service };
        } catch (e) {
            if (i >= 50) {
                service.kill();
                throw e;
            }
            await new Promise((r) => setTimeout(r, 100));
        }
    }
}

const webkitKeys = { Tab: Key.TAB, Enter: Key.ENTER, Escape: Key.ESCAPE, Backspace: Key.BACK_SPACE, Shift: Key.SHIFT,
                     Alt: Key.ALT, Control: Key.CONTROL, F1: Key.F1, ArrowLeft: Key.ARROW_LEFT,
                     ArrowRight: Key.ARROW_RIGHT, ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN, Space: ' ' };

async function openWebKit(device) {
    const { driver, service } = await startWebKitDriver();
    // The browser's window holds the page and its own bar: the page's
    // viewport is made the device's size.
    await driver.manage().window().setRect({ width: device.width, height: device.height });
    const inner = await driver.executeScript('return [innerWidth, innerHeight]');
    await driver.manage().window().setRect({ width: 2 * device.width - inner[0], height: 2 * device.height - inner[1] });
    const actions = () => driver.actions({ async: true });
    const at = (x, y) => ({ x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT });
    let pointer = [0, 0];
    const keys = (combo) => {
        const parts = combo === '+' ? ['+'] : combo.split('+').map((k) => webkitKeys[k] || k);
        const key = parts.pop();
        let a = actions();
        for (const m of parts) a = a.keyDown(m);
        a = a.keyDown(key).keyUp(key);
        for (const m of parts.reverse()) a = a.keyUp(m);
        return a.perform();
    };
    return {
        engine: 'webkit', device, errors: [], driver,
        goto: (url) => driver.get(url),
        eval: (fn, arg) => driver.executeScript(`return (${fn})(arguments[0]);`, arg),
        click: (x, y) => actions().move(at(x, y)).press().release().perform(),
        dblclick: (x, y) => actions().move(at(x, y)).doubleClick().perform(),
        down: (x, y) => { pointer = [x, y]; return actions().move(at(x, y)).press().perform(); },
        move: async (x, y, steps = 5) => {
            for (let i = 1; i <= steps; ++i)
                await actions().move(at(pointer[0] + (x - pointer[0]) * i / steps,
                                        pointer[1] + (y - pointer[1]) * i / steps)).perform();
            pointer = [x, y];
        },
        up: () => actions().release().perform(),
        press: keys,
        type: (text) => actions().sendKeys(text).perform(),
        resize: (width, height) => driver.manage().window().setRect({ width, height }),
        screenshot: async (path) => writeFileSync(path, await driver.takeScreenshot(), 'base64'),
        close: async () => {
            await driver.quit();
            service.kill();
        },
    };
}
