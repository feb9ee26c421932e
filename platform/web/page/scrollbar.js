// The classic vertical scroll bar of a list, drawn by the page so that it
// looks and behaves the same in every engine: arrows that scroll a row (and
// go on while held), a track that pages, a thumb that drags. It shows only
// while the rows do not fit, as the system's list boxes do. The rows still
// scroll by the wheel and by a finger.
import { px } from './screen.js';
import * as Touch from './touch.js';
const width = 16;

export function make(rows) {
    const bar = document.createElement('div');
    bar.className = 'scrollbar';
    bar.setAttribute('aria-hidden', 'true');
    const up = part(bar, 'up'), track = part(bar, 'track'), down = part(bar, 'down');
    const thumb = part(track, 'thumb');
    rows.bar = { bar, track, thumb };
    repeat(up, () => rows.scrollBy(0, -step(rows)));
    repeat(down, () => rows.scrollBy(0, step(rows)));
    repeat(track, (e) => {
        const above = e.clientY < thumb.getBoundingClientRect().top;
        rows.scrollBy(0, (above ? -1 : 1) * rows.clientHeight);
    });
    drag(thumb, rows);
    rows.addEventListener('scroll', () => place(rows));
    // A window that was hidden lays its lists out again when it shows.
    new ResizeObserver(() => update(rows)).observe(rows);
    return bar;
}

function part(parent, name) {
    const el = document.createElement('div');
    el.className = name;
    parent.appendChild(el);
    return el;
}

function step(rows) {
    return rows.firstElementChild ? rows.firstElementChild.offsetHeight : 13;
}

// Acts at the press, and again and again while it is held.
function repeat(el, act) {
    el.addEventListener('pointerdown', (e) => {
        if (e.target !== el || e.button !== 0)
            return;
        e.preventDefault();
        el.classList.add('pressed');
        act(e);
        let timer = setTimeout(function again() {
            act(e);
            timer = setTimeout(again, 50);
        }, 400);
        Touch.follow(el, e, () => {}, () => {
            clearTimeout(timer);
            el.classList.remove('pressed');
        });
    });
}

function drag(thumb, rows) {
    thumb.addEventListener('pointerdown', (e) => {
        e.preventDefault();
        e.stopPropagation();
        const from = [e.clientY, rows.scrollTop];
        Touch.follow(thumb, e, (m) => {
            const room = rows.bar.track.clientHeight - thumb.offsetHeight;
            const range = rows.scrollHeight - rows.clientHeight;
            if (room > 0)
                rows.scrollTop = from[1] + (m.clientY - from[0]) * range / room;
        });
    });
}

// Shows the bar when the rows do not fit, and puts its thumb where the
// rows are: once the rows are laid out, before they are drawn.
export function update(rows) {
    if (!rows.planned) {
        rows.planned = true;
        requestAnimationFrame(() => {
            rows.planned = false;
            fit(rows);
        });
    }
}

function fit(rows) {
    if (rows.revealing && rows.revealing.parentElement === rows)
        scrollTo(rows, rows.revealing);
    rows.revealing = null;
    const needed = rows.scrollHeight > rows.clientHeight + 1;
    rows.bar.bar.style.display = needed ? '' : 'none';
    rows.style.right = needed ? px(width) : '0';
    place(rows);
}

function place(rows) {
    const { track, thumb } = rows.bar;
    const range = rows.scrollHeight - rows.clientHeight;
    if (range <= 0)
        return;
    // (in pixels of the design, which stand on whole device pixels)
    const s = parseFloat(getComputedStyle(rows).getPropertyValue('--s')) || 1;
    const room = track.getBoundingClientRect().height / s;
    const size = Math.max(8, Math.round(room * rows.clientHeight / rows.scrollHeight));
    thumb.style.height = px(size);
    thumb.style.top = px(Math.round((room - size) * rows.scrollTop / range));
}

// Scrolls the least that shows a row whole, once it is laid out.
export function reveal(rows, row) {
    rows.revealing = row;
    update(rows);
}

function scrollTo(rows, row) {
    if (row.offsetTop < rows.scrollTop)
        rows.scrollTop = row.offsetTop;
    else if (row.offsetTop + row.offsetHeight > rows.scrollTop + rows.clientHeight)
        rows.scrollTop = row.offsetTop + row.offsetHeight - rows.clientHeight;
}

