// The page's script: what the program's windows are made of, and its start.
// It runs as the page is read, right after failure.js: the program's first
// window is drawn at once (page.js's start) and what the user does is held.
// The program follows once the page has been read as far as its data
// (Vornak.boot), and the large pictures once it has been read to its end
// (Vornak.lateArt).
import createProgram from 'vornak1-program';
import * as Art from './art.js';
import { compile } from './boot.js';
import * as Calls from './calls.js';
import * as Page from './page.js';
import { Failure, Vornak } from './vornak.js';

Vornak.page = { ...Page };  // (an object of its own, whose calls a test may replace)
Vornak.calls = Calls;
const first = document.getElementById('first-window');
Page.start(first ? JSON.parse(first.textContent) : null);

// The program and the art of its first windows; the program starts from the
// module compiled meanwhile. What keeps it from starting, or stops it later,
// is the visitor's to know (Failure).
Vornak.boot = (data) => {
    Art.add(data.art);
    const compiled = compile(data.program);
    if (Failure.failed)
        return;
    createProgram({
        page: Page,
        postRun: [(program) => {
            Vornak.program = program;
            Calls.connect(program);
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
