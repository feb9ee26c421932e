// Makes the page's scripts smaller with terser (from the npm registry):
// names inside functions shortened and the code compressed, the names the
// scripts share at the top level kept. Reads {name: source} as JSON on
// standard input and writes {name: minified}; a script named with ".es5"
// stays in the language of the oldest browsers, as it was written.
//   node minify.mjs <scripts.json >minified.json
import { minify } from 'terser';

let input = '';
for await (const chunk of process.stdin)
    input += chunk;
const out = {};
for (const [name, source] of Object.entries(JSON.parse(input))) {
    const result = await minify(source, {
        ecma: name.endsWith('.es5') ? 5 : 2020,
        compress: { passes: 2 },
        mangle: true,
        format: { comments: false },
    });
    out[name] = result.code;
}
process.stdout.write(JSON.stringify(out));
