// Puts into the page the program's first window as the program draws it,
// for the page to draw at once while the program itself is still being
// read and started (Vornak.start). The page is run in Chromium on a desktop;
// once its first window is drawn whole, the window's markup (its pictures
// as images rather than canvases, whose pixels markup does not keep), its
// size and the style the program gave the page are written into the page's
// first-window element, which the page reads as it starts.
//   node first-window.mjs PAGE.html OUT.html
import { readFileSync, writeFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';
import { openPage } from '../../tools/browsers.mjs';

const [pagePath, outPath] = process.argv.slice(2);
const page = readFileSync(pagePath, 'utf8');
const slot = '<script type="application/json" id="first-window">null</script>';
if (page.split(slot).length !== 2)
    throw new Error(`first-window.mjs: ${pagePath} has no single ${slot}`);

const browser = await openPage('chromium', 'desktop');
let first;
try {
    await browser.goto(pathToFileURL(pagePath).href);
    first = await browser.eval(async () => {
        const frames = () => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
        const shown = () => Array.from(document.querySelectorAll('#desktop > .window'))
            .filter((w) => w.style.display !== 'none' && w.style.visibility === 'visible');
        // Until the program has started and its window is drawn: its faces
        // loaded, the controls placed, the pictures painted.
        const drawn = () => !document.body.classList.contains('starting') && shown().length === 1
            && document.fonts.status === 'loaded'
            && Array.from(shown()[0].querySelectorAll('canvas')).every((c) => c.width !== 300 || c.height !== 150);
        for (let i = 0; i < 200 && !drawn(); ++i)
            await frames();
        await frames();
        if (!drawn())
            return `${shown().length} windows shown, the program ${document.body.className || 'started'}`;
        const windows = shown();
        const copy = windows[0].cloneNode(true);
        const canvases = windows[0].querySelectorAll('canvas');
        copy.querySelectorAll('canvas').forEach((canvas, i) => {
            const img = document.createElement('img');
            for (const a of canvas.attributes)
                img.setAttribute(a.name, a.value);
            img.alt = '';
            img.src = canvases[i].toDataURL();
            canvas.replaceWith(img);
        });
        // What a control shows that its markup does not say.
        const controls = windows[0].querySelectorAll('select, input');
        copy.querySelectorAll('select, input').forEach((control, i) => {
            if (control.tagName === 'SELECT')
                control.querySelectorAll('option').forEach((option, k) => {
                    option.toggleAttribute('selected', k === controls[i].selectedIndex);
                });
            else {
                control.setAttribute('value', controls[i].value);
                control.toggleAttribute('checked', controls[i].checked);
            }
        });
        // Its place and stacking are the page's to give.
        for (const property of ['left', 'top', 'z-index', 'visibility'])
            copy.style.removeProperty(property);
        return { window: copy.outerHTML, root: document.documentElement.style.cssText,
                 width: windows[0].offsetWidth, height: windows[0].offsetHeight };
    });
} finally {
    await browser.close();
}
if (typeof first === 'string')
    throw new Error(`first-window.mjs: the program's first window was not drawn: ${first}`);
// Nothing in it may end the page's script early.
const text = JSON.stringify(first).replace(/<\//g, '<\\/');
writeFileSync(outPath, page.replace(slot, () => slot.replace('null', text)));
