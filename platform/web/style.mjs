// The page's one stylesheet: 98.css as its package ships it (less its faces,
// for the page carries the desktop builds' own, and less what the page never
// shows, which PurgeCSS finds from the page's scripts and markup), then the
// page's own, vornak1.css, minified by esbuild. In both, every length in px
// is a pixel of the design a window is drawn at, which the page makes whole
// device pixels on any screen: Npx becomes calc(var(--s) * Npx), --s being
// the CSS pixels a design pixel takes there. A picture 98.css draws as SVG
// becomes a PNG of its pixels (resvg), shown in that unit too, and enlarged
// without smoothing. Lengths in PX (upper case) are the browser's own
// pixels and stay as they are, as does a value that says var(--s) itself.
// A picture drawn by several rules is carried once, and so is a length that
// many draw.
//   node style.mjs 98.css VORNAK.css PAGE_DIR <SUBSTITUTIONS.json
// SUBSTITUTIONS.json: {"@NAME@": "css text", ...}, put into vornak1.css; the
// pictures of 98.css's scroll bar come as @SCROLLUP@, @SCROLLDOWN@ and
// @SCROLLTRACK@, for the page's own scroll bar.
import { initWasm, Resvg } from '@resvg/resvg-wasm';
import { transform } from 'esbuild';
import postcss from 'postcss';
import valueParser from 'postcss-value-parser';
import { PurgeCSS } from 'purgecss';
import { readdirSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';

const [css98Path, ownPath, pageDir] = process.argv.slice(2);

// A length of design pixels as the page draws it.
function scaled(value) {
    const parsed = valueParser(value);
    parsed.walk((node) => {
        if (node.type === 'function' && node.value === 'url')
            return false;
        const unit = node.type === 'word' && valueParser.unit(node.value);
        if (unit && unit.unit === 'px' && Number(unit.number) !== 0)
            Object.assign(node, { type: 'word', value: `calc(var(--s)*${unit.number}px)` });
        return undefined;
    });
    return parsed.toString();
}

// The SVG picture a value draws: its url, its text and its width and
// height, or null.
function svgIn(value) {
    const m = /url\("data:image\/svg\+xml[^,"]*,([^"]*)"\)/.exec(value);
    if (!m)
        return null;
    const svg = decodeURIComponent(m[1]);
    const size = ['width', 'height'].map((k) => new RegExp(`\\b${k}=['"](\\d+)['"]`).exec(svg));
    return size.every(Boolean) ? { url: m[0], svg, size: size.map((s) => Number(s[1])) } : null;
}

// 98.css's SVG pictures, which are pixels drawn as squares, as PNGs of
// those pixels, which the page enlarges by the window's whole factor
// without smoothing: the same pixels, where a browser makes every SVG
// picture a document of its own, tens of milliseconds each on a phone
// before the first window can show. Returns each PNG's url -> its width
// and height.
async function asPng(root) {
    const pngs = new Map();
    const wasm = createRequire(import.meta.url).resolve('@resvg/resvg-wasm/index_bg.wasm');
    await initWasm(readFileSync(wasm));
    root.walkDecls((decl) => {
        const picture = svgIn(decl.value);
        if (!picture)
            return;
        const png = new Resvg(picture.svg).render();
        if (png.width !== picture.size[0] || png.height !== picture.size[1])
            throw new Error(`style.mjs: 98.css's picture for ${decl.parent.selector} is not ${picture.size.join('x')} pixels`);
        const url = `url(data:image/png;base64,${Buffer.from(png.asPng()).toString('base64')})`;
        pngs.set(url, picture.size);
        decl.value = decl.value.replace(picture.url, url);
    });
    return pngs;
}

// Every length of a stylesheet in design pixels, once; a picture drawn the
// size of its pixels, and one made of 98.css's (pngs, by asPng) without
// smoothing.
function inDesignPixels(root, pngs) {
    root.walkDecls((decl) => {
        const png = Array.from(pngs.keys()).find((url) => decl.value.includes(url));
        const size = png ? pngs.get(png) : svgIn(decl.value)?.size;
        if (!size)
            return;
        const has = (prop) => decl.parent.some((d) => d.prop === prop);
        if (/^background(-image)?$/.test(decl.prop) && !has('background-size'))
            decl.after({ prop: 'background-size', value: `${size[0]}px ${size[1]}px` });
        if (png && !has('image-rendering'))
            decl.parent.append({ prop: 'image-rendering', value: 'pixelated' });
    });
    root.walkDecls((decl) => {
        if (decl.value.includes('px') && !decl.value.includes('var(--s)'))
            decl.value = scaled(decl.value);
    });
}

// A picture that more than one rule draws, once: a property of the page's
// root, which each of them draws (not in a face's rule, which takes none).
function shared(root) {
    const uses = new Map();
    root.walkDecls((decl) => {
        if (decl.parent.type !== 'atrule')
            for (const [url] of decl.value.matchAll(/url\((?:"[^"]*"|'[^']*'|[^)]*)\)/g))
                uses.set(url, new Set([...(uses.get(url) || []), decl]));
    });
    const properties = postcss.rule({ selector: ':root' });
    for (const [url, decls] of uses)
        if (decls.size > 1) {
            const name = `--picture-${properties.nodes.length + 1}`;
            properties.append({ prop: name, value: url });
            decls.forEach((d) => { d.value = d.value.split(url).join(`var(${name})`); });
        }
    // (after the notice that opens the stylesheet)
    if (properties.nodes.length && root.first && root.first.type === 'comment')
        root.first.after(properties);
    else if (properties.nodes.length)
        root.prepend(properties);
}

// A length of design pixels that many rules draw, once: a property of the
// page's root and of each window (where --s is set), which they draw.
function named(root) {
    const length = /calc\(var\(--s\)\*(-?[\d.]+)px\)/g;
    const uses = new Map();
    root.walkDecls((decl) => {
        for (const [, n] of decl.value.matchAll(length))
            uses.set(n, (uses.get(n) || 0) + 1);
    });
    const often = new Set(Array.from(uses).filter(([, count]) => count >= 10).map(([n]) => n));
    if (!often.size)
        return;
    root.walkDecls((decl) => {
        decl.value = decl.value.replace(length, (whole, n) => (often.has(n) ? `var(--l${n})` : whole));
    });
    const properties = postcss.rule({ selector: ':root, .window' });
    for (const n of often)
        properties.append({ prop: `--l${n}`, value: `calc(var(--s)*${n}px)` });
    root.append(properties);
}

// 98.css's scroll bar pictures, by the rules that draw them.
function scrollPictures(root) {
    const wanted = { '::-webkit-scrollbar-button:vertical:start': '@SCROLLUP@',
                     '::-webkit-scrollbar-button:vertical:end': '@SCROLLDOWN@',
                     '::-webkit-scrollbar-track': '@SCROLLTRACK@' };
    const found = {};
    root.walkRules((rule) => {
        for (const selector of rule.selectors)
            if (wanted[selector])
                rule.walkDecls('background-image', (d) => { found[wanted[selector]] = d.value; });
    });
    for (const key of Object.values(wanted))
        if (!found[key])
            throw new Error(`style.mjs: 98.css draws no ${key}`);
    return found;
}

const css98 = postcss.parse(readFileSync(css98Path, 'utf8'));
css98.walkAtRules('font-face', (rule) => rule.remove());
const pngs = await asPng(css98);
const substitutions = { ...JSON.parse(readFileSync(0, 'utf8')), ...scrollPictures(css98) };
const content = readdirSync(pageDir).filter((f) => /\.(js|html)$/.test(f))
    .map((f) => ({ raw: readFileSync(join(pageDir, f), 'utf8'), extension: f.split('.').pop() }));
// What the page never shows of what 98.css styles, which PurgeCSS keeps for
// names the page's scripts happen to hold: other kinds of field, disabled,
// read-only and default controls, and the browser's own scroll bars, which
// the page draws itself. Taken out selector by selector.
const never = [/\[type=(range|number)\]/, /::-webkit-(scrollbar|slider|search)/, /::-moz-/, /(?<!:not\():disabled/,
               /\[disabled\]/, /\[readonly\]/, /:read-only/, /\.default\b/, /^textarea/, /^a\b/, /^code\b/, /^summary/];
const [purged] = await new PurgeCSS().purge({ content, css: [{ raw: css98.toString() }] });
const kept = postcss.parse(purged.css);
kept.walkRules((rule) => {
    const selectors = rule.selectors.filter((s) => !never.some((n) => n.test(s)));
    if (selectors.length)
        rule.selectors = selectors;
    else
        rule.remove();
});
kept.walkAtRules('media', (rule) => {
    if (!rule.nodes.length)
        rule.remove();
});
let own = readFileSync(ownPath, 'utf8');
for (const [key, value] of Object.entries(substitutions))
    own = own.split(key).join(value);
if (/@[A-Z0-9]+@/.test(own))
    throw new Error(`style.mjs: vornak1.css has ${/@[A-Z0-9]+@/.exec(own)[0]} with nothing to put there`);
const sheet = postcss.parse(`${kept}\n${own}`);
inDesignPixels(sheet, pngs);
shared(sheet);
named(sheet);
const { code } = await transform(sheet.toString(), { loader: 'css', minify: true, legalComments: 'inline' });
process.stdout.write(code);
