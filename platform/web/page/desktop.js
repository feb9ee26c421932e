// The desktop the windows stand on: which window is active and which is in
// front, where the keys go, and the screen itself, measured in device
// pixels. Every title bar and close box stays on the screen: on a phone a
// window larger than the screen is drawn smaller, at the nearest sharp size
// that fits (and where none does, the page is laid out wide enough for it
// and the phone shows it whole, as it can any page); a window the screen's
// turning would leave off it comes back. A desktop browser keeps its own
// width: where a window is larger than the screen (a small or zoomed
// browser window), the page scrolls to show it.
import * as Screen from './screen.js';
import { Win, border, frameSize } from './windows.js';

const windows = new Set();
let el = null;
export let active = null;   // the active window
let pressed = null;          // the window of the press under way
let topZ = 10;
let early = null;            // the first window drawn before the program ran

export function add(win) {
    windows.add(win);
    el.appendChild(win.el);
}

export function remove(win) {
    windows.delete(win);
    win.el.remove();
    if (active === win)
        activateTop();
    fit();
}

// The windows the taskbar does not show belong to the one it does (the
// main window), and stay in front of it.
const ownedAbove = 500000;

export function activate(win) {
    win.el.style.zIndex = ++topZ + (win.design.taskbar ? 0 : ownedAbove);
    if (active === win)
        return;
    if (active)
        active.bar.classList.add('inactive');
    active = win;
    win.bar.classList.remove('inactive');
    win.restoreFocus();
}

export function activateTop() {
    let top = null;
    for (const w of windows)
        if (w.visible && (!top || Number(w.el.style.zIndex) > Number(top.el.style.zIndex)))
            top = w;
    active = null;
    if (top)
        activate(top);
}

// The focus went into a window. The active window's control keeps it
// there; a window's control focused after a press in it whose click
// opened another window (a late focus, as one engine gives a clicked
// option) gives it back to the window now active.
export function focusIn(win, target) {
    win.lastFocus = target;
    if (active === win)
        return;
    if (pressed === win && active)
        active.restoreFocus();
    else
        activate(win);
}

export function pressedIn(win) {
    pressed = win;
    setTimeout(() => { if (pressed === win) pressed = null; }, 0);
}

// Where a window's edge at v goes so that size pixels of it from there
// are on a screen of the given size, or from its start if they cannot be.
function within(v, size, screen) {
    return Math.max(0, Math.min(v, screen - size));
}

// A window moved by its title bar: the whole bar stays on the desktop.
export function moveTo(win, x, y) {
    const [, , w] = win.frame();
    const bar = (border(win.design.dpi)[1] - 4) * win.factor;  // the border above the client area
    const [width, height] = size();
    win.moveTo(within(x, w, width), within(y, bar, height));
}

// A phone shows the page at its own width (phone: said once, as the
// page starts).
export function phone() {
    document.documentElement.classList.toggle('fitted', matchMedia('(hover: none) and (pointer: coarse)').matches);
}

function fitted() {
    return document.documentElement.classList.contains('fitted');
}

// The drawing a new window gets (sizes: its client area at 96, 120 and
// 144 dpi): the screen's; on a phone, when its frame does not fit the
// screen so, the nearest sharp size that does, or the smallest there is.
export function drawingFor(sizes) {
    const best = Screen.rule();
    if (!fitted())
        return best;
    const [width, height] = size();
    const fits = (d) => {
        const i = [96, 120, 144].indexOf(d.dpi);
        const [w, h] = frameSize({ width: sizes[2 * i], height: sizes[2 * i + 1], dpi: d.dpi }, d.factor);
        return w <= width && h <= height;
    };
    const all = Screen.smaller(best);
    return all.find(fits) || all[all.length - 1];
}

// The page laid out wide enough for every window shown to fit the screen
// whole, title bar and close box too, where even the smallest drawing of
// one does not: a phone then shows the page smaller. Desktop browsers keep
// their own width.
export function fit(opening) {
    let need = [0, 0];
    for (const w of [...windows, opening, early])
        if (w && (w.visible || w === opening))
            need = [Math.max(need[0], Screen.css(w.frame()[2])), Math.max(need[1], Screen.css(w.frame()[3]))];
    // The desktop as large as the largest window, where that is larger
    // than the screen, so that the page scrolls to show it whole.
    if (el) {
        el.style.minWidth = need[0] + 'px';
        el.style.minHeight = need[1] + 'px';
    }
    const landscape = innerWidth > innerHeight;
    const device = landscape ? Math.max(screen.width, screen.height) : Math.min(screen.width, screen.height);
    // (a few pixels to spare, for the browser's rounding of the height)
    const width = Math.ceil(Math.max(need[0], (need[1] + 4) * innerWidth / innerHeight));
    const meta = document.querySelector('meta[name=viewport]');
    const content = width > device ? 'width=' + width : 'width=device-width, initial-scale=1';
    if (meta.content !== content)
        meta.content = content;
}

// The screen the windows stand on, in whole device pixels: the page's
// viewport.
export function size() {
    const root = document.documentElement;
    return [Math.floor(Screen.ratio * Math.min(innerWidth, root.clientWidth)),
            Math.floor(Screen.ratio * Math.min(innerHeight, root.clientHeight))];
}

// Where a frame of a size (in device pixels) is centred on the screen (of
// a size just measured, or measured now), its top left corner on it, as
// the program places its first window.
export function centred(w, h, [width, height] = size()) {
    return [within(Math.trunc((width - w) / 2), w, width), within(Math.trunc((height - h) / 2), h, height)];
}

// The program's first window drawn before the program runs (page.js's
// start), as the program will draw it (first: its design, made by the core
// at each resolution) and where it will place it: centred on the screen,
// its top left corner on it. The page's markup holds it at 96 dpi (and
// early.js has shown it, where that is the screen's drawing and it fits):
// that one is taken over, and any other drawing made anew. It stands
// until the program shows a window.
export function drawEarly(first) {
    const drawing = drawingFor([96, 120, 144].flatMap((dpi) => [first[dpi].width, first[dpi].height]));
    const markup = el.querySelector('.window');
    if (markup && drawing.dpi === 96) {
        early = Win.adopt(markup, first[96]);
        early.drawWith(drawing.factor);
    } else {
        if (markup)
            markup.remove();
        early = new Win(0, first[drawing.dpi], drawing.factor);
        windows.delete(early);
    }
    early.el.inert = true;
    fit();
    const centre = () => early.moveTo(...centred(...early.frame().slice(2)));
    centre();
    early.el.style.visibility = 'visible';
    early.el.style.display = '';
    // A window larger than the screen makes the page scroll, and its
    // scroll bar takes room from the screen: centred on what is left,
    // as the program will place it.
    const [, , w, h] = early.frame();
    if (Screen.css(w) > innerWidth || Screen.css(h) > innerHeight)
        centre();
}

export function dropEarly() {
    if (early)
        early.el.remove();
    early = null;
}

// The factor a window is drawn with on this screen: the nearest to the
// screen for its design, less on a phone where its frame would not fit.
function factorOf(win) {
    const [width, height] = size();
    const fits = (factor) => frameSize(win.design, factor).every((v, i) => v <= [width, height][i]);
    let factor = Screen.factorFor(win.design.dpi);
    while (fitted() && factor > 1 && !fits(factor))
        --factor;
    return factor;
}

// After the screen turned, changed its size or its device-pixel ratio
// (was: the ratio before): every window drawn for it, and back on it.
function resized(was = Screen.ratio) {
    if (was !== Screen.ratio)
        Screen.calibrate();
    for (const w of [...windows, early].filter(Boolean)) {
        w.at = w.at.map((v) => Math.round(v * Screen.ratio / was));
        w.drawWith(factorOf(w));
    }
    fit();
    const [screenWidth, screenHeight] = size();
    for (const w of [...windows, early].filter(Boolean)) {
        const [x, y, width, height] = w.frame();
        const left = within(x, width, screenWidth);
        const top = within(y, height, screenHeight);
        if (left !== x || top !== y)
            w.moveTo(left, top);
    }
    Screen.styleRoot();
}

// Keys with no control focused (a window that holds none) go to the
// active window.
function key(e) {
    if (active && (document.activeElement === document.body || !document.activeElement))
        active.key(e);
}

// No browser menu over the windows, by a right click or a long press:
// a program of its era has none. A text box keeps its editing menu, as
// the system's edit control has one.
function menu(e) {
    if (e.target.closest && e.target.closest('.window') && !e.target.matches('input[type=text]'))
        e.preventDefault();
}

export function start() {
    el = document.getElementById('desktop');
    phone();
    Screen.styleRoot();
    document.fonts.ready.then(() => {
        if (Screen.calibrate())
            Screen.styleRoot();
    });
    window.addEventListener('resize', () => resized());
    Screen.watch(resized);
    document.addEventListener('contextmenu', menu);
    document.addEventListener('keydown', (e) => {
        if (e.target === document.body)
            key(e);
    });
}
