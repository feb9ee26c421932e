// The page's scripts, made by esbuild (from the npm registry): the page's
// modules bundled from page/main.js into one script, with emscripten's
// loader of the program, minified; and failure.js, the page's first script,
// minified and kept in the language of the oldest browsers, as it was
// written. Writes {"page": ..., "failure": ...} as JSON to standard output.
//   node bundle.mjs PAGE_DIR PROGRAM_LOADER.js PROTOCOL.js
// (PROTOCOL.js: the page's side of the protocol, made by protocol.py)
import { build, transform } from 'esbuild';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

const [pageDir, loader, protocol] = process.argv.slice(2);
const page = await build({
    entryPoints: [join(pageDir, 'main.js')],
    bundle: true,
    write: false,
    format: 'iife',
    target: 'es2020',
    minify: true,
    legalComments: 'none',
    alias: { 'vornak1-program': loader, 'vornak1-protocol': protocol },
    logLevel: 'warning',
});
const failure = await transform(readFileSync(join(pageDir, 'failure.js'), 'utf8'), {
    target: 'es5',
    minify: true,
    legalComments: 'none',
});
process.stdout.write(JSON.stringify({ page: page.outputFiles[0].text, failure: failure.code }));
