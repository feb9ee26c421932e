// The page's script: what the program's windows are made of, and its start.
// A module, it runs once the page has been read, so that nothing holds up
// the first window that the page's markup holds and early.js shows as it
// is read: that window is taken over (or drawn, where the markup's is not
// the screen's drawing: page.js's start, from what the core made of it when
// the page was built, #first-window, with the art of the first windows,
// #art, and the markup's pictures) and what the user does is held until
// the program (#program) has started; the large pictures (#late-art) come
// last.
import createProgram from 'vornak1-program';
import * as Art from './art.js';
import { compile, unpackedJson } from './boot.js';
import * as Calls from './calls.js';
import * as Page from './page.js';
import { calls } from 'vornak1-protocol';
import { Failure, Vornak } from './vornak.js';

Vornak.page = { ...calls };  // (an object of its own, whose calls a test may replace)
Vornak.calls = Calls;

// The program started from its module (compiled: a promise of it, or of
// null). What keeps it from starting, or stops it later, is the
// visitor's to know (Failure).
function boot(compiled) {
    if (Failure.failed)
        return;
    createProgram({
        postRun: [(instance) => {
            Vornak.program = instance;
            Calls.connect(instance);
            Page.started();
        }],
        onAbort: (what) => Failure.error(new Error(what)),
        instantiateWasm(imports, done) {
            compiled.then((module) => module && WebAssembly.instantiate(module, imports))
                .then((instance) => {
                    if (instance && !Failure.failed)
                        done(instance);
                })
                .catch((e) => Failure.atStart(e));
            return {};
        },
    }).catch((e) => Failure.error(e));
}

// The page's own start, unless the program could not be started already,
// once the first window's designs are unpacked; one that fails is the
// start's.
try {
    const data = (id) => JSON.parse(document.getElementById(id).textContent);
    if (!Failure.failed) {
        // (the program is carried as base64 of its gzip: where the browser
        // unpacks it itself, it compiles it as it unpacks it, alongside
        // what follows)
        const compiled = compile(data('program'));
        Art.add(data('art'));
        Art.addFrom(document.getElementById('desktop'));
        unpackedJson(data('first-window')).then((first) => {
            if (!Failure.failed) {
                Page.start(first);
                boot(compiled);
            }
        }).catch((e) => Failure.atStart(e));
        Art.add(data('late-art'));
    }
} catch (e) {
    Failure.atStart(e);
}
