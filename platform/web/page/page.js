// The program's calls to the page (platform/web/webfrontend.cpp, through
// Vornak.page), and the page's own start: the program's first window drawn
// as the page is read, and what the user does held until the program runs.
import * as Calls from './calls.js';
import * as Desktop from './desktop.js';
import * as Layout from './layout.js';
import * as Touch from './touch.js';
import { Failure } from './vornak.js';
import { Win } from './windows.js';

const windows = new Map();   // the program's window number -> Win
const factors = new Map();   // the factor a window about to be made is drawn with
let opening = null;          // the window whose place the program is working out

// The resolution a window about to be made is drawn at, which the program
// lays it out for (sizes: its client area at 96, 120 and 144 dpi).
export function drawing(number, sizes) {
    const chosen = Desktop.drawingFor(sizes);
    factors.set(number, chosen.factor);
    return chosen.dpi;
}

export function create(number, design) {
    windows.set(number, new Win(number, design, factors.get(number) || 1));
    factors.delete(number);
}

// The frame of a window ([x, y, width, height] in device pixels), or of
// the desktop for window 0: the program asks for the window it is about
// to show first, and the desktop is made to fit it.
export function frame(number) {
    if (number === 0) {
        Desktop.fit(opening);
        return [0, 0, ...Desktop.size()];
    }
    const w = windows.get(number);
    opening = w || null;
    return w ? w.frame() : [0, 0, 0, 0];
}

export function show(number, placeIt, x, y) {
    const w = windows.get(number);
    if (!w)
        return;
    Desktop.dropEarly();
    if (placeIt)
        w.moveTo(x, y);
    w.el.style.visibility = 'visible';
    w.el.style.display = '';
    Layout.shown(w.el);
    opening = null;
    Desktop.fit();
    Desktop.activate(w);
}

export function hide(number) {
    const w = windows.get(number);
    if (!w)
        return;
    w.el.style.display = 'none';
    Desktop.fit();
    if (Desktop.active === w)
        Desktop.activateTop();
}

export function raise(number) {
    const w = windows.get(number);
    if (w)
        Desktop.activate(w);
}

export function destroy(number) {
    const w = windows.get(number);
    if (!w)
        return;
    windows.delete(number);
    Desktop.remove(w);
}

export function update(number, index, shown) {
    const w = windows.get(number);
    if (w)
        w.update(index, shown);
}

export function focus(number, index) {
    const w = windows.get(number);
    const c = w && w.controls[index];
    if (c)
        Touch.focus(c.focusEl);
}

export function cursor(on) {
    document.body.classList.toggle('hourglass', on);
    Touch.cursor(on);
}

// A modal message with one OK button; resolves when it is dismissed.
export function message(title, text) {
    return new Promise((done) => {
        Calls.setModal(Failure.box(title, text, () => {
            Calls.setModal(null);
            done();
        }));
    });
}

export function quit() {
    for (const n of Array.from(windows.keys()))
        destroy(n);
    document.body.classList.add('ended');
}

// The page, as it is read: the program's first window, as the program
// will draw it (first: its design at each resolution, as the core made it
// when the page was built), is drawn at once where the program will place
// it, for the program to take its place when it shows the window itself. Until the program runs, the page is busy as in a pause: the
// hourglass, and what the user does held for the program.
export function start(first) {
    Touch.start();
    Calls.start();
    Desktop.start();
    document.body.classList.add('starting');
    cursor(true);
    if (first)
        Desktop.drawEarly(first);
}

// The program's start has run: what the user did meanwhile is its.
export function started() {
    Failure.started();
    document.body.classList.remove('starting');
    cursor(false);
    Calls.started();
}

