// The machine's browsers, all from Debian, driven the same way by the page's
// tests, its tour and its bench: Chromium through playwright-core (and its
// phone emulation, for touch), Firefox ESR through puppeteer-core over
// WebDriver BiDi, WebKitGTK through WebKitWebDriver and selenium-webdriver.
// No browser is downloaded; their places are here, and nowhere else.
// WebKitGTK needs a display (tools/xsession.sh).
//
//   const browser = await launch('firefox');
//   const page = await browser.newPage('desktop');
//   await page.goto(url); await page.click(x, y); await page.eval((a) => ..., a);
//
// Points are CSS pixels of the page's viewport. On a touch device every
// input is a finger's or the phone's own keyboard's; on a desktop, the
// mouse's and the keyboard's.
//
// A browser may be launched as a visitor's may be set up (launch(engine,
// options)): options.forcedColors, in forced colours (a high-contrast
// theme; WebKitGTK has no such mode); options.scripts false, running no
// script of the page's own (the drivers' scripts still run).
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
    // a laptop's 1366 x 768 screen at 200 %, less the browser's own bars;
    // a browser window made as small as it goes
    'desktop-683x328': { width: 683, height: 328, scale: 2 },
    'desktop-320x240': { width: 320, height: 240 },
    'phone-390x844': { width: 390, height: 844, scale: 3, touch: true },
    'phone-360x640': { width: 360, height: 640, scale: 2, touch: true },
    'phone-320x480': { width: 320, height: 480, scale: 2, touch: true },
    'phone-844x390': { width: 844, height: 390, scale: 3, touch: true },
    'tablet-768x1024': { width: 768, height: 1024, scale: 2, touch: true },
};

const chromiumArgs = ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
                      '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic'];

// A browser of an engine, launched once, that opens pages on a device:
// each page its own, as a new visitor's.
export async function launch(engine, options = {}) {
    const start = { chromium: launchChromium, firefox: launchFirefox, webkit: launchWebKit }[engine];
    if (!start)
        throw new Error(`no engine ${engine}`);
    const browser = await start(options);
    return {
        version: browser.version,
        // (scale: another device-pixel ratio for the device)
        newPage(deviceName = 'desktop', scale = undefined) {
            const device = scale ? { ...devices[deviceName], scale } : devices[deviceName];
            if (!device)
                throw new Error(`no device ${deviceName}`);
            if (device.touch && engine !== 'chromium')
                throw new Error('touch devices are emulated by Chromium alone');
            return browser.newPage(device);
        },
        close: () => browser.close(),
    };
}

// One page in a browser of its own.
export async function openPage(engine, deviceName = 'desktop') {
    const browser = await launch(engine);
    const page = await browser.newPage(deviceName);
    const close = page.close.bind(page);
    page.close = async () => {
        await close();
        await browser.close();
    };
    return page;
}

// Runs act between the modifiers of a key combination ("Alt+a") held down
// and let go: act(key), with down(m) and up(m) for each modifier.
async function combination(combo, down, up, act) {
    const parts = combo === '+' ? ['+'] : combo.split('+');
    const key = parts.pop();
    for (const m of parts)
        await down(m);
    await act(key);
    for (const m of parts.reverse())
        await up(m);
}

// --- Chromium ---------------------------------------------------------------

async function launchChromium(options) {
    const browser = await chromium.launch({ executablePath: paths.chromium, args: chromiumArgs });
    return {
        version: `Chromium ${browser.version().split('.')[0]}`,
        async newPage(device) {
            const context = await browser.newContext({
                viewport: { width: device.width, height: device.height }, deviceScaleFactor: device.scale || 1,
                isMobile: !!device.touch, hasTouch: !!device.touch,
                ...(options.forcedColors ? { forcedColors: 'active' } : {}), javaScriptEnabled: options.scripts !== false,
            });
            const page = await context.newPage();
            return new ChromiumPage(device, context, page, await context.newCDPSession(page));
        },
        close: () => browser.close(),
    };
}

class ChromiumPage {
    constructor(device, context, page, cdp) {
        Object.assign(this, { engine: 'chromium', device, context, page, cdp, errors: [] });
        page.on('pageerror', (e) => this.errors.push(e.message));
        page.on('console', (m) => { if (m.type() === 'error') this.errors.push(m.text()); });
    }

    goto(url) { return this.page.goto(url); }
    eval(fn, arg) { return this.page.evaluate(fn, arg); }
    click(x, y) { return this.page.mouse.click(x, y); }
    dblclick(x, y) { return this.page.mouse.dblclick(x, y); }
    async down(x, y) { await this.page.mouse.move(x, y); await this.page.mouse.down(); }
    move(x, y, steps = 5) { return this.page.mouse.move(x, y, { steps }); }
    up() { return this.page.mouse.up(); }
    press(key) { return this.page.keyboard.press(key); }
    type(text) { return this.page.keyboard.type(text); }
    rightClick(x, y) { return this.page.mouse.click(x, y, { button: 'right' }); }
    tap(x, y) { return this.page.touchscreen.tap(x, y); }
    touchDown(x, y) { return this.dispatchTouch('touchStart', [[x, y]]); }
    touchMove(x, y) { return this.dispatchTouch('touchMove', [[x, y]]); }
    touchUp() { return this.dispatchTouch('touchEnd', []); }
    touchCancel() { return this.dispatchTouch('touchCancel', []); }
    resize(width, height) { return this.page.setViewportSize({ width, height }); }
    screenshot(path, clip) { return this.page.screenshot({ path, clip }); }
    // The screen as a PNG file's bytes, a pixel a device pixel.
    pixels() { return this.page.screenshot(); }
    close() { return this.context.close(); }

    dispatchTouch(type, points) {
        return this.cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points.map(([x, y]) => ({ x, y })) });
    }

    // What a phone's keyboard sends: a key it does not name, then text.
    async softType(text) {
        const key = { key: 'Unidentified', windowsVirtualKeyCode: 229, nativeVirtualKeyCode: 229 };
        for (const ch of text) {
            await this.cdp.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', ...key });
            await this.cdp.send('Input.insertText', { text: ch });
            await this.cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', ...key });
        }
    }
}

// --- Firefox ----------------------------------------------------------------

async function launchFirefox(options) {
    const browser = await puppeteer.launch({
        browser: 'firefox', executablePath: paths.firefox, headless: true, protocol: 'webDriverBiDi',
        extraPrefsFirefox: {
            'browser.shell.checkDefaultBrowser': false, 'app.update.enabled': false,
            ...(options.forcedColors ? { 'browser.display.document_color_use': 2 } : {}),
            ...(options.scripts === false ? { 'javascript.enabled': false } : {}),
        },
    });
    return {
        version: `Firefox ${(await browser.version()).split('/').pop().split('.')[0]}`,
        async newPage(device) {
            const context = await browser.createBrowserContext();
            const page = await context.newPage();
            await page.setViewport({ width: device.width, height: device.height, deviceScaleFactor: device.scale || 1 });
            return new FirefoxPage(device, context, page);
        },
        close: () => browser.close(),
    };
}

class FirefoxPage {
    constructor(device, context, page) {
        Object.assign(this, { engine: 'firefox', device, context, page, errors: [] });
        page.on('pageerror', (e) => this.errors.push(e.message));
        page.on('console', (m) => { if (m.type() === 'error') this.errors.push(m.text()); });
    }

    goto(url) { return this.page.goto(url); }
    eval(fn, arg) { return this.page.evaluate(fn, arg); }
    click(x, y) { return this.page.mouse.click(x, y); }
    dblclick(x, y) { return this.page.mouse.click(x, y, { count: 2 }); }
    async down(x, y) { await this.page.mouse.move(x, y); await this.page.mouse.down(); }
    move(x, y, steps = 5) { return this.page.mouse.move(x, y, { steps }); }
    up() { return this.page.mouse.up(); }
    type(text) { return this.page.keyboard.type(text); }
    rightClick(x, y) { return this.page.mouse.click(x, y, { button: 'right' }); }
    resize(width, height) { return this.page.setViewport({ width, height }); }
    screenshot(path, clip) { return this.page.screenshot({ path, clip }); }
    pixels() { return this.page.screenshot(); }
    close() { return this.context.close(); }

    press(combo) {
        const k = this.page.keyboard;
        return combination(combo, (m) => k.down(m), (m) => k.up(m), (key) => k.press(key));
    }
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

// WebKitWebDriver on a port of its own, and a session of it, which starts
// the browser.
async function launchWebKit(options) {
    if (options.forcedColors)
        throw new Error('WebKitGTK has no forced colours');
    const port = await freePort();
    const service = spawn(paths.webkitDriver, [`--port=${port}`], { stdio: 'ignore' });
    const caps = new Capabilities();
    caps.set('browserName', 'MiniBrowser');
    caps.set('webkitgtk:browserOptions', {
        binary: paths.webkitBrowser,
        args: ['--automation', ...(options.scripts === false ? ['--enable-javascript-markup=false'] : [])],
    });
    let driver = null;
    for (let i = 0; !driver; ++i) {
        try {
            driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities(caps).build();
        } catch (e) {
            if (i >= 50) {
                service.kill();
                throw e;
            }
            await new Promise((r) => setTimeout(r, 100));
        }
    }
    const version = (await driver.getCapabilities()).get('browserVersion') || '';
    return {
        version: `WebKitGTK ${version.split('.').slice(0, 2).join('.')}`,
        newPage: (device) => WebKitPage.open(driver, device),
        close: async () => {
            await driver.quit();
            service.kill();
        },
    };
}

const webkitKeys = { Tab: Key.TAB, Enter: Key.ENTER, Escape: Key.ESCAPE, Backspace: Key.BACK_SPACE, Shift: Key.SHIFT,
                     Alt: Key.ALT, Control: Key.CONTROL, F1: Key.F1, ArrowLeft: Key.ARROW_LEFT,
                     ArrowRight: Key.ARROW_RIGHT, ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN, Space: ' ' };

// WebDriver drives one browser window a session: every page is that
// window, made the device's size and given the page anew.
class WebKitPage {
    static async open(driver, device) {
        await driver.get('about:blank');
        // The browser's window holds the page and its own bar: the page's
        // viewport is made the device's size.
        const window = driver.manage().window();
        await window.setRect({ width: device.width, height: device.height });
        const inner = await driver.executeScript('return [innerWidth, innerHeight]');
        await window.setRect({ width: 2 * device.width - inner[0], height: 2 * device.height - inner[1] });
        return new WebKitPage(driver, device);
    }

    constructor(driver, device) {
        Object.assign(this, { engine: 'webkit', device, driver, errors: [], pointer: [0, 0] });
    }

    actions() { return this.driver.actions({ async: true }); }
    at(x, y) { return { x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT }; }
    goto(url) { return this.driver.get(url); }
    eval(fn, arg) { return this.driver.executeScript(`return (${fn})(arguments[0]);`, arg); }
    click(x, y) { return this.actions().move(this.at(x, y)).press().release().perform(); }
    dblclick(x, y) { return this.actions().move(this.at(x, y)).doubleClick().perform(); }
    up() { return this.actions().release().perform(); }
    type(text) { return this.actions().sendKeys(text).perform(); }
    rightClick(x, y) { return this.actions().move(this.at(x, y)).contextClick().perform(); }
    resize(width, height) { return this.driver.manage().window().setRect({ width, height }); }
    async screenshot(path) { writeFileSync(path, await this.driver.takeScreenshot(), 'base64'); }
    close() { return this.driver.get('about:blank'); }

    down(x, y) {
        this.pointer = [x, y];
        return this.actions().move(this.at(x, y)).press().perform();
    }

    async move(x, y, steps = 5) {
        const [x0, y0] = this.pointer;
        for (let i = 1; i <= steps; ++i)
            await this.actions().move(this.at(x0 + (x - x0) * i / steps, y0 + (y - y0) * i / steps)).perform();
        this.pointer = [x, y];
    }

    press(combo) {
        let a = this.actions();
        return combination(combo, (m) => { a = a.keyDown(webkitKeys[m] || m); },
                           (m) => { a = a.keyUp(webkitKeys[m] || m); },
                           (key) => { a = a.keyDown(webkitKeys[key] || key).keyUp(webkitKeys[key] || key); })
            .then(() => a.perform());
    }
}
