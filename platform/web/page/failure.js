// When the program cannot run, or stops on an error: a message box in the
// program's own style saying so, and what works instead, over whatever the
// page had drawn, and then the end of the program. Never an endless
// hourglass, never silence. This is the page's first script, and written
// for any browser that runs scripts at all: the others may fail to be read
// in an old one, and this one must still say so. It makes the page's one
// global, Vornak, to which the other scripts add.
var Vornak = { failure: (function () {
    'use strict';

    var failed = false;
    var started = false;

    var instead = 'Open the page in another browser, or run the Windows or Linux version of Vornak1.';
    var texts = {
        wasm: 'This browser cannot run Vornak1: it has no WebAssembly, or has it turned off.\n\n' + instead,
        policy: 'The site that sent this page does not let it run Vornak1: its Content-Security-Policy lacks '
            + "'wasm-unsafe-eval'.\n\nOpen the page from disk or from another site, or run the Windows or Linux "
            + 'version of Vornak1.',
        start: 'This browser cannot run Vornak1:\n@\n\n' + instead,
        stopped: 'This program has performed an illegal operation and will be shut down.\n@\n\n'
            + 'Reload the page to start the program again.'
    };

    // The drawing of the screen, as the windows' (screen.js): the design's
    // resolution and the device pixels a pixel of it takes.
    // A screen that cannot say is drawn as the era's own.
    function drawing() {
        try {
            var ratio = window.devicePixelRatio || 1;
            var rows = JSON.parse(document.getElementById('screens').textContent);
            var chosen = rows[0];
            for (var i = 0; i < rows.length; ++i)
                if (96 * ratio >= rows[i][0])
                    chosen = rows[i];
            return { dpi: chosen[1], factor: chosen[2], ratio: ratio };
        } catch (e) {
            return { dpi: 96, factor: 1, ratio: 1 };
        }
    }

    // A classic message box with one OK button, over everything on the page
    // and centred on the screen, on whole device pixels; closed(e) when OK
    // is pressed.
    function box(title, text, closed) {
        var screen = drawing();
        var el = document.createElement('div');
        el.className = 'window message dpi' + screen.dpi;
        el.style.setProperty('--s', String(screen.factor / screen.ratio));
        el.setAttribute('role', 'alertdialog');
        el.setAttribute('aria-label', title);
        el.innerHTML = '<div class="title-bar"><div class="title-bar-text"></div></div>'
            + '<div class="client"><div class="stop" aria-hidden="true"></div><div class="text"></div>'
            + '<button>OK</button></div>';
        el.querySelector('.title-bar-text').textContent = title;
        el.querySelector('.text').textContent = text;
        var ok = el.querySelector('button');
        var close = function (e) {
            e.preventDefault();
            el.parentNode.removeChild(el);
            closed(e);
        };
        ok.addEventListener('click', close);
        ok.addEventListener('keydown', function (e) {
            if (e.key === 'Enter' || e.key === ' ' || e.key === 'Escape')
                close(e);
        });
        el.addEventListener('contextmenu', function (e) { e.preventDefault(); });
        el.style.zIndex = 1000001;
        document.body.appendChild(el);
        var centre = function (room, size) {
            return Math.max(0, Math.floor(screen.ratio * (room - size) / 2)) / screen.ratio + 'px';
        };
        el.style.left = centre(innerWidth, el.getBoundingClientRect().width);
        el.style.top = centre(innerHeight, el.getBoundingClientRect().height);
        ok.focus();
        return el;
    }

    // What went wrong, in a line: the browser's own words for an error.
    function detail(error) {
        if (typeof error === 'number')
            return 'an exception the program did not handle';
        var text = error && error.message !== undefined ? (error.name ? error.name + ': ' : '') + error.message
            : String(error);
        return text.length > 160 ? text.slice(0, 157) + '...' : text;
    }

    // A host's policy refusing to compile the program, as each engine words it.
    function refused(error) {
        return /Content.Security|CSP|unsafe-eval|Refused to (compile|create)/i.test(detail(error));
    }

    // The end: what the page drew is left, plainly not usable, under the
    // message; once it is read, the program is gone, as after its last
    // window closed.
    function fail(text) {
        if (failed)
            return;
        failed = true;
        if (Vornak.calls)
            Vornak.calls.end();
        var desktop = document.getElementById('desktop');
        desktop.inert = true;
        var bars = desktop.querySelectorAll('.title-bar');
        for (var i = 0; i < bars.length; ++i)
            bars[i].className += ' inactive';
        document.body.className = document.body.className.replace(/\b(starting|hourglass)\b/g, '');
        document.getElementById('hourglass').style.display = 'none';
        document.getElementById('frozen').style.display = 'block';
        box('Vornak1', text, function () {
            desktop.innerHTML = '';
            document.getElementById('frozen').style.display = 'none';
            document.body.className += ' ended';
        });
    }

    // The program could not be started: why (a name of texts, or an error).
    function atStart(why) {
        if (typeof why === 'string' && texts[why])
            fail(texts[why]);
        else
            fail(refused(why) ? texts.policy : texts.start.replace('@', function () { return detail(why); }));
    }

    // A call into the program failed: the program cannot go on.
    function stopped(error) {
        fail(texts.stopped.replace('@', function () { return detail(error); }));
    }

    // An error the program cannot go on from: before it has started, its
    // start failed; afterwards, it stopped.
    function error(e) {
        if (started)
            stopped(e);
        else
            atStart(e);
    }

    // Anything the page's scripts let fall before the program runs stops
    // the start; while a call runs, the program.
    function uncaught(e, thrown) {
        if (failed)
            return;
        if (started && (!Vornak.calls || !Vornak.calls.busy()))
            return;
        error(thrown);
        e.preventDefault();
    }
    window.addEventListener('error', function (e) { uncaught(e, e.error || e.message); });
    window.addEventListener('unhandledrejection', function (e) { uncaught(e, e.reason); });

    return {
        box: box, atStart: atStart, stopped: stopped, error: error,
        started: function () { started = true; },
        get failed() { return failed; }
    };
})() };
