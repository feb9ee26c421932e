// The program's first window as markup, which the page shows as it is read,
// before its own script has run (page/early.js): made by the page's own
// modules (windows.js and its pieces) in a document of linkedom (from the
// npm registry), with its design at 96 dpi, drawn with a factor of one. No
// browser lays it out, so its texts are laid out here from the widths of
// the face's letters, as a browser lays them (words broken into lines at
// their spaces) and as layout.js then places them; a list whose rows would
// need its scroll bar, or a letter the face lacks, fails the build. Writes
// the window's markup.
//   node markup.mjs PAGE_DIR PROTOCOL.js <IN.json
// IN.json: {"windows": {"96": DESIGN, "120": ..., "144": ...},
//           "advances": {"A": 7, ...}, "pictures": {NAME: DATA_URL, ...}}
// (the first window's design at each resolution, the widths in pixels of
// the face's letters at 96 dpi, and the pictures it may show)
import { build } from 'esbuild';
import { parseHTML } from 'linkedom';
import { readFileSync } from 'node:fs';

const [pageDir, protocol] = process.argv.slice(2);
const { windows, advances, pictures } = JSON.parse(readFileSync(0, 'utf8'));
const design = windows[96];

const { window, document } = parseHTML(`<!DOCTYPE html><html><body><div id="desktop"></div>
    <script type="application/json" id="screens">[[0, 96, 1]]</script></body></html>`);
const never = new Promise(() => {});
Object.assign(globalThis, {
    window, document, devicePixelRatio: 1, Vornak: { failure: {} },
    requestAnimationFrame() {},
    matchMedia: () => ({ matches: false, addEventListener() {} }),
    ResizeObserver: class { observe() {} },
    Image: window.Image,
    Option: function Option(text) {
        return Object.assign(document.createElement('option'), { textContent: text });
    },
});
window.Vornak = globalThis.Vornak;
document.fonts = { ready: never, status: 'loaded' };

const modules = await build({
    stdin: {
        contents: `export { Win } from './windows.js'; export * as Art from './art.js';
                   export * as Desktop from './desktop.js'; export { px } from './screen.js';`,
        resolveDir: pageDir,
    },
    bundle: true,
    write: false,
    format: 'esm',
    platform: 'node',
    alias: { 'vornak1-protocol': protocol },
    sourcemap: 'inline',   // (an error says where in the page's modules)
    logLevel: 'warning',
});
process.setSourceMapsEnabled(true);
const { Win, Art, Desktop, px } = await import(
    'data:text/javascript;base64,' + Buffer.from(modules.outputFiles[0].text).toString('base64'));

Desktop.start();
Art.add({ pictures });
const win = new Win(0, design, 1);

// What the room a text has is short of its control's width: a button's
// padding (vornak1.css, button.control).
const padding = { CommandButton: 8 };
const width = (text) => Array.from(text).reduce((sum, l) => {
    if (!(l in advances))
        throw new Error(`markup.mjs: the face has no letter ${JSON.stringify(l)}`);
    return sum + advances[l];
}, 0);

// Each text laid out by layout.js (a span of letters for each word) as
// lines the browser breaks it into, each line's letters one after another
// from where layout.js puts its first: in the markup's drawing, where a
// pixel of the design is a whole CSS pixel, the face's letters stand on
// whole pixels one after another by themselves.
for (const c of win.controls) {
    const el = c.el.caption || c.el;
    if (!el.classList.contains('laid'))
        continue;
    const room = c.design.box[2] - (padding[c.design.piece] || 0);
    const lines = [];
    for (const word of c.design.caption.split(' ')) {
        const last = lines[lines.length - 1];
        if (last && width(`${last} ${word}`) <= room)
            lines[lines.length - 1] = `${last} ${word}`;
        else
            lines.push(word);
    }
    el.replaceChildren(...lines.map((text, n) => {
        // (a span, which a button's caption may hold, made a block)
        const line = document.createElement('span');
        line.className = 'line';
        // (a space at the end of each line but the last, as the text has it)
        line.textContent = text + (n < lines.length - 1 ? ' ' : '');
        if (el.classList.contains('centred'))
            line.style.left = px(Math.max(0, Math.floor((room - width(text)) / 2)));
        return line;
    }));
}

// A list's rows, a line of the face each (a folder's two pixels more:
// vornak1.css, .dpi96 .listbox), and the room they have inside its border.
for (const c of win.controls) {
    const rows = c.el.rowsBox;
    if (!rows)
        continue;
    const height = Array.from(rows.children, (r) => (r.classList.contains('folder') ? 15 : 13)).reduce((a, b) => a + b, 0);
    if (height > c.design.box[3] - 4)
        throw new Error(`markup.mjs: ${c.design.name}'s rows do not fit it, and the markup cannot scroll them`);
    rows.bar.bar.style.display = 'none';
    rows.style.right = '0';
}

// What a control's properties hold, which markup keeps only as attributes:
// a list's choice, a box's tick.
for (const el of win.el.querySelectorAll('select'))
    el.options[el.selectedIndex]?.setAttribute('selected', '');
for (const el of win.el.querySelectorAll('input'))
    if (el.checked)
        el.setAttribute('checked', '');

// A window that takes no input (inert) needs no order of the focus, and
// assistive technology is told nothing of what it holds: its controls'
// states need not be said (their names and roles are, which the stylesheet
// draws by).
for (const el of win.el.querySelectorAll('*'))
    for (const name of ['tabindex', 'aria-selected', 'aria-hidden'])
        el.removeAttribute(name);

win.el.setAttribute('data-sizes', [96, 120, 144].flatMap((dpi) => [windows[dpi].width, windows[dpi].height]).join(' '));
win.el.setAttribute('inert', '');
// Not laid out until it is shown, where its place and size are given it:
// laid out, its texts would have the browser read the face the stylesheet
// names, not the page's own.
win.el.setAttribute('style', 'display:none');
process.stdout.write(win.el.outerHTML);
