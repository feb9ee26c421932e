// Opens the page in headless Chromium (Debian's) and saves a screenshot of
// it once the main window is up.
//   node tools/web-shot.mjs URL OUT.png
import { openPage } from './browsers.mjs';

const [url, out] = process.argv.slice(2);
const page = await openPage('chromium', 'desktop');
await page.goto(url);
await page.page.getByRole('dialog', { name: 'Brelvox' }).waitFor();
await page.page.waitForFunction(() => !document.body.classList.contains('starting'));
await page.page.waitForTimeout(300);
await page.screenshot(out);
await page.close();
