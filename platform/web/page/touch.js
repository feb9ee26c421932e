// What a finger needs that a mouse and a keyboard do not: the phone's own
// keyboard for a window that waits for a key, a double tap where an engine
// makes no double-click of it, the hourglass drawn where the finger was
// (a finger has no pointer to change), and no keyboard raised by a text box
// the program focused unasked. A desktop user sees none of it.
let pointer = 'mouse';       // what made the last press: mouse, pen or touch
let point = [0, 0];
let hourglass = null;

function pressed(e) {
    pointer = e.pointerType || 'mouse';
    point = [e.clientX, e.clientY];
    // A text box touched on purpose raises the keyboard again.
    if (byFinger() && e.target.matches && e.target.matches('input[type=text]'))
        e.target.removeAttribute('inputmode');
    // A touch while the page is busy: the hourglass under the finger.
    if (document.body.classList.contains('hourglass'))
        cursor(true);
}

export function byFinger() {
    return pointer === 'touch' || pointer === 'pen';
}

// Focuses a control. One the user pressed raises the phone's keyboard
// if it takes text; one the program or its window focused after a
// touch does not.
export function focus(el, pressedByUser = false) {
    if (pressedByUser)
        el.removeAttribute('inputmode');
    else if (byFinger() && el.matches('input[type=text]'))
        el.setAttribute('inputmode', 'none');
    el.focus({ preventScroll: true });
}

// Calls open(target) for a double tap on what within(e) finds (a
// list's row): the second tap of two near each other in time and place.
// A double-click that an engine makes of those taps is then left out.
export function doubleTap(el, within, open) {
    let last = null;
    el.addEventListener('click', (e) => {
        if (!byFinger())
            return;
        const target = within(e);
        const now = e.timeStamp;
        const near = last && last.target === target && now - last.at < 500
            && Math.hypot(e.clientX - last.x, e.clientY - last.y) < 24;
        last = near ? null : { target, at: now, x: e.clientX, y: e.clientY };
        if (near && target !== null)
            open(target);
    });
    el.addEventListener('dblclick', (e) => {
        if (!byFinger())
            open(within(e));
    });
}

// The keys of a window that takes characters rather than controls (the
// form previews keys and holds nothing that can take the focus): an
// editable element kept out of sight, which a tap on the window focuses
// so that the phone raises its keyboard. What that keyboard types comes
// as text and goes to key(characters): a word or a paste at once is the
// keys it holds.
export function keys(win, key) {
    const el = document.createElement('textarea');
    el.className = 'keys';
    el.tabIndex = -1;
    el.setAttribute('aria-label', 'Keyboard');
    for (const [name, value] of [['autocapitalize', 'off'], ['autocomplete', 'off'], ['autocorrect', 'off'],
                                 ['spellcheck', 'false'], ['enterkeyhint', 'enter']])
        el.setAttribute(name, value);
    el.addEventListener('beforeinput', (e) => {
        const typed = characters(e.inputType, e.data);
        if (!e.cancelable)
            return;  // a keyboard composing a word: its text is read when it comes
        e.preventDefault();
        if (typed.length)
            key(typed);
    });
    el.addEventListener('input', () => {
        if (el.value)
            key(Array.from(el.value, (ch) => ch.charCodeAt(0)));
        el.value = '';
    });
    win.addEventListener('pointerup', (e) => {
        if (e.pointerType === 'touch' && !e.target.closest('.title-bar'))
            el.focus({ preventScroll: true });
    });
    return el;
}

// Follows a press on an element until it ends, by a mouse or a finger:
// the pointer is the element's until it is let go or the browser takes
// it back, and move(e) hears where it goes; nothing is left listening
// afterwards. A press held while the page was frozen and given back
// afterwards has no pointer any more: it is over at once.
export function follow(el, press, move, end = () => {}) {
    if (!press.isTrusted) {
        end();
        return;
    }
    try {
        el.setPointerCapture(press.pointerId);
    } catch (e) {
        end();  // the browser has already taken the pointer back
        return;
    }
    const done = () => {
        el.removeEventListener('pointermove', move);
        for (const type of ['pointerup', 'pointercancel', 'lostpointercapture'])
            el.removeEventListener(type, done);
        end();
    };
    el.addEventListener('pointermove', move);
    for (const type of ['pointerup', 'pointercancel', 'lostpointercapture'])
        el.addEventListener(type, done);
}

// The characters an input of the phone's keyboard stands for.
function characters(inputType, data) {
    if (inputType === 'insertLineBreak' || inputType === 'insertParagraph')
        return [13];
    if (inputType === 'deleteContentBackward')
        return [8];
    if (inputType.startsWith('insert') && data)
        return Array.from(data, (ch) => ch.charCodeAt(0));
    return [];
}

// The hourglass where the finger last was, while the program is busy.
export function cursor(on) {
    hourglass.style.display = on && byFinger() ? 'block' : 'none';
    hourglass.style.left = `calc(${point[0]}px - var(--s) * 16px)`;
    hourglass.style.top = `calc(${point[1]}px - var(--s) * 16px)`;
}

export function start() {
    hourglass = document.getElementById('hourglass');
    window.addEventListener('pointerdown', pressed, true);
}

