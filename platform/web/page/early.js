// The page's second script, run as soon as the page has been read as far
// as its first window: the program's first window, which the page's markup
// holds at 96 dpi as the page's build made it (markup.mjs), shown at once
// where and as the program will draw it, when this screen draws it at
// 96 dpi and it fits; the page is busy meanwhile. The page's own script
// takes it over (desktop.js, drawEarly), or draws another. Nothing else
// is done here: the program is compiled by the page's script once the page
// has been read, for unpacking it here would hold up the browser's next
// frame, which lays the window out and paints it.
import { centred, drawingFor, phone, size } from './desktop.js';
import { css, face, scale } from './screen.js';
import { frameSize } from './windows.js';

const win = document.querySelector('#desktop > .window');
const sizes = win.dataset.sizes.split(' ').map(Number);
phone();
const { dpi, factor } = drawingFor(sizes);
const [w, h] = frameSize({ width: sizes[0], height: sizes[1], dpi: 96 }, factor);
const [width, height] = size();
if (dpi === 96 && w <= width && h <= height) {
    face(96);
    const [x, y] = centred(w, h, [width, height]);
    win.style.setProperty('--s', scale(factor));
    win.style.left = css(x) + 'px';
    win.style.top = css(y) + 'px';
    win.style.visibility = 'visible';
    win.style.display = '';
    document.body.classList.add('starting', 'hourglass');
}
