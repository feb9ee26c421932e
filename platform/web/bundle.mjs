// The page's scripts, made by esbuild (from the npm registry): the page's
// modules bundled from page/main.js into one module script, with
// emscripten's loader of the program, minified; early.js, which shows the
// first window of the page's markup, bundled into a classic script, run as
// the page is read; and failure.js, the page's first script, minified and
// kept in the language of the oldest browsers, as it was written. Writes {"page": ..., "early": ..., "failure": ...} as JSON
// to standard output.
//   node bundle.mjs PAGE_DIR PROGRAM_LOADER.js PROTOCOL.js
// (PROTOCOL.js: the page's side of the protocol, made by protocol.py)
import { build, transform } from 'esbuild';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

const [pageDir, loader, protocol] = process.argv.slice(2);
const bundled = (entry, format) => build({
    entryPoints: [join(pageDir, entry)],
    bundle: true,
    write: false,
    format,
    target: 'es2020',
    minify: true,
    legalComments: 'none',
    alias: { 'vornak1-program': loader, 'vornak1-protocol': protocol },
    logLevel: 'warning',
}).then((out) => out.outputFiles[0].text);
const [page, early] = await Promise.all([bundled('main.js', 'esm'), bundled('early.js', 'iife')]);
const failure = await transform(readFileSync(join(pageDir, 'failure.js'), 'utf8'), {
    target: 'es5',
    minify: true,
    legalComments: 'none',
});
process.stdout.write(JSON.stringify({ page, early, failure: failure.code }));
