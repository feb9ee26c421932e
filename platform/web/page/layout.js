// What the page measures to place things as the system would: the lines of
// a centred text, each at a whole pixel of its design (half-pixel centring
// smears the era's bitmap face over two pixels), and a control inside a
// frame, which
// the browser places from inside the frame's border and below its caption,
// by as much as that engine makes them. All is measured together, once a
// frame, before the frame is drawn: measuring as each control is made would
// lay the page out again and again.
import { px } from './screen.js';

const texts = new Set();
const inFrames = new Map();  // element -> its box from the frame's outer corner
let planned = false;

function plan() {
    if (!planned) {
        planned = true;
        requestAnimationFrame(settle);
    }
}

// A centred text, as words the browser breaks into lines.
export function centre(el, text) {
    el.classList.add('centred');
    el.replaceChildren(...text.split(' ').flatMap((word, i) => {
        const span = document.createElement('span');
        span.textContent = word;
        return i ? [' ', span] : [span];
    }));
    texts.add(el);
    plan();
}

// A window shown again: its centred texts laid while it was hidden are
// laid anew.
export function shown(win) {
    win.querySelectorAll('.centred').forEach((el) => texts.add(el));
    plan();
}

export function inFrame(el, box) {
    inFrames.set(el, box);
    plan();
}

function settle() {
    planned = false;
    if (document.fonts && document.fonts.status !== 'loaded') {
        document.fonts.ready.then(() => plan());
        return;
    }
    // Everything read first, then everything written.
    const lines = Array.from(texts, (el) => [el, readLines(el)]).filter(([, l]) => l);
    const moves = Array.from(inFrames, ([el, box]) => [el, framed(el, box)]);
    texts.clear();
    inFrames.clear();
    lines.forEach(([el, l]) => writeLines(el, l));
    moves.forEach(([el, at]) => {
        el.style.left = px(at[0]);
        el.style.top = px(at[1]);
    });
}

// The CSS pixels a pixel of the design of an element's window takes.
function scaleOf(el) {
    return parseFloat(getComputedStyle(el).getPropertyValue('--s')) || 1;
}

// The lines the browser made of the words, with the room they have, in
// pixels of the design; null for a text not laid out (in a hidden window),
// which waits.
function readLines(el) {
    const words = Array.from(el.querySelectorAll(':scope > span, :scope > .line > span'));
    if (!words.length || !el.getClientRects().length)
        return null;
    const lines = [];
    for (const w of words) {
        const r = w.getBoundingClientRect();
        const last = lines[lines.length - 1];
        if (last && Math.abs(last.top - r.top) < 1) {
            last.words.push(w);
            last.right = r.right;
        } else {
            lines.push({ top: r.top, left: r.left, right: r.right, words: [w] });
        }
    }
    const style = getComputedStyle(el);
    const s = scaleOf(el);
    lines.room = (el.getBoundingClientRect().width - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight)) / s;
    lines.forEach((l) => { l.width = (l.right - l.left) / s; });
    return lines;
}

function writeLines(el, lines) {
    el.replaceChildren(...lines.map((l) => {
        const div = document.createElement('div');
        div.className = 'line';
        div.style.paddingLeft = px(Math.max(0, Math.floor((lines.room - Math.round(l.width)) / 2)));
        div.append(...l.words.flatMap((w, i) => (i ? [' ', w] : [w])));
        return div;
    }));
}

function framed(el, box) {
    const outer = el.parentElement.getBoundingClientRect();
    const at = el.getBoundingClientRect();
    const s = scaleOf(el);
    return [Math.round(2 * box[0] - (at.left - outer.left) / s), Math.round(2 * box[1] - (at.top - outer.top) / s)];
}

