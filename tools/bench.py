"""Measures what the program costs and prints one table; writes build/bench.json.

Start-up to the main window on screen, drawn (a window that is only mapped
is still empty: the minimal programs map theirs before they load a font),
and peak memory, each against the minimal window program of the same
toolkit; the busy pause's length and the processor time it uses; the
listing of a 100,000-file folder against a bare directory read, and how
long that blocks the interface. Medians of several runs, all measured in
this one run.
"""
import json
import os
import statistics
import subprocess
import sys
import time

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(TOP, "build", "linux")
# The Windows build that this machine's Wine runs (tools/wine-road.sh), and
# the one we ship, whose size is measured on every machine.
WINBUILD = os.path.join(TOP, "build", os.environ.get("VORNAK_ROAD", "windows"))
SHIPPED = os.path.join(TOP, "build", "windows", "Vornak1.exe")
DATA = os.path.join(TOP, "build", "bench-data")
RUNS = 5
# A start-up, and a page's load in a browser, vary by a third and more from
# one run to the next here (a phone-class load of 340 to 730 ms), so they
# are timed more often.
STARTUP_RUNS = 11
WEB_RUNS = 15
# Another build of the page, timed in turn with this one (make bench
# AGAINST=path/to/Vornak1.html, an earlier commit's, say): a difference of
# a tenth, which separate runs here cannot tell from their noise.
AGAINST = os.environ.get("AGAINST")


def big_folder():
    parent = os.path.join(DATA, "parent")
    big = os.path.join(parent, "big")
    stamp = os.path.join(DATA, "ready")
    if not os.path.exists(stamp):
        os.makedirs(big, exist_ok=True)
        for i in range(100_000):
            name = f"prog{i:06d}.EXE" if i % 10 == 0 else f"file{i:06d}.dat"
            open(os.path.join(big, name), "w").close()
        open(stamp, "w").close()
    return parent, big


def started(program, env, title):
    """Starts the program; returns it, the seconds until a window of that title
    was mapped and until the program had drawn into it, and the window's id.
    The wait sleeps on the X connection (window_shown), so that the
    processor is the program's alone; it gives up after two minutes, time
    enough for Wine to make its prefix on the first start."""
    waiter = subprocess.Popen([os.path.join(BUILD, "tools/bench/window_shown"), title, "120"],
                              stdout=subprocess.PIPE, text=True)
    if waiter.stdout.readline() != "ready\n":
        sys.exit("bench: cannot watch the display for windows")
    t = time.monotonic()
    p = subprocess.Popen(program, cwd=TOP, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = waiter.stdout.readline().split()
    t_mapped = time.monotonic() - t
    drawn = waiter.stdout.readline().split()
    t_drawn = time.monotonic() - t
    waiter.wait()
    if not drawn:
        p.kill()
        sys.exit(f"bench: {program} showed no window" if not mapped else f"bench: {program} drew nothing in its window")
    return p, t_mapped, t_drawn, drawn[1]


def start_and_close(program, env, title):
    """Seconds to the window mapped and drawn, and peak resident memory in
    KiB, of one run of the program, which is then closed by its window."""
    p, t_mapped, t_drawn, window = started(program, env, title)
    time.sleep(0.5)
    subprocess.run(["wmctrl", "-i", "-c", window])
    _, _, usage = os.wait4(p.pid, 0)
    return t_mapped, t_drawn, usage.ru_maxrss


def startups(programs, mapped=None):
    """For each (program, title): the median seconds from exec to its window
    on screen, drawn, and its median peak resident memory in KiB. The
    programs start in turn, run after run, so that a slow spell of the
    machine falls on each alike; the median seconds to each window mapped,
    before anything is drawn in it, go to the list mapped."""
    times, peaks, maps = ([[] for _ in programs] for _ in range(3))
    env = dict(os.environ)
    for _ in range(STARTUP_RUNS):
        for i, (program, title) in enumerate(programs):
            t_mapped, t_drawn, peak = start_and_close(program, env, title)
            times[i].append(t_drawn)
            maps[i].append(t_mapped)
            peaks[i].append(peak)
    if mapped is not None:
        mapped.extend(statistics.median(m) for m in maps)
    return [(statistics.median(t), statistics.median(k)) for t, k in zip(times, peaks)]


def wine_startup():
    """Start-up and peak memory of the Windows build under Wine and of the
    minimal Win32 program, or None when either is not built."""
    exe = os.path.join(WINBUILD, "Vornak1.exe")
    minimal = os.path.join(WINBUILD, "tools/bench/minimal_win32.exe")
    if not (os.path.exists(exe) and os.path.exists(minimal)):
        return None
    wine = os.path.join(TOP, "tools/run-under-wine.sh")
    start_and_close([wine, minimal], dict(os.environ), "Minimal")  # the prefix made and warm before anything is timed
    (start, peak), (start0, peak0) = startups([([wine, exe], "Brelvox"), ([wine, minimal], "Minimal")])
    return start, peak, start0, peak0


def wine_result(windows):
    return {"wine_startup_s": round(windows[0], 4), "wine_startup_minimal_s": round(windows[2], 4),
            "wine_startup_ratio": round(windows[0] / windows[2], 3), "wine_peak_rss_kib": windows[1],
            "wine_peak_rss_minimal_kib": windows[3], "wine_peak_rss_ratio": round(windows[1] / windows[3], 3)}


def wine_rows(windows, result):
    return [
        (f"Windows build under Wine ({os.path.basename(WINBUILD)}): start-up", f"{windows[0]:.3f} s",
         f"minimal Win32 program {windows[2]:.3f} s", f"{result['wine_startup_ratio']:.2f}", "<= 1.2"),
        ("Windows build under Wine: peak memory", f"{windows[1] / 1024:.1f} MiB",
         f"minimal Win32 program {windows[3] / 1024:.1f} MiB", f"{result['wine_peak_rss_ratio']:.2f}", "<= 1.2"),
    ]


def linux_rows(r):
    return [
        ("Linux build: start-up to the main window drawn", f"{r['startup_s']:.3f} s",
         f"minimal Qt program {r['startup_minimal_s']:.3f} s", f"{r['startup_ratio']:.2f}", "<= 1.2"),
        ("  the same to the window mapped, still empty", f"{r['mapped_s']:.3f} s",
         f"minimal Qt program {r['mapped_minimal_s']:.3f} s", f"{r['mapped_ratio']:.2f}", ""),
        ("Linux build: peak memory", f"{r['peak_rss_kib'] / 1024:.1f} MiB",
         f"minimal Qt program {r['peak_rss_minimal_kib'] / 1024:.1f} MiB", f"{r['peak_rss_ratio']:.2f}", "<= 1.2"),
        ("busy pause", f"{r['pause_s']:.4f} s", f"longest {r['pause_max_s']:.4f} s", "", "3.000-3.020 s"),
        ("processor time of a pause", f"{r['pause_cpu_s'] * 1000:.2f} ms",
         f"{100 * r['pause_cpu_s'] / r['pause_s']:.3f} % of a processor", "", "< 1 %"),
        ("listing 100,000 files (*.EXE)", f"{r['list_s'] * 1000:.1f} ms",
         f"bare directory read {r['bare_read_s'] * 1000:.1f} ms", f"{r['list_ratio']:.2f}", "<= 3"),
        ("interface blocked opening that folder", f"{r['ui_open_big_s'] * 1000:.1f} ms",
         f"longest {r['ui_open_big_max_s'] * 1000:.1f} ms, {r['files_shown']} files", "", "<= 250 ms"),
    ]


def print_table(rows):
    head = ("what", "measured", "against", "ratio", "goal")
    widths = [max(len(r[i]) for r in rows + [head]) for i in range(5)]
    line = lambda r: "  ".join(c.ljust(w) for c, w in zip(r, widths))
    print(line(head))
    print(line(tuple("-" * w for w in widths)))
    for r in rows:
        print(line(r))


def main():
    if AGAINST and not os.path.isfile(AGAINST):
        sys.exit(f"bench: AGAINST={AGAINST}: there is no page there to time this one against")
    parent, big = big_folder()
    core = json.loads(subprocess.check_output([os.path.join(BUILD, "tools/bench/bench_core"), big, str(RUNS)]))
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    ui = json.loads(subprocess.check_output([os.path.join(BUILD, "tools/bench/bench_qt"), parent, "big", "3"], env=env,
                                            stderr=subprocess.DEVNULL))
    mapped = []
    (start, peak), (start0, peak0) = startups([([os.path.join(BUILD, "vornak1")], "Brelvox"),
                                               ([os.path.join(BUILD, "tools/bench/minimal_qt")], "Minimal")], mapped)
    windows = wine_startup()

    web = json.loads(subprocess.check_output(["node", os.path.join(TOP, "tools/bench-web.mjs"),
                                              os.path.join(TOP, "build/web/Vornak1.html"), str(WEB_RUNS)]
                                             + ([os.path.abspath(AGAINST)] if AGAINST else [])))
    size = os.path.getsize(SHIPPED)
    result = {
        "exe_bytes": size,
        **web,
        "startup_s": round(start, 4), "startup_minimal_s": round(start0, 4), "startup_ratio": round(start / start0, 3),
        "peak_rss_kib": peak, "peak_rss_minimal_kib": peak0, "peak_rss_ratio": round(peak / peak0, 3),
        "mapped_s": round(mapped[0], 4), "mapped_minimal_s": round(mapped[1], 4),
        "mapped_ratio": round(mapped[0] / mapped[1], 3),
        **core,
        "list_ratio": round(core["list_s"] / core["bare_read_s"], 2),
        **ui,
        "runs": RUNS, "startup_runs": STARTUP_RUNS,
    }
    if windows:
        result.update(wine_result(windows))
    rows = linux_rows(result)
    if windows:
        rows[3:3] = wine_rows(windows, result)
    rows.append(("size of build/windows/Vornak1.exe", f"{size:,} bytes", "", "", "< 1,000,000 bytes"))
    rows.append(("web build: navigation to the main window drawn", f"{web['web_load_ms']:.0f} ms",
                 f"a page of the same size {web['web_load_minimal_ms']:.0f} ms", f"{web['web_load_ratio']:.2f}",
                 "<= 1.5"))
    rows.append(("the same on a phone-class processor (4x slower)", f"{web['web_phone_load_ms']:.0f} ms",
                 f"a page of the same size {web['web_phone_load_minimal_ms']:.0f} ms",
                 f"{web['web_phone_load_ratio']:.2f}", "<= 1.5"))
    rows.append(("web build: the program started, taking input", f"{web['web_started_ms']:.0f} ms",
                 f"on the phone-class processor {web['web_phone_started_ms']:.0f} ms", "", ""))
    rows.append(("size of build/web/Vornak1.html", f"{web['web_bytes']:,} bytes", "", "", "< 400,000 bytes"))
    if AGAINST:
        rows.append((f"{AGAINST} ({web['other_bytes']:,} bytes): its load; this page's as a share",
                     f"{web['other_load_ms']:.0f} ms", f"on the phone-class processor {web['other_phone_load_ms']:.0f} ms",
                     f"{web['web_load_vs_other']:.2f}, {web['web_phone_load_vs_other']:.2f}", ""))
        rows.append(("  its program started; this page's as a share", f"{web['other_started_ms']:.0f} ms",
                     f"on the phone-class processor {web['other_phone_started_ms']:.0f} ms",
                     f"{web['web_started_vs_other']:.2f}, {web['web_phone_started_vs_other']:.2f}", ""))
    print_table(rows)
    with open(os.path.join(TOP, "build", "bench.json"), "w") as f:
        json.dump(result, f, indent=2)
    print(f"\nmedians of {RUNS} runs ({STARTUP_RUNS} for the start-ups, {WEB_RUNS} for the page's load);"
          " written to build/bench.json")


main()
