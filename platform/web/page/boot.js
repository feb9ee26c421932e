// The program's WebAssembly is in the page, compressed (ProgramData): the
// browser unpacks and compiles it while it reads the rest of the page
// (bytesOf is program.js's).
var ProgramModule = (function () {
    'use strict';

    const unpacked = new Blob([bytesOf(ProgramData)]).stream().pipeThrough(new DecompressionStream('gzip'));
    return WebAssembly.compileStreaming
        ? WebAssembly.compileStreaming(new Response(unpacked, { headers: { 'Content-Type': 'application/wasm' } }))
        : new Response(unpacked).arrayBuffer().then((wasm) => WebAssembly.compile(wasm));
})();
