// The pieces: one a control type, each with the same three duties.
//   create(c)         the control's element, from its design c
//   show(el, s)       shows the control's state s (caption, value, lists)
//   report(el, tell)  passes what the user does on the element to the
//                     program: tell.click(), tell.select(row),
//                     tell.open(row), tell.edit(text), tell.arrow(forward)
// A piece may also say where the focus goes in it (el.focusTarget). Every
// decision is the program's: a piece shows what the program says and
// reports, nothing more; where each control lies, the program says too.
import * as Art from './art.js';
import * as Layout from './layout.js';
import { px } from './screen.js';
import * as Scrollbar from './scrollbar.js';
import * as Touch from './touch.js';

let ids = 0;

// A key held while the page was frozen comes back untrusted, and the
// browser does nothing with it by itself: the piece acts for it.
function held(e, keys) {
    return !e.isTrusted && keys.includes(e.key) && !e.altKey && !e.ctrlKey && !e.metaKey;
}

// --- Lists --------------------------------------------------------------

// A list box of rows with the classic scroll bar, drawn the same in
// every engine: the rows scroll in a box of their own whose scroll bar
// the browser does not draw.
function listbox(name) {
    const el = document.createElement('div');
    el.className = 'listbox field-border';
    el.setAttribute('role', 'listbox');
    el.setAttribute('aria-label', name);
    el.tabIndex = -1;
    el.rowsBox = document.createElement('div');
    el.rowsBox.className = 'rows';
    el.append(el.rowsBox, Scrollbar.make(el.rowsBox));
    el.current = -1;
    el.rows = () => Array.from(el.rowsBox.children);
    el.mark = (row, selected) => mark(el, row, selected);
    return el;
}

function mark(list, row, selected) {
    list.rows().forEach((r, i) => {
        r.classList.toggle('current', i === row);
        r.classList.toggle('selected', selected && i === row);
        r.setAttribute('aria-selected', selected && i === row ? 'true' : 'false');
    });
    list.current = row;
    const r = list.rows()[row];
    if (r)
        Scrollbar.reveal(list.rowsBox, r);
}

function rowOf(list, e) {
    const row = e.target.closest('[role=option]');
    return row ? list.rows().indexOf(row) : -1;
}

// The row an arrow key moves a list's highlight to, or null.
function moved(list, e) {
    const n = list.rows().length;
    const to = { ArrowDown: list.current + 1, ArrowUp: list.current - 1, Home: 0, End: n - 1 }[e.key];
    if (to === undefined || n === 0)
        return null;
    e.preventDefault();
    return Math.max(0, Math.min(n - 1, to));
}

function option(text) {
    const row = document.createElement('div');
    row.setAttribute('role', 'option');
    row.textContent = text;
    return row;
}

// An element holding one other, which it keeps as el[name] (a button's
// caption, a frame's legend).
function holding(tag, innerTag, name) {
    const el = document.createElement(tag);
    el[name] = el.appendChild(document.createElement(innerTag));
    return el;
}

// --- Choices ------------------------------------------------------------

// An option button or a check box: the native input and its caption.
// A click anywhere in the box is the program's to decide; the input
// takes the focus, which the focus rectangle shows round the caption.
function choice(type) {
    const el = document.createElement('div');
    el.className = 'choice';
    el.input = document.createElement('input');
    el.input.type = type;
    el.text = document.createElement('label');
    el.text.id = 'caption' + ++ids;
    el.input.setAttribute('aria-labelledby', el.text.id);
    el.append(el.input, el.text);
    el.focusTarget = el.input;
    return el;
}

function reportChoice(el, tell, arrows) {
    el.addEventListener('click', () => tell.click());
    el.input.addEventListener('keydown', (e) => {
        if (held(e, [' '])) {
            e.preventDefault();
            tell.click();
        } else if (arrows && e.key.startsWith('Arrow') && !e.altKey && !e.ctrlKey && !e.metaKey) {
            e.preventDefault();
            tell.arrow(e.key === 'ArrowDown' || e.key === 'ArrowRight');
        }
    });
}

// --- The pieces ---------------------------------------------------------

export const pieces = {
    Label: {
        create(c) {
            const el = document.createElement('div');
            el.className = 'label' + (c.centre ? ' centre' : '');
            if (c.ownColours) {
                el.style.background = c.back;
                el.style.color = c.fore;
                el.dataset.designColours = '';
            }
            return el;
        },
        show(el, s) { Layout.words(el, s.caption, el.classList.contains('centre')); },
        report() {},
    },
    CommandButton: {
        create() { return holding('button', 'span', 'caption'); },
        show(el, s) { Layout.words(el.caption, s.caption, true); },
        report(el, tell) {
            el.addEventListener('click', () => tell.click());
            el.addEventListener('keydown', (e) => {
                if (held(e, ['Enter', ' '])) {
                    e.preventDefault();
                    tell.click();
                }
            });
        },
    },
    OptionButton: {
        create() { return choice('radio'); },
        show(el, s) {
            el.input.checked = s.value !== 0;
            el.text.textContent = s.caption;
        },
        report(el, tell) { reportChoice(el, tell, true); },
    },
    CheckBox: {
        create() { return choice('checkbox'); },
        show(el, s) {
            el.input.checked = s.value === 1;
            el.text.textContent = s.caption;
        },
        report(el, tell) { reportChoice(el, tell, false); },
    },
    Frame: {
        create() { return holding('fieldset', 'legend', 'legend'); },
        show(el, s) { el.legend.textContent = s.caption; },
        report() {},
    },
    TextBox: {
        create() {
            const el = document.createElement('input');
            el.type = 'text';
            el.spellcheck = false;
            el.autocomplete = 'off';
            return el;
        },
        show(el, s) {
            if (el.value !== s.caption)
                el.value = s.caption;
        },
        report(el, tell) {
            el.addEventListener('input', () => tell.edit(el.value));
            el.addEventListener('keydown', (e) => typeHeld(el, e));
            el.addEventListener('beforeinput', (e) => typeHeld(el, e));
        },
    },
    Image: {
        create(c) {
            const el = document.createElement('div');
            el.className = 'image' + (c.border ? ' sunken' : '');
            el.setAttribute('aria-hidden', 'true');
            if (c.picture) {
                const picture = el.appendChild(Art.picture(c.picture));
                picture.style.width = px(c.pictureSize[0]);
                picture.style.height = px(c.pictureSize[1]);
            }
            return el;
        },
        show() {},
        report() {},
    },
    Line: {
        create(c) { return line(c); },
        show() {},
        report() {},
    },
    DriveList: {
        create() {
            const el = document.createElement('select');
            el.setAttribute('aria-label', 'Drives');
            return el;
        },
        show(el, s) {
            el.replaceChildren(...s.items.map((t) => new Option(t)));
            el.selectedIndex = s.index;
        },
        report(el, tell) { el.addEventListener('change', () => tell.select(el.selectedIndex)); },
    },
    FolderList: {
        create() { return listbox('Folders'); },
        show(el, s) {
            el.rowsBox.replaceChildren(...s.folders.map((f) => {
                const row = option('');
                row.className = f.open ? 'folder open' : 'folder';
                row.style.paddingLeft = px(2 + f.indent);
                const name = document.createElement('span');
                name.textContent = f.name;
                row.appendChild(name);
                return row;
            }));
            el.mark(s.index, true);
            Scrollbar.update(el.rowsBox);
        },
        report(el, tell) {
            el.addEventListener('mousedown', (e) => {
                const row = e.button === 0 ? rowOf(el, e) : -1;
                if (row >= 0)
                    el.mark(row, true);
            });
            Touch.doubleTap(el, (e) => rowOf(el, e), (row) => {
                if (row >= 0)
                    tell.open(row);
            });
            el.addEventListener('keydown', (e) => {
                const to = moved(el, e);
                if (to !== null)
                    el.mark(to, true);
            });
        },
    },
    FileList: {
        create() { return listbox('Files'); },
        show(el, s) {
            el.rowsBox.replaceChildren(...s.items.map(option));
            el.mark(s.index, s.index >= 0);
            Scrollbar.update(el.rowsBox);
        },
        report(el, tell) {
            const choose = (row) => {
                el.mark(row, true);
                tell.select(row);
            };
            el.addEventListener('mousedown', (e) => {
                const row = e.button === 0 ? rowOf(el, e) : -1;  // a right click chooses nothing
                if (row >= 0)
                    choose(row);
            });
            el.addEventListener('keydown', (e) => {
                const to = moved(el, e);
                if (to !== null)
                    choose(to);
            });
            // The focus shows on a row without choosing it.
            el.addEventListener('focus', () => {
                if (el.current < 0 && el.rows().length)
                    el.rows()[0].classList.add('current');
            });
        },
    },
};

// A line from its first point to its second, in its box, one pixel wide
// in its colour, the end point not drawn: its pixels as squares of a
// picture as large as its box, which any whole factor draws sharp.
function line(c) {
    const [x1, y1, x2, y2] = c.line;
    const svg = 'http://www.w3.org/2000/svg';
    const el = document.createElementNS(svg, 'svg');
    el.setAttribute('class', 'line');
    el.setAttribute('aria-hidden', 'true');
    el.setAttribute('viewBox', `0 0 ${c.box[2]} ${c.box[3]}`);
    el.setAttribute('preserveAspectRatio', 'none');
    el.setAttribute('shape-rendering', 'crispEdges');
    const steps = Math.max(Math.abs(x2 - x1), Math.abs(y2 - y1));
    const pixels = Array.from({ length: steps },
                              (_, i) => [Math.round(x1 + (x2 - x1) * i / steps), Math.round(y1 + (y2 - y1) * i / steps)]);
    // (the pixels side by side in a row, or one above another in a column,
    // one rectangle)
    let d = '';
    for (let i = 0; i < steps;) {
        const run = (axis) => {
            let n = 1;
            while (i + n < steps && pixels[i + n][1 - axis] === pixels[i][1 - axis]
                   && Math.abs(pixels[i + n][axis] - pixels[i][axis]) === n)
                ++n;
            return n;
        };
        const [across, down] = [run(0), run(1)];
        const n = Math.max(across, down);
        const [left, top] = [0, 1].map((axis) => Math.min(pixels[i][axis], pixels[i + n - 1][axis]));
        d += across >= down ? `M${left} ${top}h${n}v1h-${n}z` : `M${left} ${top}h1v${n}h-1z`;
        i += n;
    }
    const path = el.appendChild(document.createElementNS(svg, 'path'));
    path.setAttribute('d', d);
    path.setAttribute('fill', c.fore);
    return el;
}

// A key, or a phone keyboard's text, held while frozen and given to a
// text box afterwards: the page does not type a replayed one, so the
// piece types it.
function typeHeld(el, e) {
    if (e.isTrusted || e.altKey || e.ctrlKey || e.metaKey)
        return;
    const text = e.type === 'beforeinput' ? (e.inputType.startsWith('insert') && e.data) || '' : e.key;
    const erase = e.type === 'beforeinput' ? e.inputType === 'deleteContentBackward' : e.key === 'Backspace';
    if (text.length === 1 || (e.type === 'beforeinput' && text))
        el.setRangeText(text, el.selectionStart, el.selectionEnd, 'end');
    else if (erase && el.selectionStart > 0)
        el.setRangeText('', el.selectionStart - (el.selectionStart === el.selectionEnd ? 1 : 0), el.selectionEnd, 'end');
    else
        return;
    e.preventDefault();
    el.dispatchEvent(new Event('input'));
}

