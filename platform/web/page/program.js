// The program's calls to the page (platform/web/webfrontend.cpp, the
// object Vornak), and its start: the program, compressed in the page,
// unpacked by the browser while the page is read.

// Bytes carried in the page as base64.
function bytesOf(base64) {
    if (Uint8Array.fromBase64)
        return Uint8Array.fromBase64(base64);
    const text = atob(base64);
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i)
        bytes[i] = text.charCodeAt(i);
    return bytes;
}

var Vornak = (function () {
    'use strict';

    const windows = new Map();   // the program's window number -> Win
    let opening = null;          // the window whose place the program is working out

    function create(number, design) {
        windows.set(number, new Win(number, design));
    }

    // The frame of a window ([x, y, width, height]), or of the desktop for
    // window 0: the program asks for the window it is about to show first,
    // and the desktop is made to fit it.
    function frame(number) {
        if (number === 0) {
            Desktop.fit(opening);
            return [0, 0, ...Desktop.size];
        }
        const w = windows.get(number);
        opening = w || null;
        return w ? w.frame() : [0, 0, 0, 0];
    }

    function show(number, placeIt, x, y) {
        const w = windows.get(number);
        if (!w)
            return;
        Desktop.dropEarly();
        if (placeIt) {
            w.el.style.left = x + 'px';
            w.el.style.top = y + 'px';
        }
        w.el.style.visibility = 'visible';
        w.el.style.display = '';
        Layout.shown(w.el);
        opening = null;
        Desktop.fit();
        Desktop.activate(w);
    }

    function hide(number) {
        const w = windows.get(number);
        if (!w)
            return;
        w.el.style.display = 'none';
        Desktop.fit();
        if (Desktop.active === w)
            Desktop.activateTop();
    }

    function raise(number) {
        const w = windows.get(number);
        if (w)
            Desktop.activate(w);
    }

    function destroy(number) {
        const w = windows.get(number);
        if (!w)
            return;
        windows.delete(number);
        Desktop.remove(w);
    }

    function update(number, index, shown) {
        const w = windows.get(number);
        if (w)
            w.update(index, shown);
    }

    // The folder list's marks, as the program draws them.
    function mark(open, rgba, width, height) {
        const canvas = document.createElement('canvas');
        canvas.width = width;
        canvas.height = height;
        canvas.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(rgba), width, height), 0, 0);
        document.documentElement.style.setProperty(open ? '--folder-open' : '--folder-closed',
                                                    `url("${canvas.toDataURL()}")`);
    }

    function focus(number, index) {
        const w = windows.get(number);
        const c = w && w.controls[index];
        if (c)
            Touch.focus(c.focusEl);
    }

    function cursor(on) {
        document.body.classList.toggle('hourglass', on);
        Touch.cursor(on);
    }

    // A modal message with one OK button; resolves when it is dismissed.
    function message(title, text) {
        return new Promise((done) => {
            Calls.setModal(Failure.box(title, text, () => {
                Calls.setModal(null);
                done();
            }));
        });
    }

    function quit() {
        for (const n of Array.from(windows.keys()))
            destroy(n);
        document.body.classList.add('ended');
    }

    // The page, as it is read: the program's first window, as the program
    // drew it when the page was made (first: its markup and the page's
    // own style then, or null), is drawn at once where the program will
    // place it, for the program to take its place when it shows the window
    // itself. Until the program runs, the page is busy as in a pause: the
    // hourglass, and what the user does held for the program.
    function start(first) {
        // The dialog faces, ready before anything is drawn.
        for (const f of PageFaces)
            document.fonts.add(new FontFace(f.family, bytesOf(f.data), { style: f.style, weight: f.weight }));
        Touch.start();
        Calls.start();
        Desktop.start();
        document.body.classList.add('starting');
        cursor(true);
        if (first)
            Desktop.drawEarly(first);
    }

    // The program's start has run: what the user did meanwhile is its.
    function started() {
        Failure.started();
        document.body.classList.remove('starting');
        cursor(false);
        Calls.started();
    }

    return { start, started, mark, create, frame, show, hide, raise, destroy, update, focus, cursor, message, quit };
})();

// The program, as emscripten's loader runs it, from the module the page
// began compiling once its first window was drawn (boot.js). What keeps it
// from starting, or stops it later, is the visitor's to know (Failure).
var Module = {
    postRun: [() => Vornak.started()],
    onAbort: (what) => Failure.error(new Error(what)),
    instantiateWasm(imports, done) {
        ProgramModule.then((module) => module && WebAssembly.instantiate(module, imports))
            .then((instance) => {
                if (instance && !Failure.failed)
                    done(instance);
            })
            .catch((e) => Failure.atStart(e));
        return {};
    },
};
