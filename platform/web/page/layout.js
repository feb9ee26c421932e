// What the page measures to place things as the system would: the lines of
// a text, and each word of them at a whole pixel of its design (half-pixel
// centring smears the era's bitmap face over two pixels, and an engine whose
// letters come out a hair narrow at some ratios lets a long line drift off
// the pixels), and a control inside a frame, which
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

// A text, left-aligned or centred, as words the browser breaks into lines.
export function words(el, text, centred) {
    el.classList.add('laid');
    el.classList.toggle('centred', centred);
    // (each letter of a word in an element of its own, which is placed)
    el.replaceChildren(...text.split(' ').flatMap((word, i) => {
        const span = document.createElement('span');
        span.append(...Array.from(word, (letter) => {
            const l = document.createElement('span');
            l.textContent = letter;
            return l;
        }));
        return i ? [' ', span] : [span];
    }));
    texts.add(el);
    plan();
}

// A window shown again: its texts laid while it was hidden are laid anew.
export function shown(win) {
    win.querySelectorAll('.laid').forEach((el) => texts.add(el));
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
        // (a word's letters, where they have been placed, say where it is)
        const first = (w.firstElementChild || w).getBoundingClientRect();
        const r = { top: first.top, left: first.left, right: (w.lastElementChild || w).getBoundingClientRect().right };
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
    lines.forEach((l) => {
        l.width = (l.right - l.left) / s;
        l.at = l.words.map((w) => Array.from(w.children, (c) => Math.round((c.getBoundingClientRect().left - l.left) / s)));
    });
    lines.centred = el.classList.contains('centred');
    return lines;
}

function writeLines(el, lines) {
    // (a space at the end of each line but the last, as the text has it)
    el.replaceChildren(...lines.map((l, n) => {
        const div = document.createElement('div');
        div.className = 'line';
        const start = lines.centred ? Math.max(0, Math.floor((lines.room - Math.round(l.width)) / 2)) : 0;
        l.words.forEach((w, i) => Array.from(w.children).forEach((c, k) => { c.style.left = px(start + l.at[i][k]); }));
        div.append(...l.words.flatMap((w, i) => (i ? [' ', w] : [w])), ...(n < lines.length - 1 ? [' '] : []));
        return div;
    }));
}

function framed(el, box) {
    const outer = el.parentElement.getBoundingClientRect();
    const at = el.getBoundingClientRect();
    const s = scaleOf(el);
    return [Math.round(2 * box[0] - (at.left - outer.left) / s), Math.round(2 * box[1] - (at.top - outer.top) / s)];
}

