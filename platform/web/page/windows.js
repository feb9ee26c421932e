// The program's windows on the page's desktop: a frame with a title bar
// that moves it and a close box, the controls its design lists made by
// their pieces, and the classic keyboard and focus. It knows no particular
// window: the program sends each window's design, laid out at the
// resolution the window is drawn at, and its controls' values. A window is
// drawn with a whole factor (screen.js) and stands on whole device pixels.
import * as Art from './art.js';
import * as Calls from './calls.js';
import * as Desktop from './desktop.js';
import * as Entry from 'vornak1-protocol';
import * as Layout from './layout.js';
import { pieces } from './pieces.js';
import { css, device, face, px, scale } from './screen.js';
import * as Touch from './touch.js';

export class Win {
    constructor(number, design, factor) {
        this.number = number;
        this.design = design;
        this.controls = [];
        this.lastFocus = null;
        this.at = [0, 0];            // the frame's top left corner on the desktop, in device pixels
        face(design.dpi);
        this.el = document.createElement('div');
        this.el.className = `window dpi${design.dpi}`;
        this.drawWith(factor);
        this.el.setAttribute('role', 'dialog');
        this.el.setAttribute('aria-label', design.caption);
        this.el.style.visibility = 'hidden';
        this.titleBar();
        this.body = document.createElement('div');
        this.body.className = 'client';
        this.body.style.width = px(design.width);
        this.body.style.height = px(design.height);
        this.el.appendChild(this.body);
        if (design.keyPreview)
            this.el.appendChild(Touch.keys(this.el, (typed) => this.typed(typed)));
        Desktop.add(this);
        design.controls.forEach((c, index) => this.makeControl(c, index));
        this.nameFields();
        this.el.addEventListener('pointerdown', (e) => this.press(e), true);
        this.el.addEventListener('mousedown', (e) => this.keepFocus(e));
        this.el.addEventListener('keydown', (e) => this.key(e));
        this.el.addEventListener('focusin', (e) => Desktop.focusIn(this, e.target));
    }

    // The first window as the page's markup holds it, made with its design
    // when the page was built: a window to look at, which takes no input.
    static adopt(el, design) {
        const win = Object.create(Win.prototype);
        Object.assign(win, { number: 0, design, controls: [], lastFocus: null, at: [0, 0], el,
                             bar: el.querySelector('.title-bar') });
        return win;
    }

    titleBar() {
        const bar = document.createElement('div');
        bar.className = 'title-bar';
        const text = document.createElement('div');
        text.className = 'title-bar-text';
        text.append(Art.icon(this.design.icon), this.design.caption);
        const controls = document.createElement('div');
        controls.className = 'title-bar-controls';
        const close = document.createElement('button');
        close.setAttribute('aria-label', 'Close');
        close.tabIndex = -1;
        close.addEventListener('click', (e) => {
            e.preventDefault();
            Calls.deliver(Entry.close, this.number);
        });
        controls.appendChild(close);
        bar.append(text, controls);
        bar.addEventListener('pointerdown', (e) => this.drag(e));
        this.el.appendChild(bar);
        this.bar = bar;
    }

    makeControl(c, index) {
        const piece = pieces[c.piece];
        const el = piece.create(c);
        el.classList.add('control');
        el.dataset.name = c.name;
        // A frame's controls lie inside it, placed from its outer corner.
        const parent = c.parent >= 0 ? this.controls[c.parent].el : this.body;
        place(el, c.box);
        el.style.zIndex = c.stack;
        parent.appendChild(el);
        if (parent !== this.body)
            Layout.inFrame(el, c.box);
        const control = { el, piece, design: c, focusEl: el.focusTarget || el, value: c.value };
        if (control.focusEl.tabIndex !== undefined)
            control.focusEl.tabIndex = -1;  // Tab is the window's, in the design's order
        this.controls.push(control);
        piece.show(el, c);
        piece.report(el, this.tell(index));
    }

    // What a control shows now.
    update(index, shown) {
        const c = this.controls[index];
        if (!c)
            return;
        if ('value' in shown)
            c.value = shown.value;
        c.piece.show(c.el, shown);
    }

    // What a piece reports, as calls of the program's entry points.
    tell(index) {
        const n = this.number;
        return {
            click: () => Calls.deliver(Entry.click, n, index),
            select: (row) => Calls.deliver(Entry.select, n, index, row),
            open: (row) => Calls.deliver(Entry.open, n, index, row),
            edit: (text) => Calls.deliver(Entry.edit, n, index, text),
            arrow: (forward) => Calls.deliver(Entry.arrow, n, index, forward ? 1 : 0),
        };
    }

    // A control named by a label (a text box by the one on its row).
    nameFields() {
        for (const c of this.controls)
            if (c.design.labelledBy >= 0)
                c.el.setAttribute('aria-label', this.controls[c.design.labelledBy].el.textContent);
    }

    // The innermost control whose element holds a node, or null.
    controlAt(node) {
        const el = node.closest && node.closest('.control');
        return el ? this.controls.find((c) => c.el === el) || null : null;
    }

    // A press anywhere activates the window. A press on a control that
    // takes the focus gives it the focus, in every engine (some leave a
    // clicked button unfocused).
    press(e) {
        if (e.button !== 0 && e.pointerType === 'mouse')
            return;
        Desktop.pressedIn(this);
        Desktop.activate(this);
        const c = this.controlAt(e.target);
        if (c && c.design.tab >= 0 && !e.target.closest('.scrollbar') && document.activeElement !== c.focusEl)
            Touch.focus(c.focusEl, true);
    }

    // A press on what cannot take the focus (a label, a picture, a frame,
    // the client area, the title bar) leaves the focus where it was.
    keepFocus(e) {
        const c = this.controlAt(e.target);
        const native = c && c.design.tab >= 0 && c.focusEl.contains(e.target) && !e.target.closest('.scrollbar');
        if (!native)
            e.preventDefault();
    }

    // The controls that take the focus, in the design's tab order.
    inTabOrder() {
        return this.controls.filter((c) => c.design.tab >= 0).sort((a, b) => a.design.tab - b.design.tab);
    }

    // The controls Tab walks, in order: an option group only at its choice.
    tabStops() {
        return this.inTabOrder().filter((c) => !c.design.tabWhenChosen || c.value);
    }

    focusFirst() {
        const first = this.inTabOrder()[0];
        if (first)
            Touch.focus(first.focusEl);
        else if (document.activeElement && document.activeElement !== document.body)
            document.activeElement.blur();  // the keys go to the window itself
    }

    // The focus back where it was when the window was last active.
    restoreFocus() {
        if (this.lastFocus && this.el.contains(this.lastFocus))
            Touch.focus(this.lastFocus);
        else
            this.focusFirst();
    }

    key(e) {
        if (this.design.keyPreview && this.character(characterOf(e)))
            e.preventDefault();
        else if (e.key === 'Tab')
            this.tab(e);
        else if (e.key === 'Escape' || (e.key === 'Enter' && !e.target.matches('button')))
            e.preventDefault();  // no default or cancel button in these windows
    }

    // Characters typed at once, as keys pressed one after another: the first
    // goes to this window, the others wait, as keys do while the program
    // is busy, and go to the window on top by then.
    typed(characters) {
        this.character(characters[0]);
        Calls.holdKeys(characters.slice(1));
    }

    // A key that produces a character, for a form that previews keys.
    character(ch) {
        if (ch === null || !this.design.keyPreview)
            return false;
        Calls.deliver(Entry.key, this.number, ch);
        return true;
    }

    tab(e) {
        e.preventDefault();
        const stops = this.tabStops();
        const at = stops.findIndex((c) => c.el.contains(e.target));
        const next = stops[(at + (e.shiftKey ? -1 : 1) + stops.length) % stops.length];
        if (next)
            next.focusEl.focus();
    }

    // The title bar moves the window, by mouse or by finger.
    drag(e) {
        if (!e.isTrusted || e.target.closest('button') || (e.button !== 0 && e.pointerType === 'mouse'))
            return;  // (a press given back after a pause drags nothing)
        const [left, top] = this.frame();
        Touch.follow(this.bar, e, (m) => Desktop.moveTo(this, left + device(m.clientX - e.clientX),
                                                        top + device(m.clientY - e.clientY)));
    }

    // The frame in device pixels: [x, y, width, height], known without
    // laying the page out.
    frame() {
        return [...this.at, ...frameSize(this.design, this.factor)];
    }

    // The frame's top left corner put at a point of the desktop.
    moveTo(x, y) {
        this.at = [x, y];
        this.el.style.left = css(x) + 'px';
        this.el.style.top = css(y) + 'px';
    }

    // Every pixel of the design a block of factor x factor device pixels.
    drawWith(factor) {
        this.factor = factor;
        this.el.style.setProperty('--s', scale(factor));
        this.moveTo(...this.at);
    }

    get visible() {
        return this.el.style.visibility !== 'hidden' && this.el.style.display !== 'none';
    }
}

// What a window's frame adds to its client area, in pixels of its design,
// as vornak1.css draws it: a border of 3 pixels (98.css's .window), the
// title bar (its text's height and a pixel, and two of padding above and
// below) and a pixel between the bar and the client area.
const bars = { 96: 14, 120: 17, 144: 21 };
export function border(dpi) {
    return [3 + 3, 3 + (2 + bars[dpi] + 2) + 1 + 3];
}

// The size in device pixels of the frame of a window of a design (its
// client area's width and height at its dpi) drawn with a factor.
export function frameSize({ width, height, dpi }, factor) {
    const [bw, bh] = border(dpi);
    return [(width + bw) * factor, (height + bh) * factor];
}

// The character a key produces, as the era's platform makes it, or null.
function characterOf(e) {
    if (e.altKey || e.metaKey)
        return null;
    if (e.key.length === 1)
        return e.ctrlKey ? e.key.toUpperCase().charCodeAt(0) & 0x1f : e.key.charCodeAt(0);
    return { Enter: 13, Escape: 27, Backspace: 8, Tab: 9 }[e.key] || null;
}

function place(el, box) {
    el.style.left = px(box[0]);
    el.style.top = px(box[1]);
    el.style.width = px(box[2]);
    el.style.height = px(box[3]);
}
