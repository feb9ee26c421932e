// The page's second script, run as soon as the page has been read as far
// as its first window: the program's first window, which the page's markup
// holds at 96 dpi as the page's build made it (markup.mjs), shown at once
// where and as the program will draw it, when this screen draws it at
// 96 dpi and it fits; the page is busy meanwhile. The page's own script
// takes it over (desktop.js, drawEarly), or draws another. The program
// (#program, read before the window) is compiled meanwhile, where the
// browser unpacks it itself: the page's script starts it from there.
import { compileStreamed } from './boot.js';
import { centred, drawingFor, phone, size } from './desktop.js';
import { css, face, scale } from './screen.js';
import { Vornak } from './vornak.js';
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

// (where the browser cannot unpack the program itself, the page's script
// has it unpacked, and compiles it then)
if (typeof DecompressionStream === 'function')
    Vornak.compiled = compileStreamed(JSON.parse(document.getElementById('program').textContent));
