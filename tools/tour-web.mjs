// The tour of the web build: every road of the program walked by real
// mouse and keyboard input in headless Chromium, a screenshot of the window
// at each step under build/tour/web/, and the three pauses timed. Says how
// it goes on standard error; standard output carries only the list of the
// screenshots and their captions, as JSON, for the contact sheet.
//   node tools/tour-web.mjs PAGE.html OUT_DIR DESIGN_POSITIONS_OUTPUT
import { openPage } from './browsers.mjs';
import { readFileSync, mkdirSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const [pagePath, out, designFile] = process.argv.slice(2);
mkdirSync(out, { recursive: true });
const designs = new Map();
for (const line of readFileSync(designFile, 'utf8').trim().split('\n')) {
    const [w, c, ...box] = line.split(' ');
    designs.set(`${w}.${c}`, box.map(Number));
}
const captions = { frmMAIN: 'Brelvox', frmSETUP: 'Configuration', frmNO: 'Error', frmNO1: 'Error',
                   frmRUN: 'Error: Driver Negotitiation (0E003F)', frmHARD: 'Hardware Detection', frmABOUT: 'About',
                   frmFINAL: 'Hombre Carente de Pelo' };

const session = await openPage('chromium', 'desktop');
const { page } = session;
await page.goto(pathToFileURL(pagePath).href);
const dialog = (w) => page.getByRole('dialog', { name: captions[w], exact: true });
await dialog('frmMAIN').waitFor();
await page.waitForFunction(() => !document.body.classList.contains('starting'));

async function click(w, c) {
    const client = await dialog(w).locator('.client').boundingBox();
    const [x, y, width, height] = designs.get(`${w}.${c}`);
    await page.mouse.click(client.x + x + width / 2, client.y + y + height / 2);
}
let n = 0;
async function shot(w, caption) {
    await dialog(w).waitFor();
    await page.waitForTimeout(200);
    const name = String(++n).padStart(2, '0');
    await dialog(w).screenshot({ path: `${out}/${name}.png` });
    console.error(`  ${name}: ${caption}`);
    return [`${out}/${name}.png`, caption];
}
async function timed(what, act, until) {
    const start = Date.now();
    await act();
    await until();
    const s = (Date.now() - start) / 1000;
    console.error(`  ${what} after ${s.toFixed(3)} s`);
    if (s < 2.95 || s > 4.5)
        throw new Error(`${what} took ${s} s, not three seconds`);
}

const sheet = [];
sheet.push(await shot('frmMAIN', 'Start: the main window'));
await click('frmMAIN', 'Command1');
sheet.push(await shot('frmSETUP', 'Setup: the configuration dialog'));
await click('frmSETUP', 'Option3');
sheet.push(await shot('frmNO', '"8192 k": refused, "2048 k" put back'));
await click('frmNO', 'Command1');
sheet.push(await shot('frmSETUP', 'OK: the dialog keeps "2048 k"'));
await click('frmSETUP', 'Option4');
sheet.push(await shot('frmNO1', '"220 Mhz": refused, "170 Mhz" put back'));
await click('frmNO1', 'Command1');
await click('frmSETUP', 'HARD_SETUP');
sheet.push(await shot('frmHARD', 'Hardware Detection: empty fields'));
await timed('Test System answered', () => click('frmHARD', 'TEST'),
            () => page.waitForFunction(() => document.querySelector('[data-name=Text1]').value !== ''));
sheet.push(await shot('frmHARD', '...three seconds later: the canned results'));
await click('frmHARD', 'Command2');
await click('frmSETUP', 'OK_SETUP');
await click('frmMAIN', 'Command2');
sheet.push(await shot('frmABOUT', 'About: the author and his portrait'));
await timed('the final picture', () => page.keyboard.press('a'), () => dialog('frmFINAL').waitFor());
sheet.push(await shot('frmFINAL', 'A key in About: three seconds, then the final picture'));
await dialog('frmFINAL').getByRole('button', { name: 'Close' }).click();
await dialog('frmABOUT').getByRole('button', { name: 'Close' }).click();
await timed('the driver error', () => click('frmMAIN', 'Command3'), () => dialog('frmRUN').waitFor());
sheet.push(await shot('frmRUN', 'Run EXE: three seconds, then the fatal driver error'));
await click('frmRUN', 'Command1');
await page.screenshot({ path: `${out}/desktop.png` });
await session.close();
console.log(JSON.stringify(sheet));
