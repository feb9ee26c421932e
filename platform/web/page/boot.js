// The program's WebAssembly is in the page, compressed: the browser unpacks
// and compiles it while the page's script sets the page up. A browser that
// cannot unpack it itself has it unpacked by fflate (npm), which is made
// ready only then (its tables take a phone milliseconds); one with no
// WebAssembly, or whose site forbids compiling it, is told so (Failure).
import { Failure } from './vornak.js';

// Bytes carried in the page as base64.
export function bytesOf(base64) {
    if (Uint8Array.fromBase64)
        return Uint8Array.fromBase64(base64);
    const text = atob(base64);
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i)
        bytes[i] = text.charCodeAt(i);
    return bytes;
}

// The compiled module of the program carried as base64 of its gzip; null
// when the program cannot start (Failure says why).
export function compile(base64) {
    if (typeof DecompressionStream === 'function')
        return compileStreamed(base64);
    return guarded(() => unpacked(base64).then((bytes) => WebAssembly.compile(bytes)));
}

// The same, unpacked by the browser itself, which compiles the program as
// it is unpacked.
function compileStreamed(base64) {
    return guarded(() => (WebAssembly.compileStreaming
        ? WebAssembly.compileStreaming(new Response(inflating(base64), { headers: { 'Content-Type': 'application/wasm' } }))
        : new Response(inflating(base64)).arrayBuffer().then((bytes) => WebAssembly.compile(bytes))));
}

// Bytes carried in the page as base64 of their gzip, as the browser
// unpacks them: a stream.
function inflating(base64) {
    return new Blob([bytesOf(base64)]).stream().pipeThrough(new DecompressionStream('gzip'));
}

function guarded(compiling) {
    if (typeof WebAssembly !== 'object') {
        Failure.atStart('wasm');
        return Promise.resolve(null);
    }
    return Promise.resolve().then(compiling).catch((e) => {
        Failure.atStart(e);
        return null;
    });
}

// Bytes carried in the page as base64 of their gzip, unpacked (a promise).
async function unpacked(base64) {
    if (typeof DecompressionStream === 'function')
        return new Uint8Array(await new Response(inflating(base64)).arrayBuffer());
    const { gunzipSync } = await import('./gunzip.js');
    return gunzipSync(bytesOf(base64));
}

// JSON carried in the page so (a promise).
export async function unpackedJson(base64) {
    return JSON.parse(new TextDecoder().decode(await unpacked(base64)));
}
