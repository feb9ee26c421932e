// The program's WebAssembly is in the page, compressed (ProgramData): the
// browser unpacks and compiles it while it reads the rest of the page.
var ProgramModule = (function () {
    'use strict';

    let bytes;
    if (Uint8Array.fromBase64) {
        bytes = Uint8Array.fromBase64(ProgramData);
    } else {
        const text = atob(ProgramData);
        bytes = new Uint8Array(text.length);
        for (let i = 0; i < text.length; ++i)
            bytes[i] = text.charCodeAt(i);
    }
    const unpacked = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
    return WebAssembly.compileStreaming
        ? WebAssembly.compileStreaming(new Response(unpacked, { headers: { 'Content-Type': 'application/wasm' } }))
        : new Response(unpacked).arrayBuffer().then((wasm) => WebAssembly.compile(wasm));
})();
