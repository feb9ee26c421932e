// The screen the page is shown on, and the drawing each window gets there:
// the design at a resolution of the era (96, 120 or 144 dpi), every pixel a
// block of a whole number of device pixels (the core's rule for every
// screen, app/screen.h, as the page's build wrote it into #screens: the
// dots per inch from which each drawing holds). Places on the desktop are
// in device pixels; a window's lengths are its design's pixels, which its
// --s makes CSS pixels (vornak1.css).
import { bytesOf } from './boot.js';
import { Vornak } from './vornak.js';

const rows = JSON.parse(document.getElementById('screens').textContent);

export let ratio = devicePixelRatio || 1;

// The drawing of a screen of the given device-pixel ratio:
// { dpi, factor }.
export function rule(r = ratio) {
    let chosen = rows[0];
    for (const row of rows)
        if (96 * r >= row[0])
            chosen = row;
    return { dpi: chosen[1], factor: chosen[2] };
}

// The whole factor nearest to the screen for a design of a resolution,
// once the screen has changed under a window drawn at it.
export function factorFor(dpi) {
    return Math.max(1, Math.round(96 * ratio / dpi));
}

// The drawings no larger than the screen's, largest first, each larger
// factor before a smaller one of the same size: where a window that does
// not fit the screen looks for the nearest sharp size that does.
export function smaller(best = rule()) {
    const all = [];
    for (const dpi of [96, 120, 144])
        for (let factor = 1; dpi * factor <= best.dpi * best.factor; ++factor)
            all.push({ dpi, factor });
    return all.sort((a, b) => b.dpi * b.factor - a.dpi * a.factor || b.factor - a.factor);
}

// The dialog face of each resolution, regular and bold, is in the
// stylesheet, which a page without script needs too. A face the stylesheet
// names is read only once a text needs it, and then only when the browser
// has read the rest of the page: the first window would stand without its
// letters until then. So the first time a window is drawn at a resolution,
// its faces are made the page's own from their bytes, at once. (The
// resolutions whose faces have been made are the page's, for early.js
// makes the first window's.)
const faces = Vornak.faces || (Vornak.faces = new Set());

export function face(dpi) {
    const family = `Vornak1 Dialog ${dpi}`;
    if (faces.has(dpi) || typeof FontFace !== 'function')
        return;
    faces.add(dpi);
    for (const sheet of document.styleSheets)
        for (const { style } of Array.from(sheet.cssRules).filter((r) => r instanceof CSSFontFaceRule))
            if (style.getPropertyValue('font-family').replace(/["']/g, '') === family) {
                const data = /base64,([^"')]*)/.exec(style.getPropertyValue('src'));
                if (data)
                    document.fonts.add(new FontFace(family, bytesOf(data[1]),
                                                    { weight: style.getPropertyValue('font-weight') || 'normal' }));
            }
}

let hair = 0;                // CSS pixels added to a face's size (vornak1.css)

// The page's own: the scale of its screen's drawing, and the hair by
// which the faces are made larger (calibrate).
export function styleRoot() {
    const root = document.documentElement.style;
    root.setProperty('--s', scale(rule().factor));
    root.setProperty('--hair', `${hair}px`);
}

// Some engines round a face's size down to a 64th of a device pixel, and a
// size of exactly the strike's device pixels often falls just below one, so
// that the letters come out a little narrow and drift off the pixels. Of no
// hair and a 128th of a device pixel, the one with which a run of letters
// of the screen's face measures its pixels' width. Once the faces have
// loaded; true when the hair changed.
export function calibrate() {
    const { dpi, factor } = rule();
    face(dpi);
    const ppem = { 96: 13, 120: 16, 144: 20 }[dpi];
    const probe = document.body.appendChild(document.createElement('span'));
    probe.style.cssText = `position: absolute; visibility: hidden; white-space: nowrap;
                           font-family: "Vornak1 Dialog ${dpi}"`;
    probe.textContent = 'D'.repeat(100);
    const width = (size) => {
        probe.style.fontSize = `${size}px`;
        return probe.getBoundingClientRect().width;
    };
    const expected = width(ppem) * scale(factor);   // at a whole size, drawn exactly
    const candidates = [0, 1 / (128 * ratio)];
    const errors = candidates.map((h) => Math.abs(width(ppem * scale(factor) + h) - expected));
    probe.remove();
    const chosen = candidates[errors[1] < errors[0] ? 1 : 0];
    const changed = chosen !== hair;
    hair = chosen;
    return changed;
}

// A length of design pixels, for a style (vornak1.css's --s).
export function px(n) {
    return `calc(var(--s)*${n}px)`;
}

// The CSS pixels of a design pixel drawn with a factor.
export function scale(factor) {
    return factor / ratio;
}

// Device pixels as CSS pixels, and back.
export function css(device) {
    return device / ratio;
}

export function device(cssPixels) {
    return Math.round(cssPixels * ratio);
}

// Calls changed(was) whenever the device-pixel ratio changes (the browser
// zoomed, the window moved to another screen), once the ratio is read
// anew; was is the ratio before.
export function watch(changed) {
    const listen = () => matchMedia(`(resolution: ${ratio}dppx)`).addEventListener('change', () => {
        const was = ratio;
        ratio = devicePixelRatio || 1;
        listen();
        changed(was);
    }, { once: true });
    listen();
}
