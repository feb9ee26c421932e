// The desktop the windows stand on: which window is active and which is in
// front, where the keys go, and the screen itself. Every title bar and close box
// stays on the screen: on a phone the page is laid out wide enough for the
// largest window shown, and the phone shows it whole (it can be zoomed into
// as any page); a window the screen's turning would leave off it comes back.
// A desktop browser keeps its own width: where a window is larger than the
// screen (a small or zoomed browser window), the page scrolls to show it.
import { border } from './windows.js';

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
    const bar = border[1] - 4;  // the border above the client area
    const [width, height] = size();
    win.el.style.left = Math.round(within(x, w, width)) + 'px';
    win.el.style.top = Math.round(within(y, bar, height)) + 'px';
}

// The page laid out wide enough for every window shown to fit the
// screen whole, title bar and close box too: a phone then shows the
// page smaller. Desktop browsers keep their own width.
export function fit(opening) {
    let need = [0, 0];
    for (const w of [...windows, opening, early])
        if (w && (w.visible || w === opening))
            need = [Math.max(need[0], w.frame()[2]), Math.max(need[1], w.frame()[3])];
    const landscape = innerWidth > innerHeight;
    const device = landscape ? Math.max(screen.width, screen.height) : Math.min(screen.width, screen.height);
    // (a few pixels to spare, for the browser's rounding of the height)
    const width = Math.ceil(Math.max(need[0], (need[1] + 4) * innerWidth / innerHeight));
    const meta = document.querySelector('meta[name=viewport]');
    const content = width > device ? 'width=' + width : 'width=device-width, initial-scale=1';
    if (meta.content !== content)
        meta.content = content;
}

// The screen the windows stand on, in whole pixels: the page's
// viewport, rounded down where a phone shows it at a scale.
export function size() {
    const root = document.documentElement;
    return [Math.min(innerWidth, root.clientWidth), Math.min(innerHeight, root.clientHeight)];
}

// The program's first window drawn before the program runs (page.js's start),
// where the program will place it: centred on the screen, and its top
// left corner on it. It stands until the program shows a window.
export function drawEarly(first) {
    document.documentElement.style.cssText = first.root;
    const holder = document.createElement('div');
    holder.innerHTML = first.window;
    const drawn = holder.firstElementChild;
    drawn.inert = true;
    // Placed by the size it was made with, before it is laid out: the
    // screen is measured while the page holds next to nothing.
    const [w, h] = [first.width, first.height];
    early = { el: drawn, visible: true,
              frame: () => [parseFloat(drawn.style.left) || 0, parseFloat(drawn.style.top) || 0, w, h] };
    fit();
    const centre = () => {
        const [width, height] = size();
        drawn.style.left = within(Math.trunc((width - w) / 2), w, width) + 'px';
        drawn.style.top = within(Math.trunc((height - h) / 2), h, height) + 'px';
    };
    centre();
    el.appendChild(drawn);
    // A window larger than the screen makes the page scroll, and its
    // scroll bar takes room from the screen: centred on what is left,
    // as the program will place it.
    if (w > innerWidth || h > innerHeight)
        centre();
}

export function dropEarly() {
    if (early)
        early.el.remove();
    early = null;
}

// After the screen turned or changed size: every window back on it.
function resized() {
    fit();
    const [screenWidth, screenHeight] = size();
    for (const w of [...windows, early].filter(Boolean)) {
        const [x, y, width, height] = w.frame();
        const left = within(x, width, screenWidth);
        const top = within(y, height, screenHeight);
        if (left !== x || top !== y) {
            w.el.style.left = left + 'px';
            w.el.style.top = top + 'px';
        }
    }
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
    document.documentElement.classList.toggle('fitted', matchMedia('(hover: none) and (pointer: coarse)').matches);
    window.addEventListener('resize', resized);
    document.addEventListener('contextmenu', menu);
    document.addEventListener('keydown', (e) => {
        if (e.target === document.body)
            key(e);
    });
}

