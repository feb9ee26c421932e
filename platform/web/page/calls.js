// The program's entry points, called one at a time. A call may suspend the
// program (a busy pause, a message box); while a call has not returned the
// page is frozen: a pane over the whole page takes every click, tap and key,
// so that nothing reacts, highlights or repaints, and they are delivered
// afterwards, in order, as a queue of input does. A call that fails ends
// the program with a message (Failure), and the page holds nothing more.
import { Failure } from './vornak.js';

const queue = [];            // calls to make, and input held while frozen
let running = false;
let starting = true;         // the program has not run yet
let ended = false;           // the program failed: nothing more is held or called
let insertAt = -1;           // while held input is replayed: where its calls go
let modal = null;            // the message box showing, if any
let pane = null;
let program = null;           // the program, once it runs

// The program has been made: calls go to it from now on.
export function connect(instance) {
    program = instance;
}

// A text goes to the program in memory of its own, never on the
// program's stack, whatever its length, and is freed when the call ends.
async function call(name, args) {
    const texts = [];
    try {
        const numbers = args.map((a) => {
            if (typeof a !== 'string')
                return a;
            const utf8 = new TextEncoder().encode(a);
            const at = program._malloc(utf8.length + 1);
            if (!at)
                throw new Error(`no memory for a text of ${a.length} characters`);
            texts.push(at);
            program.HEAPU8.set(utf8, at);
            program.HEAPU8[at + utf8.length] = 0;
            return at;
        });
        return await program.ccall(name, null, numbers.map(() => 'number'), numbers, { async: true });
    } finally {
        texts.forEach((at) => program._free(at));
    }
}

// Asks the program to handle something the user did:
// deliver('vornak_click', window, control).
export function deliver(name, ...args) {
    if (ended)
        return;
    const item = { call: () => call(name, args) };
    if (insertAt >= 0)
        queue.splice(insertAt++, 0, item);
    else
        queue.push(item);
    pump();
}

async function pump() {
    if (running)
        return;
    running = true;
    while (queue.length && !ended) {
        const item = queue.shift();
        if (item.held) {
            insertAt = 0;
            try {
                replay(item.held);
            } catch (e) {
                // An input that cannot be given back is lost, as a key
                // the system's full queue drops; the program goes on.
                console.warn('Vornak1: held input lost:', e);
            }
            insertAt = -1;
            continue;
        }
        pane.style.display = 'block';
        try {
            await item.call();
        } catch (e) {
            Failure.error(e);
        }
        if (!ended)
            pane.style.display = 'none';
    }
    running = false;
}

// Input while frozen: kept, in order, and nothing else happens.
// (A touch is let through to the pane, which takes the click it makes.)
const heldEvents = ['mousedown', 'mouseup', 'click', 'dblclick', 'keydown', 'keyup', 'keypress', 'contextmenu',
                    'pointerdown', 'pointerup', 'input', 'beforeinput', 'wheel'];
function hold(e) {
    if (!(running || starting) || ended || !e.isTrusted || (modal && modal.contains(e.target)))
        return;
    // A pointer event is only stopped: cancelled, it would take the
    // mouse events that follow it with it.
    if (!e.type.startsWith('pointer') && e.cancelable)
        e.preventDefault();
    e.stopImmediatePropagation();
    if (modal)
        return;  // a message box is up: the program's windows take nothing
    const held = heldInput(e);
    if (held)
        queue.push({ held });
}

function heldInput(e) {
    if (e.type === 'click' || e.type === 'dblclick' || e.type === 'mousedown')
        return { type: e.type, x: e.pageX, y: e.pageY };
    if (e.type === 'keydown')
        return { type: 'keydown', key: e.key, code: e.code, shiftKey: e.shiftKey, ctrlKey: e.ctrlKey,
                 altKey: e.altKey, metaKey: e.metaKey };
    // What a phone's own keyboard types comes as text, not as keys.
    if (e.type === 'beforeinput')
        return { type: 'beforeinput', inputType: e.inputType, data: e.data };
    return null;
}

// Held input, given to the page as if it came now.
function replay(h) {
    const focused = document.activeElement || document.body;
    if (h.type === 'keydown') {
        focused.dispatchEvent(new KeyboardEvent('keydown', Object.assign({ bubbles: true, cancelable: true }, h)));
        return;
    }
    if (h.type === 'text') {
        replayText(h.codes, focused);
        return;
    }
    if (h.type === 'beforeinput') {
        focused.dispatchEvent(new InputEvent('beforeinput', { bubbles: true, cancelable: true,
                                                              inputType: h.inputType, data: h.data }));
        return;
    }
    // (where it was on the page: the page may have scrolled since)
    const [x, y] = [h.x - scrollX, h.y - scrollY];
    const target = document.elementFromPoint(x, y);
    if (!target)
        return;
    // A press activates its window and focuses its control through the
    // pointer's own event, which a replayed mouse press lacks.
    if (h.type === 'mousedown')
        target.dispatchEvent(new PointerEvent('pointerdown', { bubbles: true, cancelable: true, clientX: x,
                                                               clientY: y, pointerType: 'mouse',
                                                               isPrimary: true }));
    target.dispatchEvent(new MouseEvent(h.type, { bubbles: true, cancelable: true, clientX: x, clientY: y,
                                                  detail: h.type === 'dblclick' ? 2 : 1 }));
}

// Characters typed at once, after the first (as char codes): held as the
// keys they are, given back in order once what runs has returned.
export function holdKeys(characters) {
    if (characters.length && !ended)
        queue.push({ held: { type: 'text', codes: characters } });
    pump();
}

// Held characters given back as keys, one after another, until one makes a
// call of the program's: the rest wait again after it, so that a window that
// pauses for a key pauses once, and what it shows takes the others.
function replayText(codes, focused) {
    for (let i = 0; i < codes.length; ++i) {
        const key = String.fromCharCode(codes[i]);
        const named = { 13: 'Enter', 8: 'Backspace', 27: 'Escape', 9: 'Tab' }[codes[i]] || key;
        const before = insertAt;
        (document.activeElement || focused).dispatchEvent(new KeyboardEvent('keydown', { bubbles: true, cancelable: true,
                                                                                       key: named }));
        if (insertAt !== before) {
            queue.splice(insertAt, 0, { held: { type: 'text', codes: codes.slice(i + 1) } });
            return;
        }
    }
}

// A message box: while it is up, it alone takes input.
export function setModal(box) {
    modal = box;
}

export function start() {
    pane = document.getElementById('frozen');
    pane.style.display = 'block';
    // (not passive: a wheel would scroll the page under the pause)
    for (const type of heldEvents)
        window.addEventListener(type, hold, { capture: true, passive: false });
}

// The program has run its start: what was held meanwhile is given to it.
export function started() {
    starting = false;
    pane.style.display = 'none';
    pump();
}

// The program failed: what is held is dropped, and nothing more is.
export function end() {
    ended = true;
    queue.length = 0;
}

export function busy() {
    return running || starting;
}
