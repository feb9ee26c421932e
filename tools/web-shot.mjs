// Opens the page in headless Chromium (Debian's) and saves a screenshot of
// it once the main window is up.
//   node tools/web-shot.mjs URL OUT.png
import { chromium } from 'playwright-core';

const [url, out] = process.argv.slice(2);
const browser = await chromium.launch({
    executablePath: process.env.VORNAK_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run'],
});
const page = await browser.newPage({ viewport: { width: 1024, height: 768 } });
await page.goto(url);
await page.getByRole('dialog', { name: 'Brelvox' }).waitFor();
await page.waitForTimeout(300);
await page.screenshot({ path: out });
await browser.close();
