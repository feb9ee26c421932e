// The program's WebAssembly is in the page, compressed: the browser unpacks
// and compiles it while it reads the rest of the page. A browser that
// cannot unpack it itself has it unpacked here; one with no WebAssembly, or
// whose site forbids compiling it, is told so (Failure).
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
    if (typeof WebAssembly !== 'object') {
        Failure.atStart('wasm');
        return Promise.resolve(null);
    }
    const compiled = (async () => {
        const packed = bytesOf(base64);
        if (typeof DecompressionStream !== 'function')
            return WebAssembly.compile(inflate(packed));
        const unpacked = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
        return WebAssembly.compileStreaming
            ? WebAssembly.compileStreaming(new Response(unpacked, { headers: { 'Content-Type': 'application/wasm' } }))
            : WebAssembly.compile(await new Response(unpacked).arrayBuffer());
    })();
    return compiled.catch((e) => {
        Failure.atStart(e);
        return null;
    });
}

// A gzip member unpacked (RFC 1951 and 1952), for the browsers without
// DecompressionStream: slow and small, as it runs once.
function inflate(src) {
    let at = 10, held = 0, count = 0;
    const flags = src[3];
    if (flags & 4)
        at += 2 + (src[10] | src[11] << 8);
    for (const flag of [8, 16])
        if (flags & flag)
            while (src[at++]);
    if (flags & 2)
        at += 2;
    const end = src.length;
    const out = new Uint8Array((src[end - 4] | src[end - 3] << 8 | src[end - 2] << 16 | src[end - 1] << 24) >>> 0);
    let o = 0;
    const bits = (n) => {
        while (count < n) {
            if (at >= end)
                throw new Error('the program is damaged');
            held |= src[at++] << count;
            count += 8;
        }
        const v = held & ((1 << n) - 1);
        held >>>= n;
        count -= n;
        return v;
    };
    // A canonical Huffman code from its lengths, and a symbol read by it.
    const code = (lengths) => {
        const counts = new Uint16Array(16), symbols = new Uint16Array(lengths.length), first = new Uint16Array(16);
        for (const l of lengths)
            counts[l]++;
        counts[0] = 0;
        for (let l = 1; l < 16; ++l)
            first[l] = first[l - 1] + counts[l - 1];
        lengths.forEach((l, s) => { if (l) symbols[first[l]++] = s; });
        return { counts, symbols };
    };
    const symbol = (h) => {
        for (let len = 1, c = 0, start = 0, index = 0; len < 16; ++len) {
            c |= bits(1);
            const n = h.counts[len];
            if (c - n < start)
                return h.symbols[index + c - start];
            index += n;
            start = (start + n) << 1;
            c <<= 1;
        }
        throw new Error('the program is damaged');
    };
    const bases = (first, step) => {
        const base = [], extra = [];
        for (let i = 0, b = first; i < 30; ++i) {
            const e = Math.max(0, (i >> step) - 1);
            base.push(b);
            extra.push(e);
            b += 1 << e;
        }
        return [base, extra];
    };
    const [lengthBase, lengthExtra] = bases(3, 2);
    lengthBase[28] = 258;
    lengthExtra[28] = 0;
    const [distBase, distExtra] = bases(1, 1);
    let last = 0;
    while (!last) {
        last = bits(1);
        const type = bits(2);
        if (type === 0) {
            held = count = 0;
            const n = src[at] | src[at + 1] << 8;
            out.set(src.subarray(at + 4, at + 4 + n), o);
            at += 4 + n;
            o += n;
            continue;
        }
        let lit, dist;
        if (type === 1) {
            lit = code(Array.from({ length: 288 }, (_, i) => (i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8)));
            dist = code(new Array(30).fill(5));
        } else if (type === 2) {
            const nlit = bits(5) + 257, ndist = bits(5) + 1, nlen = bits(4) + 4;
            const order = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15];
            const lens = new Array(19).fill(0);
            for (let i = 0; i < nlen; ++i)
                lens[order[i]] = bits(3);
            const lenCode = code(lens);
            const lengths = [];
            while (lengths.length < nlit + ndist) {
                const s = symbol(lenCode);
                if (s < 16)
                    lengths.push(s);
                else if (s === 16)
                    lengths.push(...new Array(3 + bits(2)).fill(lengths[lengths.length - 1]));
                else
                    lengths.push(...new Array(s === 17 ? 3 + bits(3) : 11 + bits(7)).fill(0));
            }
            lit = code(lengths.slice(0, nlit));
            dist = code(lengths.slice(nlit));
        } else {
            throw new Error('the program is damaged');
        }
        for (let s = symbol(lit); s !== 256; s = symbol(lit)) {
            if (s < 256) {
                out[o++] = s;
                continue;
            }
            const length = lengthBase[s - 257] + bits(lengthExtra[s - 257]);
            const d = symbol(dist);
            const from = o - distBase[d] - bits(distExtra[d]);
            for (let i = 0; i < length; ++i)
                out[o++] = out[from + i];
        }
    }
    return out;
}
