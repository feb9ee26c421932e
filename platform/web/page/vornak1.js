// The page's side of Vornak1 in the browser: it draws the program's windows
// on a desktop, and hands what the user does to the program (compiled to
// WebAssembly) through its entry points, one call at a time. It knows no
// particular window: the program sends each window's design and its
// controls' values, and every decision is the program's.
//
// A call may suspend the program (a busy pause, a message box). While a call
// has not returned, the page is frozen: a pane over the whole page takes
// every click and key, so that nothing reacts, highlights or repaints, and
// they are delivered afterwards, in order, as a queue of input does.
'use strict';

var Vornak = (function () {
    const windows = new Map();   // the program's window number -> Win
    const art = new Map();       // picture or icon name -> {url, greyKeyed}
    let desktop = null;
    let freezePane = null;
    let hourglass = false;
    let active = null;           // the active Win
    let topZ = 10;

    // --- Calls into the program, one at a time ----------------------------

    const queue = [];            // calls to make, and input held while frozen
    let running = false;
    let insertAt = -1;           // while held input is replayed: where its calls go
    let modal = null;            // the message box showing, if any

    function call(name, types, args) {
        return Module.ccall(name, null, types, args, { async: true });
    }

    // Asks the program to handle something the user did.
    function deliver(name, types, args) {
        const item = { call: () => call(name, types, args) };
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
        while (queue.length) {
            const item = queue.shift();
            if (item.held) {
                insertAt = 0;
                replay(item.held);
                insertAt = -1;
                continue;
            }
            freeze(true);
            try {
                await item.call();
            } finally {
                freeze(false);
            }
        }
        running = false;
    }

    function freeze(on) {
        freezePane.style.display = on ? 'block' : 'none';
    }

    // Input while frozen: kept, in order, and nothing else happens.
    const heldEvents = ['mousedown', 'mouseup', 'click', 'dblclick', 'keydown', 'keyup', 'keypress',
                        'contextmenu', 'pointerdown', 'pointerup', 'input', 'beforeinput', 'wheel'];
    function hold(e) {
        if (!running || !e.isTrusted || (modal && modal.contains(e.target)))
            return;
        // A pointer event is only stopped: cancelled, it would take the
        // mouse events that follow it with it.
        if (!e.type.startsWith('pointer'))
            e.preventDefault();
        e.stopImmediatePropagation();
        if (modal)
            return;  // a message box is up: the program's windows take nothing
        if (e.type === 'click' || e.type === 'dblclick' || e.type === 'mousedown')
            queue.push({ held: { type: e.type, x: e.clientX, y: e.clientY } });
        else if (e.type === 'keydown')
            queue.push({ held: { type: 'keydown', key: e.key, shiftKey: e.shiftKey, ctrlKey: e.ctrlKey,
                                 altKey: e.altKey, metaKey: e.metaKey } });
    }

    // Held input, given to the page as if it came now.
    function replay(h) {
        if (h.type === 'keydown') {
            const target = document.activeElement || document.body;
            target.dispatchEvent(new KeyboardEvent('keydown', Object.assign({ bubbles: true, cancelable: true }, h)));
            return;
        }
        const target = document.elementFromPoint(h.x, h.y);
        if (!target)
            return;
        if (h.type === 'mousedown') {
            // What a press of the mouse focuses, which a replayed press does not.
            const label = target.closest('label');
            const focusable = label ? label.control : target.closest('input, button, select, [role=listbox]');
            if (focusable && !focusable.closest('.title-bar')) {
                focusable.focus();
                if (focusable.type === 'text')
                    focusable.setSelectionRange(focusable.value.length, focusable.value.length);
            }
        }
        target.dispatchEvent(new MouseEvent(h.type, { bubbles: true, cancelable: true, clientX: h.x, clientY: h.y,
                                                      detail: h.type === 'dblclick' ? 2 : 1 }));
    }

    // --- The pieces: one a control type ------------------------------------

    function place(el, box) {
        el.style.left = box[0] + 'px';
        el.style.top = box[1] + 'px';
        el.style.width = box[2] + 'px';
        el.style.height = box[3] + 'px';
    }

    function id(win, index) {
        return 'w' + win.number + 'c' + index;
    }

    // A button, option or check box pressed by the user: the program decides,
    // and sets the option or check box as it decided while the click is
    // handled (the page's own toggle is left alone, or it would be undone
    // after the program's).
    function pressed(win, index) {
        return () => {
            win.activate();
            deliver('vornak_click', ['number', 'number'], [win.number, index]);
        };
    }

    // A listbox of rows, the folder and file lists.
    function listbox(win, c, index, label) {
        const el = document.createElement('div');
        el.className = 'listbox field-border';
        el.setAttribute('role', 'listbox');
        el.setAttribute('aria-label', label);
        el.tabIndex = -1;
        el.dataset.current = -1;
        el.rows = () => Array.from(el.children);
        el.mark = (row, selected) => {
            el.rows().forEach((r, i) => {
                r.classList.toggle('current', i === row);
                r.classList.toggle('selected', selected && i === row);
                r.setAttribute('aria-selected', selected && i === row ? 'true' : 'false');
            });
            el.dataset.current = row;
            const r = el.rows()[row];
            if (r)
                r.scrollIntoView({ block: 'nearest' });
        };
        return el;
    }

    function rowOf(list, e) {
        const row = e.target.closest('[role=option]');
        return row ? list.rows().indexOf(row) : -1;
    }

    const pieces = {
        Label: {
            make(win, c) {
                const el = document.createElement('div');
                el.className = 'label' + (c.centre ? ' centre' : '');
                if (c.ownColours) {
                    el.style.background = c.back;
                    el.style.color = c.fore;
                }
                return el;
            },
            show(el, s) { el.textContent = s.caption; },
        },
        CommandButton: {
            make(win, c, index) {
                const el = document.createElement('button');
                el.addEventListener('click', pressed(win, index));
                return el;
            },
            show(el, s) { el.textContent = s.caption; },
        },
        OptionButton: {
            make(win, c, index) { return choice(win, c, index, 'radio'); },
            show(el, s) {
                el.input.checked = s.value !== 0;
                el.input.tabIndex = s.value !== 0 ? 0 : -1;  // Tab reaches a group at its choice
                el.text.textContent = s.caption;
            },
        },
        CheckBox: {
            make(win, c, index) { return choice(win, c, index, 'checkbox'); },
            show(el, s) {
                el.input.checked = s.value === 1;
                el.text.textContent = s.caption;
            },
        },
        Frame: {
            make() {
                const el = document.createElement('fieldset');
                el.legend = document.createElement('legend');
                el.appendChild(el.legend);
                return el;
            },
            show(el, s) { el.legend.textContent = s.caption; },
        },
        TextBox: {
            make(win, c, index) {
                const el = document.createElement('input');
                el.type = 'text';
                el.spellcheck = false;
                el.autocomplete = 'off';
                el.addEventListener('input', () => deliver('vornak_edit', ['number', 'number', 'string'],
                                                           [win.number, index, el.value]));
                el.addEventListener('keydown', (e) => typeHeld(el, e));
                return el;
            },
            show(el, s) {
                if (el.value !== s.caption)
                    el.value = s.caption;
            },
        },
        Image: {
            make(win, c) {
                const el = document.createElement('div');
                el.className = 'image' + (c.border ? ' sunken' : '');
                el.setAttribute('aria-hidden', 'true');
                const picture = art.get(c.picture);
                if (picture)
                    el.appendChild(picture.make());
                return el;
            },
            show() {},
        },
        Line: {
            make(win, c) {
                // The design's four numbers are the two end points; the end
                // point itself is not drawn.
                const [x1, y1, x2, y2] = c.box;
                const el = document.createElement('canvas');
                el.className = 'line';
                el.setAttribute('aria-hidden', 'true');
                el.width = Math.abs(x2 - x1) + 1;
                el.height = Math.abs(y2 - y1) + 1;
                const g = el.getContext('2d');
                g.fillStyle = c.fore;
                const steps = Math.max(Math.abs(x2 - x1), Math.abs(y2 - y1));
                for (let i = 0; i < steps; ++i)
                    g.fillRect(Math.round((x1 - Math.min(x1, x2)) + (x2 - x1) * i / steps),
                               Math.round((y1 - Math.min(y1, y2)) + (y2 - y1) * i / steps), 1, 1);
                c.box = [Math.min(x1, x2), Math.min(y1, y2), el.width, el.height];
                return el;
            },
            show() {},
        },
        DriveListBox: {
            make(win, c, index) {
                const el = document.createElement('select');
                el.setAttribute('aria-label', 'Drives');
                el.addEventListener('change', () => deliver('vornak_select', ['number', 'number', 'number'],
                                                            [win.number, index, el.selectedIndex]));
                return el;
            },
            show(el, s) {
                el.replaceChildren(...s.lists.items.map((t) => new Option(t)));
                el.selectedIndex = s.lists.index;
            },
        },
        DirListBox: {
            make(win, c, index) {
                const el = listbox(win, c, index, 'Folders');
                el.addEventListener('mousedown', (e) => {
                    const row = rowOf(el, e);
                    if (row >= 0)
                        el.mark(row, true);
                });
                el.addEventListener('dblclick', (e) => {
                    const row = rowOf(el, e);
                    if (row >= 0)
                        deliver('vornak_open', ['number', 'number', 'number'], [win.number, index, row]);
                });
                el.addEventListener('keydown', (e) => {
                    const to = moved(el, e);
                    if (to !== null)
                        el.mark(to, true);
                });
                return el;
            },
            show(el, s) {
                el.replaceChildren(...s.lists.folders.map((f) => {
                    const row = document.createElement('div');
                    row.setAttribute('role', 'option');
                    row.className = f.open ? 'folder open' : 'folder';
                    row.style.paddingLeft = (2 + 7 * f.level) + 'px';
                    const name = document.createElement('span');
                    name.textContent = f.name;
                    row.appendChild(name);
                    return row;
                }));
                el.mark(s.lists.index, true);
            },
        },
        FileListBox: {
            make(win, c, index) {
                const el = listbox(win, c, index, 'Files');
                const choose = (row) => {
                    el.mark(row, true);
                    deliver('vornak_select', ['number', 'number', 'number'], [win.number, index, row]);
                };
                el.addEventListener('mousedown', (e) => {
                    const row = rowOf(el, e);
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
                    if (Number(el.dataset.current) < 0 && el.rows().length)
                        el.rows()[0].classList.add('current');
                });
                return el;
            },
            show(el, s) {
                el.replaceChildren(...s.lists.items.map((t) => {
                    const row = document.createElement('div');
                    row.setAttribute('role', 'option');
                    row.textContent = t;
                    return row;
                }));
                el.mark(s.lists.index, s.lists.index >= 0);
            },
        },
    };

    // An option button or a check box: the native input, its caption as its
    // label. The user's click is the program's to decide.
    function choice(win, c, index, type) {
        const el = document.createElement('div');
        el.className = 'choice';
        el.input = document.createElement('input');
        el.input.type = type;
        el.input.id = id(win, index);
        el.text = document.createElement('label');
        el.text.htmlFor = el.input.id;
        el.append(el.input, el.text);
        el.input.addEventListener('click', pressed(win, index));
        // The whole box takes the click, as the system's control does; the
        // focus rectangle goes round the caption alone.
        el.addEventListener('click', (e) => {
            if (e.target === el)
                el.input.click();
        });
        el.focusTarget = el.input;
        return el;
    }

    // The row an arrow key moves a list's highlight to, or null.
    function moved(list, e) {
        const n = list.rows().length;
        const at = Number(list.dataset.current);
        const to = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: n - 1 }[e.key];
        if (to === undefined || n === 0)
            return null;
        e.preventDefault();
        return Math.max(0, Math.min(n - 1, to < 0 ? 0 : to));
    }

    // A key held while frozen and given to a text box afterwards: the page
    // does not type a replayed key, so the piece types it.
    function typeHeld(el, e) {
        if (e.isTrusted || e.altKey || e.ctrlKey || e.metaKey)
            return;
        if (e.key.length === 1)
            el.setRangeText(e.key, el.selectionStart, el.selectionEnd, 'end');
        else if (e.key === 'Backspace' && el.selectionStart > 0)
            el.setRangeText('', el.selectionStart - (el.selectionStart === el.selectionEnd ? 1 : 0), el.selectionEnd, 'end');
        else
            return;
        e.preventDefault();
        el.dispatchEvent(new Event('input'));
    }

    // --- Windows -------------------------------------------------------------

    class Win {
        constructor(number, design) {
            this.number = number;
            this.design = design;
            this.controls = [];
            this.lastFocus = null;
            this.el = document.createElement('div');
            this.el.className = 'window';
            this.el.tabIndex = -1;  // takes the keys where no control can
            this.el.setAttribute('role', 'dialog');
            this.el.setAttribute('aria-label', design.caption);
            this.el.style.visibility = 'hidden';
            this.titleBar();
            this.body = document.createElement('div');
            this.body.className = 'client';
            this.body.style.width = design.width + 'px';
            this.body.style.height = design.height + 'px';
            this.el.appendChild(this.body);
            design.controls.forEach((c, index) => this.makeControl(c, index));
            this.nameFields();
            this.el.addEventListener('mousedown', () => this.activate(), true);
            this.el.addEventListener('keydown', (e) => this.key(e));
            this.el.addEventListener('focusin', (e) => {
                this.lastFocus = e.target;
                if (active !== this)
                    this.activate();
            });
            desktop.appendChild(this.el);
        }

        titleBar() {
            const bar = document.createElement('div');
            bar.className = 'title-bar';
            const text = document.createElement('div');
            text.className = 'title-bar-text';
            const icon = art.get(this.design.icon);
            if (icon) {
                const img = icon.make();
                img.className = 'icon';
                text.appendChild(img);
            }
            text.appendChild(document.createTextNode(this.design.caption));
            const controls = document.createElement('div');
            controls.className = 'title-bar-controls';
            const close = document.createElement('button');
            close.setAttribute('aria-label', 'Close');
            close.tabIndex = -1;
            close.addEventListener('click', (e) => {
                e.preventDefault();
                deliver('vornak_close', ['number'], [this.number]);
            });
            controls.appendChild(close);
            bar.append(text, controls);
            bar.addEventListener('pointerdown', (e) => this.drag(e));
            this.el.appendChild(bar);
            this.bar = bar;
        }

        makeControl(c, index) {
            const piece = pieces[c.type];
            const el = piece.make(this, c, index);
            el.classList.add('control');
            el.dataset.name = c.name;
            // What a frame holds is placed in the window beside it, at the
            // frame's corner plus its own place: a fieldset lays out what it
            // holds around its legend.
            const frame = c.parent >= 0 ? this.controls[c.parent].design.box : [0, 0];
            if (!c.type.startsWith('Line'))
                c.box = [frame[0] + c.box[0], frame[1] + c.box[1], c.box[2], c.box[3]];
            place(el, c.box);
            // Labels, images and lines lie under every control that is a
            // window of its own.
            el.style.zIndex = c.drawn ? 0 : 1;
            this.body.appendChild(el);
            const control = { el, piece, design: c, focusEl: el.focusTarget || el };
            if (!c.focus && control.focusEl.tabIndex !== undefined)
                control.focusEl.tabIndex = -1;
            this.controls.push(control);
            piece.show(el, c);
        }

        // A text box is named by the label in front of it on its row.
        nameFields() {
            this.controls.forEach((c) => {
                if (c.design.type !== 'TextBox')
                    return;
                const [x, y, , h] = c.design.box;
                const label = this.controls.find((l) => l.design.type === 'Label' && l.design.box[0] < x
                    && Math.abs(l.design.box[1] - y) < h);
                if (label)
                    c.el.setAttribute('aria-label', label.el.textContent);
            });
        }

        // The controls Tab walks, in order: an option group only at its choice.
        tabStops() {
            return this.controls
                .filter((c) => c.design.tab >= 0 && !(c.design.type === 'OptionButton' && !c.el.input.checked))
                .sort((a, b) => a.design.tab - b.design.tab);
        }

        focusFirst() {
            const first = this.controls.filter((c) => c.design.tab >= 0).sort((a, b) => a.design.tab - b.design.tab)[0];
            (first ? first.focusEl : this.el).focus({ preventScroll: true });
        }

        key(e) {
            const d = this.design;
            const target = this.controls.find((c) => c.focusEl === e.target || c.el === e.target);
            const character = e.altKey || e.metaKey ? null
                : e.key.length === 1 ? (e.ctrlKey ? e.key.toUpperCase().charCodeAt(0) & 0x1f : e.key.charCodeAt(0))
                : { Enter: 13, Escape: 27, Backspace: 8, Tab: 9 }[e.key] || null;
            if (d.keyPreview && character !== null) {
                e.preventDefault();
                deliver('vornak_key', ['number', 'number'], [this.number, character]);
                return;
            }
            if (e.key === 'Tab') {
                e.preventDefault();
                const stops = this.tabStops();
                const at = stops.findIndex((c) => c === target);
                const next = stops[(at + (e.shiftKey ? -1 : 1) + stops.length) % stops.length];
                if (next)
                    next.focusEl.focus();
                return;
            }
            if (!target)
                return;
            this.controlKey(target, e);
        }

        controlKey(target, e) {
            const type = target.design.type;
            const index = this.controls.indexOf(target);
            // Enter presses the focused button, Space presses a button or an
            // option or check box: the browser makes a click of a key the
            // user pressed now, this piece of a key held while frozen.
            const press = (e.key === 'Enter' && type === 'CommandButton')
                || (e.key === ' ' && ['CommandButton', 'OptionButton', 'CheckBox'].includes(type));
            if (press && !e.isTrusted) {
                e.preventDefault();
                deliver('vornak_click', ['number', 'number'], [this.number, index]);
            } else if (type === 'OptionButton' && e.key.startsWith('Arrow')) {
                e.preventDefault();
                const forward = e.key === 'ArrowDown' || e.key === 'ArrowRight';
                deliver('vornak_arrow', ['number', 'number', 'number'], [this.number, index, forward ? 1 : 0]);
            } else if ((e.key === 'Enter' && type !== 'CommandButton') || e.key === 'Escape') {
                e.preventDefault();  // no default or cancel button in these windows
            }
        }

        drag(e) {
            if (e.target.closest('button'))
                return;
            this.activate();
            const start = [e.clientX, e.clientY, this.el.offsetLeft, this.el.offsetTop];
            const move = (m) => {
                this.el.style.left = (start[2] + m.clientX - start[0]) + 'px';
                this.el.style.top = Math.max(0, start[3] + m.clientY - start[1]) + 'px';
            };
            const up = () => {
                window.removeEventListener('pointermove', move);
                window.removeEventListener('pointerup', up);
            };
            window.addEventListener('pointermove', move);
            window.addEventListener('pointerup', up);
        }

        activate() {
            this.el.style.zIndex = ++topZ;
            if (active === this)
                return;
            if (active)
                active.bar.classList.add('inactive');
            active = this;
            this.bar.classList.remove('inactive');
            const focus = this.lastFocus && this.el.contains(this.lastFocus) ? this.lastFocus : null;
            if (focus)
                focus.focus({ preventScroll: true });
            else
                this.focusFirst();
        }
    }

    function activateTop() {
        let top = null;
        for (const w of windows.values())
            if (w.el.style.display !== 'none' && (!top || Number(w.el.style.zIndex) > Number(top.el.style.zIndex)))
                top = w;
        active = null;
        if (top)
            top.activate();
    }

    // --- The program's calls ------------------------------------------------

    // A PNG of the program's, kept as an image; a picture on the classic grey
    // lets what lies under it show through that grey.
    function artwork(name, bytes, greyKeyed) {
        const url = URL.createObjectURL(new Blob([bytes], { type: 'image/png' }));
        const entry = { url, greyKeyed, ready: null };
        const img = new Image();
        entry.ready = img.decode ? new Promise((ok) => { img.onload = ok; img.src = url; }) : null;
        entry.make = () => {
            if (!greyKeyed) {
                const i = new Image();
                i.src = url;
                i.alt = '';
                return i;
            }
            const canvas = document.createElement('canvas');
            const draw = () => {
                canvas.width = img.naturalWidth;
                canvas.height = img.naturalHeight;
                const g = canvas.getContext('2d');
                g.drawImage(img, 0, 0);
                const data = g.getImageData(0, 0, canvas.width, canvas.height);
                for (let i = 0; i < data.data.length; i += 4)
                    if (data.data[i] === 0xc0 && data.data[i + 1] === 0xc0 && data.data[i + 2] === 0xc0)
                        data.data[i + 3] = 0;
                g.putImageData(data, 0, 0);
            };
            if (img.complete && img.naturalWidth)
                draw();
            else
                img.addEventListener('load', draw);
            return canvas;
        };
        art.set(name, entry);
    }

    function create(number, design) {
        windows.set(number, new Win(number, design));
    }

    // The frame of a window ([x, y, width, height]), or of the page's
    // desktop for window 0.
    function frame(number) {
        if (number === 0)
            return [0, 0, desktop.clientWidth, desktop.clientHeight];
        const w = windows.get(number);
        return w ? [w.el.offsetLeft, w.el.offsetTop, w.el.offsetWidth, w.el.offsetHeight] : [0, 0, 0, 0];
    }

    function show(number, placeIt, x, y) {
        const w = windows.get(number);
        if (!w)
            return;
        if (placeIt) {
            w.el.style.left = x + 'px';
            w.el.style.top = y + 'px';
        }
        w.el.style.visibility = 'visible';
        w.el.style.display = '';
        active = active === w ? null : active;
        w.activate();
    }

    function hide(number) {
        const w = windows.get(number);
        if (!w)
            return;
        w.el.style.display = 'none';
        if (active === w)
            activateTop();
    }

    function raise(number) {
        const w = windows.get(number);
        if (w)
            w.activate();
    }

    function destroy(number) {
        const w = windows.get(number);
        if (!w)
            return;
        windows.delete(number);
        w.el.remove();
        if (active === w)
            activateTop();
    }

    function update(number, index, state) {
        const w = windows.get(number);
        const c = w && w.controls[index];
        if (c)
            c.piece.show(c.el, state);
    }

    function focus(number, index) {
        const w = windows.get(number);
        const c = w && w.controls[index];
        if (c)
            c.focusEl.focus();
    }

    function cursor(on) {
        hourglass = on;
        document.body.classList.toggle('hourglass', on);
    }

    // A modal message with one OK button; resolves when it is dismissed.
    function message(title, text) {
        return new Promise((done) => {
            const box = document.createElement('div');
            box.className = 'window message';
            box.setAttribute('role', 'alertdialog');
            box.setAttribute('aria-label', title);
            box.innerHTML = '<div class="title-bar"><div class="title-bar-text"></div></div>'
                + '<div class="client"><div class="stop" aria-hidden="true"></div><div class="text"></div>'
                + '<button>OK</button></div>';
            box.querySelector('.title-bar-text').textContent = title;
            box.querySelector('.text').textContent = text;
            const ok = box.querySelector('button');
            const close = (e) => {
                e.preventDefault();
                box.remove();
                modal = null;
                done();
            };
            ok.addEventListener('click', close);
            ok.addEventListener('keydown', (e) => {
                if (['Enter', ' ', 'Escape'].includes(e.key))
                    close(e);
            });
            box.style.zIndex = 1000001;
            document.body.appendChild(box);
            box.style.left = Math.max(0, (window.innerWidth - box.offsetWidth) / 2) + 'px';
            box.style.top = Math.max(0, (window.innerHeight - box.offsetHeight) / 2) + 'px';
            modal = box;
            ok.focus();
        });
    }

    function quit() {
        for (const n of Array.from(windows.keys()))
            destroy(n);
        document.body.classList.add('ended');
    }

    function start() {
        desktop = document.getElementById('desktop');
        freezePane = document.getElementById('frozen');
        for (const type of heldEvents)
            window.addEventListener(type, hold, true);
    }

    return { start, art: artwork, create, frame, show, hide, raise, destroy, update, focus, cursor, message, quit,
             get busy() { return running; } };
})();

var Module = {
    preRun: [() => Vornak.start()],
};

// The dialog face, decoded while the program is being read and compiled
// rather than when the first window is laid out.
if (document.fonts)
    for (const weight of ['normal', 'bold'])
        document.fonts.load(weight + ' 11px "Pixelated MS Sans Serif"');
