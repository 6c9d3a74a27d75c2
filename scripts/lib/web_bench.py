#!/usr/bin/python3
"""The browser build against its floor, a static copy of the page's first frame (the same page with
its window written in, its style sheet and fonts, and no script), side by side in the same browser
on one private Xvfb: the bytes each page transfers, raw and gzip-compressed; page request to the
first frame that holds the window with its fonts, each page opened RUNS times in a fresh profile,
taking turns; how many frames a key press and a keypad tap take to be drawn; and, in headless
Chromium over the DevTools Protocol, the window's time on Lighthouse's Slow 4G with the page's
JavaScript heap and wasm memory. Prints the figures and writes them into docs/performance.md,
after the others.
Usage: scripts/lib/web_bench.py BUILD_DIR  (tests/e2e on PYTHONPATH)"""

import gzip
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from benchreport import BROWSER, quartiles, setting, verdict, write_section
import harness  # the e2e tests' private Xvfb, window and browser launcher
from harness.devtools import DevToolsPage

RUNS = setting("BENCH_STARTUP_RUNS", 10)
KEYS = setting("BENCH_KEYS", 60)
PRESSES = 500
BROWSERS = os.environ.get("BENCH_BROWSERS", "chromium firefox webkit").split()
# Each browser's name and version on the last line of the command's output. MiniBrowser's own
# --version needs an X display: WebKitGTK's package tells the same version without one.
VERSIONS = {
    "chromium": ["chromium", "--version"],
    "firefox": ["firefox-esr", "--version"],
    "webkit": ["dpkg-query", "-W", "-f", "WebKitGTK ${Version}\n", "libwebkit2gtk-4.1-0"],
}
# Lighthouse's Slow 4G as DevTools applies it: 150 ms round trips and 1.6 Mbit/s down, with its
# factors for throttling at the protocol level.
SLOW_4G = {"latency": 150, "downloadThroughput": 1.6e6 / 8, "uploadThroughput": 750e3 / 8}
# The same as Lighthouse applies it through DevTools, with its factors for throttling at the
# protocol level rather than the packet level: slower still.
SLOW_4G_APPLIED = {"latency": 150 * 3.75, "downloadThroughput": 1.6e6 * 0.9 / 8, "uploadThroughput": 750e3 * 0.9 / 8}

# Loaded first by the bench copies of both pages, as a file of its own (the page's policy allows
# no inline script). It reports the first frame that holds the window once the fonts are in, then
# counts for each key press or keypad tap the frames until one shows the turned arm.
PROBE = """"use strict";
(function () {
  let pressed = null, drew = false;
  document.fonts.ready.then(() => requestAnimationFrame(function first() {
    if (!document.getElementById("frmMain")) return requestAnimationFrame(first);
    window.benchFirstFrame = performance.now();
    console.log("bench first-frame " + window.benchFirstFrame.toFixed(1));
  }));
  document.addEventListener("DOMContentLoaded", () => {
    const drawing = document.getElementById("Picture1");
    if (drawing) new MutationObserver(() => { drew = true; }).observe(drawing, { attributes: true, subtree: true });
    for (const key of document.querySelectorAll("#keys button")) key.addEventListener("pointerdown", press("tap"), true);
  });
  requestAnimationFrame(function frame() {
    if (pressed) {
      pressed.frames += 1;
      if (drew) {
        console.log(`bench ${pressed.kind}-drawn ${pressed.frames} ${(performance.now() - pressed.at).toFixed(2)}`);
        pressed = null;
      }
    }
    drew = false;
    requestAnimationFrame(frame);
  });
  function press(kind) {
    return () => { if (!pressed) { drew = false; pressed = { at: performance.now(), frames: 0, kind }; } };
  }
  window.addEventListener("keydown", press("key"), true);
})();
"""


def bench_site(build, workdir):
    """Copies of the site with the probe: armdraw.html, and static.html, its first frame alone."""
    site = os.path.join(workdir, "site")
    shutil.copytree(os.path.join(build, "site"), site)
    with open(os.path.join(site, "probe.js"), "w") as out:
        out.write(PROBE)
    page = open(os.path.join(site, "armdraw.html")).read()
    page = page.replace("<head>\n", '<head>\n<script src="probe.js"></script>\n', 1)
    with open(os.path.join(site, "armdraw.html"), "w") as out:
        out.write(page)
    static = re.sub(r'<script src="(page|armdraw)\.js" defer></script>\n|<link rel="preload" href="armdraw\.wasm"[^>]*>\n',
                    "", page)
    if static.count("<script") != 1:
        raise SystemExit("web-bench: the page's scripts are not where the static copy expects them")
    with open(os.path.join(site, "static.html"), "w") as out:
        out.write(static)
    return site


def open_page(display, browser, page, workdir):
    """Opens the page in a fresh profile; returns the app, the request log, and the first frame in ms."""
    requests = os.path.join(workdir, "requests.log")
    if os.path.exists(requests):
        os.remove(requests)
    profile = tempfile.mkdtemp(dir=workdir)
    app = harness.App(display, page, workdir, timeout=60, painted=lambda image: True,
                      env={"ARMDRAW_BROWSER_PROFILE": profile, "ARMDRAW_BROWSER_REQUEST_LOG": requests,
                           "ARMDRAW_BROWSER_WIDTH": str(harness.PAGE_KEYPAD_WIDTH)},
                      launcher=harness.Browser(browser))
    deadline = time.monotonic() + 60
    while not (found := re.search(r"bench first-frame ([\d.]+)", app.log())):
        if time.monotonic() > deadline:
            app.stop()
            raise SystemExit(f"web-bench: {page} in {browser} showed no first frame: {app.log()[-2000:]}")
        time.sleep(0.05)
    return app, requests, float(found[1])


def transferred(site, requests):
    """Bytes of every file the page asked for, raw and gzip -9 compressed, once each."""
    with open(requests) as log:
        paths = {line.split()[2].split("?")[0].lstrip("/") for line in log} - {"probe.js"}
    raw = packed = 0
    for path in paths:
        data = open(os.path.join(site, path), "rb").read()
        raw += len(data)
        packed += len(gzip.compress(data, 9))
    return raw, packed


def frames_to_draw(app, kind, press):
    """Presses keypad 3 KEYS times with press(), each once the turn before shows, and returns the
    frames and ms each took to be drawn, as the probe logs them under kind."""
    pattern = rf"bench {kind}-drawn (\d+) ([\d.]+)"
    before = len(re.findall(pattern, app.log()))  # the presses that found the page the keyboard
    arm = harness.Arm()
    for _ in range(KEYS):
        # Not at a fixed pace: a loaded browser (WebKit) may draw a press a second late, and the
        # probe counts a press made before the last one showed as part of it.
        press()
        arm = arm.key(harness.KEYPAD_3)
        app.wait_for_arm(arm)
    deadline = time.monotonic() + 20
    while len(drawn := re.findall(pattern, app.log())[before:]) < KEYS:
        if time.monotonic() > deadline:
            raise SystemExit(f"web-bench: {len(drawn)} of {KEYS} {kind} presses drawn")
        time.sleep(0.1)
    drawn = drawn[:KEYS]
    return [int(frames) for frames, _ in drawn], [float(ms) for _, ms in drawn]


def key_and_tap_frames(app):
    """Frames to draw keypad 3 from the keyboard, then from the page's keypad."""
    app.focus()  # returns once the page has the keyboard and the arm is back at rest
    keys = frames_to_draw(app, "key", lambda: app.keys(harness.KEYPAD_3))
    app.keys(*[harness.KEYPAD_1] * KEYS)
    app.wait_for_arm(harness.Arm())
    app.click(harness.PAGE_KEYPAD_TOGGLE)
    return keys, frames_to_draw(app, "tap", lambda: app.click(harness.page_key(2, 2)))


def version(command):
    """The browser's name and version, without the rest of its line."""
    line = subprocess.run(command, capture_output=True, text=True).stdout.strip().splitlines()[-1]
    return re.match(r"\D*[\d.]+\w*", line)[0]


def slow_4g_and_memory(page, workdir, conditions):
    """Headless Chromium on a slow link, fresh: ms from the request to the window's first frame and
    to the module attached; then, on an unthrottled reload, the JavaScript heap in use and the wasm
    memory, in bytes."""
    app = DevToolsPage(page, workdir)
    try:
        app.send("Network.enable")
        app.send("Network.emulateNetworkConditions", offline=False, **conditions)
        app.open(timeout=120)
        first, ready = app.evaluate("[window.benchFirstFrame, performance.now()]")
        app.send("Network.emulateNetworkConditions", offline=False, latency=0, downloadThroughput=-1,
                 uploadThroughput=-1)
        app.reload()
        heap = app.send("Runtime.getHeapUsage")["usedSize"]
        wasm = app.evaluate("wasmMemory.buffer.byteLength")
        # A keypad 3 press from the key preview's listener to the drawing's attributes written,
        # without the rendering: microseconds, the mean of PRESSES.
        cost = app.evaluate(f"""(() => {{
            const t = performance.now();
            for (let i = 0; i < {PRESSES}; i++)
                window.dispatchEvent(new KeyboardEvent("keydown", {{ key: "3", code: "Numpad3", location: 3, cancelable: true }}));
            return (performance.now() - t) / {PRESSES} * 1000;
        }})()""")
        return first, ready, heap, wasm, cost
    finally:
        app.stop()


def main():
    build = sys.argv[1]
    workdir = tempfile.mkdtemp(prefix="armdraw-webbench-")
    site = bench_site(build, workdir)
    pages = {"armdraw": os.path.join(site, "armdraw.html"), "static": os.path.join(site, "static.html")}
    display = harness.Display(workdir).start()
    rows = []
    try:
        for browser in BROWSERS:
            paint = {name: [] for name in pages}
            sizes = {}
            for run in range(RUNS + 1):
                for turn in range(len(pages)):
                    name = list(pages)[(turn + run) % len(pages)]
                    app, requests, first = open_page(display, browser, pages[name], workdir)
                    if run > 0:  # the first round fills the machine's caches
                        paint[name].append(first)
                    if name == "armdraw" and run == RUNS:
                        drawn = key_and_tap_frames(app)
                    # The page's module comes after its first frame: counted once it has drawn.
                    sizes[name] = transferred(site, requests)
                    app.stop()
            rows.append((browser, paint, sizes, drawn))
        slow = [slow_4g_and_memory(pages["armdraw"], workdir, conditions)
                for conditions in (SLOW_4G, SLOW_4G_APPLIED)] if "chromium" in BROWSERS else None
    finally:
        display.stop()
        shutil.rmtree(workdir, ignore_errors=True)

    lines = [
        BROWSER,
        "",
        "Written by `make web-test` (scripts/web bench) on "
        f"{time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())}.",
        "The page against its floor: a static copy of its first frame (the page as built, with its",
        "window written in, its style sheet and fonts, but no script), served from 127.0.0.1, in the",
        "same browser on Xvfb. First frame: from the page's request to the first frame that holds the",
        f"window once its fonts are in, fresh profile each time, {RUNS} runs of each page, interleaved;",
        "median (quartiles). Transfer: every file the page asked for, raw and as `gzip -9` would send",
        f"it. Key to frame: keypad 3 pressed {KEYS} times, each once the turn before shows; frames from",
        "the key press to the frame that shows the turned arm, and the time to it, median (worst).",
        "Keypad tap to frame: the same with the page's keypad key 3 clicked, from the pointer's press.",
        "",
        "| Browser | Measure | armdraw | static copy | ratio | goal |",
        "|---|---|---|---|---|---|",
    ]
    for browser, paint, sizes, drawn in rows:
        name = version(VERSIONS[browser])
        start = {page: quartiles(samples) for page, samples in paint.items()}
        ratio = start["armdraw"][0] / start["static"][0]
        lines += [
            "| {} | Request to first frame | {:.0f} ms ({:.0f}-{:.0f}) | {:.0f} ms ({:.0f}-{:.0f}) | {:.2f} | 1.2x: {} |".format(
                name, *start["armdraw"], *start["static"], ratio, verdict(ratio, 1.2)),
            "| | Transfer, raw | {:.1f} KB | {:.1f} KB | {:.2f} | |".format(
                sizes["armdraw"][0] / 1e3, sizes["static"][0] / 1e3, sizes["armdraw"][0] / sizes["static"][0]),
            "| | Transfer, gzip | {:.1f} KB | {:.1f} KB | {:.2f} | 100 KB: {} |".format(
                sizes["armdraw"][1] / 1e3, sizes["static"][1] / 1e3, sizes["armdraw"][1] / sizes["static"][1],
                "met" if sizes["armdraw"][1] <= 100e3 else "missed"),
        ]
        for measure, (frames, ms) in zip(("Key to frame", "Keypad tap to frame"), drawn):
            lines.append("| | {} | {} frame ({:.1f} ms), worst {} ({:.1f} ms) | | | 1 frame: {} |".format(
                measure, statistics.median(frames), statistics.median(ms), max(frames), max(ms),
                verdict(max(frames), 1)))
    if slow:
        (first, ready, heap, wasm, cost), (applied_first, applied_ready, *_) = slow
        lines += [
            "| Headless Chromium | Slow 4G (150 ms, 1.6 Mbit/s): request to first frame | {:.2f} s | | | 2.5 s: {} |".format(
                first / 1e3, "met" if first <= 2500 else "missed"),
            "| | Slow 4G: request to module attached | {:.2f} s | | | |".format(ready / 1e3),
            "| | Slow 4G as Lighthouse applies it (563 ms, 1.44 Mbit/s): first frame | {:.2f} s | | | 2.5 s: {} |".format(
                applied_first / 1e3, "met" if applied_first <= 2500 else "missed"),
            "| | The same: module attached | {:.2f} s | | | |".format(applied_ready / 1e3),
            "| | JavaScript heap in use | {:.2f} MB | | | |".format(heap / 1e6),
            "| | Wasm memory | {:.2f} MB | | | |".format(wasm / 1e6),
            "| | Keypad 3 press in the handler, without rendering | {:.0f} µs | | | |".format(cost),
        ]
    lines.append("")
    section = "\n".join(lines)
    print(section)

    print(f"web-bench: wrote {write_section(BROWSER, section)}", file=sys.stderr)


if __name__ == "__main__":
    main()
