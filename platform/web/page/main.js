// The page's script: what the program's windows are made of, and its start.
// It runs as the page is read, right after failure.js: the program's first
// window is drawn at once (page.js's start, from what the core made of it
// when the page was built, #first-window, with the art of the first windows,
// #art) and what the user does is held. The program follows once the page
// has been read as far as it (Vornak.boot), and the large pictures once it
// has been read to its end (Vornak.lateArt).
import createProgram from 'vornak1-program';
import * as Art from './art.js';
import { compile, unpackedJson } from './boot.js';
import * as Calls from './calls.js';
import * as Page from './page.js';
import { calls } from 'vornak1-protocol';
import { Failure, Vornak } from './vornak.js';

Vornak.page = { ...calls };  // (an object of its own, whose calls a test may replace)
Vornak.calls = Calls;

// The program, carried as base64 of its gzip; it starts from the module
// compiled meanwhile. What keeps it from starting, or stops it later, is
// the visitor's to know (Failure).
Vornak.boot = (program) => {
    const compiled = compile(program);
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
};

Vornak.lateArt = (art) => Art.add(art);

// The page's own start, as it is read; one that fails is the start's.
try {
    const data = (id) => JSON.parse(document.getElementById(id).textContent);
    Art.add(data('art'));
    Page.start(unpackedJson(data('first-window')));
} catch (e) {
    Failure.atStart(e);
}
