#!/usr/bin/python3
"""The browser build against a bare Qt page (bench/bare.cpp built for WebAssembly, served by the same
page and loader), side by side in the same browser on one private Xvfb: the bytes each page
transfers, raw and gzip-compressed; page request to first frame, each page opened RUNS times in a
fresh profile, taking turns; and how many frames a key press takes to be drawn. Prints the figures
and writes them into docs/performance.md, after the others.
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

RUNS = setting("BENCH_STARTUP_RUNS", 10)
KEYS = setting("BENCH_KEYS", 60)
BROWSERS = os.environ.get("BENCH_BROWSERS", "chromium firefox webkit").split()
# Each browser's name and version on the last line of the command's output. MiniBrowser's own
# --version needs an X display: WebKitGTK's package tells the same version without one.
VERSIONS = {
    "chromium": ["chromium", "--version"],
    "firefox": ["firefox-esr", "--version"],
    "webkit": ["dpkg-query", "-W", "-f", "WebKitGTK ${Version}\n", "libwebkit2gtk-4.1-0"],
}

# Added to the bench copies of the page only. The page announces its first frame; this reports when
# it came, then counts for each key press the frames until one draws (Qt draws through WebGL).
PROBE = """<script>
document.addEventListener("armdraw-first-frame", () => {
  console.log("bench first-frame " + performance.now().toFixed(1));
  const draw = WebGLRenderingContext.prototype.drawArrays;
  const draw2 = window.WebGL2RenderingContext && WebGL2RenderingContext.prototype.drawArrays;
  let drew = false, pressed = null;
  WebGLRenderingContext.prototype.drawArrays = function () { drew = true; return draw.apply(this, arguments); };
  if (draw2) WebGL2RenderingContext.prototype.drawArrays = function () { drew = true; return draw2.apply(this, arguments); };
  const frame = window.requestAnimationFrame;
  window.requestAnimationFrame = callback => frame.call(window, time => {
    drew = false;
    callback(time);
    if (pressed) {
      pressed.frames += 1;
      if (drew) {
        console.log(`bench ${pressed.kind}-drawn ${pressed.frames} ${(performance.now() - pressed.at).toFixed(2)}`);
        pressed = null;
      }
    }
  });
  const press = kind => () => { pressed = pressed || { at: performance.now(), frames: 0, kind }; };
  window.addEventListener("keydown", press("key"), true);
  for (const key of document.querySelectorAll("#keys button")) key.addEventListener("pointerdown", press("tap"), true);
});
</script>
"""


def bench_site(build, workdir):
    """Copies of the site with the probe: armdraw.html, and bare.html loading the bare program."""
    site = os.path.join(workdir, "site")
    shutil.copytree(os.path.join(build, "site"), site)
    for name in ("bench_bare.js", "bench_bare.wasm"):
        shutil.copy(os.path.join(build, "bench", name), site)
    page = open(os.path.join(site, "armdraw.html")).read().replace("</body>", PROBE + "</body>")
    with open(os.path.join(site, "armdraw.html"), "w") as out:
        out.write(page)
    load, bare_load = 'loadEmscriptenModule("armdraw")', 'loadEmscriptenModule("bench_bare")'
    bare = page.replace(load, bare_load)
    # The call may sit in a script of the page's own: the bare page gets a copy that loads the bare program.
    for script in re.findall(r'<script src="([^"/]+\.js)"', page):
        text = open(os.path.join(site, script)).read()
        if load in text:
            with open(os.path.join(site, "bare-" + script), "w") as out:
                out.write(text.replace(load, bare_load))
            bare = bare.replace(f'<script src="{script}"', f'<script src="bare-{script}"')
    if bare == page:
        raise SystemExit(f"web-bench: the page loads its program with no {load} to point at the bare one")
    with open(os.path.join(site, "bare.html"), "w") as out:
        out.write(bare)
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
        paths = {line.split()[2].split("?")[0].lstrip("/") for line in log}
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


def main():
    build = sys.argv[1]
    workdir = tempfile.mkdtemp(prefix="armdraw-webbench-")
    site = bench_site(build, workdir)
    pages = {"armdraw": os.path.join(site, "armdraw.html"), "bare": os.path.join(site, "bare.html")}
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
                    sizes[name] = transferred(site, requests)
                    if name == "armdraw" and run == RUNS:
                        drawn = key_and_tap_frames(app)
                    app.stop()
            rows.append((browser, paint, sizes, drawn))
    finally:
        display.stop()
        shutil.rmtree(workdir, ignore_errors=True)

    lines = [
        BROWSER,
        "",
        "Written by `make web-test` (scripts/web bench) on "
        f"{time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())}.",
        "The page against the bare page: bench/bare.cpp built for WebAssembly with the same Qt, served",
        "by the same page and loader from 127.0.0.1, in the same browser on Xvfb (software WebGL).",
        f"First frame: from the page's request to the first frame Qt draws, fresh profile each time, {RUNS}",
        "runs of each page, interleaved; median (quartiles). Transfer: every file the page asked for,",
        "raw and as `gzip -9` would send it. Key to frame: keypad 3 pressed "
        f"{KEYS} times, each once the turn before",
        "shows; frames from the key press to the frame that draws the turned arm, and the time to the",
        "end of that frame's drawing, median (worst). Keypad tap to frame: the same with the page's",
        "keypad key 3 clicked, from the pointer's press. The browser's window leaves the keypad room.",
        "",
        "| Browser | Measure | armdraw | bare page | ratio | goal |",
        "|---|---|---|---|---|---|",
    ]
    for browser, paint, sizes, drawn in rows:
        name = version(VERSIONS[browser])
        start = {page: quartiles(samples) for page, samples in paint.items()}
        ratio = start["armdraw"][0] / start["bare"][0]
        raw_ratio = sizes["armdraw"][0] / sizes["bare"][0]
        packed_ratio = sizes["armdraw"][1] / sizes["bare"][1]
        lines += [
            "| {} | Request to first frame | {:.0f} ms ({:.0f}-{:.0f}) | {:.0f} ms ({:.0f}-{:.0f}) | {:.2f} | 1.2x: {} |".format(
                name, *start["armdraw"], *start["bare"], ratio, verdict(ratio, 1.2)),
            "| | Transfer, raw | {:.2f} MB | {:.2f} MB | {:.2f} | |".format(
                sizes["armdraw"][0] / 1e6, sizes["bare"][0] / 1e6, raw_ratio),
            "| | Transfer, gzip | {:.2f} MB | {:.2f} MB | {:.2f} | 4 MB: {} |".format(
                sizes["armdraw"][1] / 1e6, sizes["bare"][1] / 1e6, packed_ratio,
                "met" if sizes["armdraw"][1] < 4e6 else "missed"),
        ]
        for measure, (frames, ms) in zip(("Key to frame", "Keypad tap to frame"), drawn):
            lines.append("| | {} | {} frame ({:.1f} ms), worst {} ({:.1f} ms) | | | 1 frame: {} |".format(
                measure, statistics.median(frames), statistics.median(ms), max(frames), max(ms),
                verdict(max(frames), 1)))
    lines.append("")
    section = "\n".join(lines)
    print(section)

    print(f"web-bench: wrote {write_section(BROWSER, section)}", file=sys.stderr)


if __name__ == "__main__":
    main()
