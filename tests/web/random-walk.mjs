// A seeded random walk of the page by real input: clicks and taps anywhere
// in its windows, double clicks, title bars dragged (also while the program
// pauses), keys, a word or a paste committed at once, close boxes; and after
// every step what must always hold: no error, no hang (the program answers
// within a pause), every window's title bar on the screen, and at the end
// nothing asked of the network and nothing stored. The same seed walks the
// same steps; a failure names the seed and the step, and a run stopped at a
// step (until) shows the page as it was then.
//   await randomWalk(page, { seed: 7, steps: 30, until: 0 })
import assert from 'node:assert/strict';
import { sleep, until } from './session.mjs';

// A small generator of numbers that is the same everywhere (mulberry32).
function generator(seed) {
    let a = seed >>> 0;
    return () => {
        a = (a + 0x6d2b79f5) >>> 0;
        let t = a;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}

// The windows shown, top first, with their frames, bars and close boxes,
// and whether a message box is up or the program has ended.
function state(page) {
    return page.eval(() => {
        const box = (el) => { const r = el.getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; };
        const windows = Array.from(document.querySelectorAll('#desktop > .window'))
            .filter((w) => w.style.display !== 'none' && w.style.visibility !== 'hidden' && !w.inert)
            .sort((a, b) => Number(b.style.zIndex) - Number(a.style.zIndex))
            .map((w) => ({ caption: w.getAttribute('aria-label'), frame: box(w), bar: box(w.querySelector('.title-bar')),
                           close: box(w.querySelector('.title-bar-controls button')),
                           text: Array.from(w.querySelectorAll('input[type=text]'), box),
                           controls: Array.from(w.querySelectorAll('.control:not(.label):not(.image):not(fieldset)'), box)
                               .filter(([, , width, height]) => width > 0 && height > 0) }));
        const message = document.querySelector('[role=alertdialog]');
        return { windows, message: message && message.querySelector('.text').textContent,
                 ok: message && box(message.querySelector('button')), ended: document.body.classList.contains('ended'),
                 busy: Vornak.calls ? Vornak.calls.busy() : true, view: [innerWidth, innerHeight],
                 extent: [document.documentElement.scrollWidth, document.documentElement.scrollHeight] };
    });
}

export async function randomWalk(page, { seed, steps, until: last = 0, log = () => {} }) {
    const random = generator(seed);
    let view = [1, 1];  // the page's view, as the last step found it
    const pick = (list) => list[Math.floor(random() * list.length)];
    // A point of a box, on the page's view: a finger or the mouse cannot
    // press past its edge.
    const onView = (v, i) => Math.min(Math.max(v, 1), view[i] - 1);
    const within = ([x, y, width, height]) => [onView(x + 2 + random() * Math.max(0, width - 4), 0),
                                               onView(y + 2 + random() * Math.max(0, height - 4), 1)];
    const press = (x, y) => (page.touch ? page.tap(x, y) : page.click(x, y));
    const drag = async (bar) => {
        const [x, y] = within([bar[0], bar[1], bar[2] - 24, bar[3]]);
        // Where a finger or the mouse can go: inside the page's view.
        const to = [onView(x + (random() - 0.5) * 300, 0), onView(y + (random() - 0.5) * 300, 1)];
        if (page.touch) {
            await page.touchDown(x, y);
            await page.touchMove(...to);
            await page.touchUp();
        } else {
            await page.down(x, y);
            await page.move(...to);
            await page.up();
        }
    };
    // Text the visitor's keyboard commits at once, where the engine's driver
    // can send it so; keys one by one elsewhere.
    const commit = (text) => (page.cdp ? page.cdp.send('Input.insertText', { text })
        : page.type(text));
    const keys = ['a', 'k', '1', 'Enter', 'Escape', 'Tab', 'Backspace', 'ArrowDown', 'ArrowUp', 'Space'];
    const actions = [
        [15, 'a click in a window', (s) => press(...within(pick(s.windows).frame))],
        [30, 'a click on a control', (s) => {
            const controls = s.windows.flatMap((w) => w.controls);
            return controls.length ? press(...within(pick(controls))) : undefined;
        }],
        [5, 'a double click in a window', async (s) => {
            const [x, y] = within(pick(s.windows).frame);
            if (page.touch) {
                await page.tap(x, y);
                await page.tap(x, y);
            } else {
                await page.dblclick(x, y);
            }
        }],
        [12, 'a title bar dragged', (s) => drag(pick(s.windows).bar)],
        [8, 'a press on a control that may pause, and a title bar dragged meanwhile', async (s) => {
            const controls = s.windows.flatMap((w) => w.controls);
            if (controls.length)
                await press(...within(pick(controls)));
            await drag(pick(s.windows).bar);
        }],
        [14, 'a key', () => (page.touch ? page.softType(pick(['q', ' ', '7'])) : page.press(pick(keys)))],
        [8, 'a word committed at once', () => commit(pick(['hello', 'Vornak', 'ok then', 'x'.repeat(40)]))],
        [7, 'a paste into a text box', async (s) => {
            const boxes = s.windows.flatMap((w) => w.text);
            if (!boxes.length)
                return;
            await press(...within(pick(boxes)));
            const length = Math.floor(random() * 20000);
            await page.eval((n) => {
                const box = document.activeElement;
                if (box && box.matches('input[type=text]')) {
                    box.value = 'é€x'.repeat(n);
                    box.dispatchEvent(new InputEvent('input', { bubbles: true, inputType: 'insertFromPaste' }));
                }
            }, length);
        }],
        [4, 'a close box', (s) => press(...within(pick(s.windows).close))],
    ];
    const total = actions.reduce((sum, [weight]) => sum + weight, 0);
    const choose = () => {
        let r = random() * total;
        for (const a of actions)
            if ((r -= a[0]) < 0)
                return a;
        return actions[actions.length - 1];
    };
    let ends = 0;
    for (let step = 1; step <= steps && (!last || step <= last); ++step) {
        const where = `seed ${seed}, step ${step}`;
        let s = await state(page);
        if (s.ended) {  // the main window was closed: the program again, as a visitor would
            ++ends;
            await page.goto(page.url);
            await until(page, () => !document.body.classList.contains('starting'), null, 'the program to start again');
            s = await state(page);
        }
        view = s.view;
        const [, what, act] = choose();
        log(`${where}: ${what}`);
        if (s.windows.length)
            await act(s);
        await settled(page, where, what);
    }
    const stored = await page.eval(async () => ({
        requests: performance.getEntriesByType('resource').map((r) => r.name)
            .filter((u) => !u.startsWith('data:') && !u.startsWith('blob:')),
        local: localStorage.length, session: sessionStorage.length, cookies: document.cookie,
    }));
    assert.deepEqual(stored, { requests: [], local: 0, session: 0, cookies: '' }, `seed ${seed}: asked or stored`);
    return { ends };
}

// After a step: the program answers within a pause's time, says nothing went
// wrong (a message box of its own is read and dismissed), and every window's
// title bar is on the screen.
async function settled(page, where, what) {
    const end = Date.now() + 8000;
    let s = await state(page);
    while ((s.busy || s.message) && Date.now() < end) {
        if (s.message) {
            assert.match(s.message, /^Run-time error '\d+':/, `${where} (${what}): the message box says ${s.message}`);
            await (page.touch ? page.tap(...center(s.ok)) : page.click(...center(s.ok)));
        }
        await sleep(100);
        s = await state(page);
    }
    assert.ok(!s.busy, `${where} (${what}): the program did not answer within 8 s`);
    assert.deepEqual(page.errors, [], `${where} (${what}): errors`);
    for (const w of s.windows) {
        const [x, y, width, height] = w.bar;
        assert.ok(y >= -0.5 && x + width > 0 && y + height <= s.extent[1] + 0.5 && x < s.extent[0],
                  `${where} (${what}): the title bar of ${w.caption} at ${w.bar} is off the page (${s.extent})`);
    }
}

function center([x, y, width, height]) {
    return [x + width / 2, y + height / 2];
}
