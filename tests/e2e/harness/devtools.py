"""The browser build's page in headless Chromium, driven through the DevTools Protocol over
--remote-debugging-pipe: a phone's screen, touch and user agent emulated, touches dispatched,
the accessibility tree read, and the window's pictures taken by the browser itself."""

import base64
import json
import os
import struct
import subprocess
import tempfile
import time

from .design import KEYPAD_1, KEYPAD_3, KEYPAD_4, KEYPAD_6, WINDOW_SIZE
from .errors import HarnessError
from .launchers import CHROMIUM, serve_folder
from .pictures import Image
from .program import _Window, die_with_parent, stop_group

# The harness's key names, as a keyboard with Num Lock on sends them: DOM key, code and location.
KEYS = {
    KEYPAD_1: ("1", "Numpad1", 3), KEYPAD_3: ("3", "Numpad3", 3), KEYPAD_4: ("4", "Numpad4", 3),
    KEYPAD_6: ("6", "Numpad6", 3), "space": (" ", "Space", 0),
}


class DevToolsPage(_Window):
    """The page served from its folder and opened in a fresh headless Chromium. send() is one
    DevTools command to the page; capture() is the window as the page shows it, one pixel to a
    window pixel whatever the zoom and density."""

    tolerance = 40  # the picture is scaled back from the zoomed page, which blends edges

    def __init__(self, page, workdir, timeout=60):
        self.workdir = workdir
        self.server = serve_folder(os.path.dirname(page))
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/{os.path.basename(page)}"
        self.profile = tempfile.mkdtemp(dir=workdir)
        self.next_id = 0
        self.session = None
        self.touching = False
        self.process = None
        self.log_path = os.path.join(workdir, "chromium.log")
        to_browser, self._to_browser = os.pipe()
        self._from_browser, from_browser = os.pipe()

        # Chromium reads commands from its descriptor 3 and answers on 4.
        def pipes():
            die_with_parent()
            os.dup2(to_browser, 3)
            os.dup2(from_browser, 4)
            os.closerange(5, 256)

        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen(
                [CHROMIUM, "--headless=new", "--no-sandbox",
                 "--remote-debugging-pipe", "--no-first-run", "--no-default-browser-check",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync", "--disable-quic",
                 "--force-device-scale-factor=1", f"--user-data-dir={self.profile}",
                 f"--window-size={WINDOW_SIZE[0]},{WINDOW_SIZE[1]}", "about:blank"],
                stdin=subprocess.DEVNULL, stdout=log, stderr=log, close_fds=False, start_new_session=True,
                preexec_fn=pipes)
        os.close(to_browser)
        os.close(from_browser)
        self._buffer = b""
        try:
            target = next(t for t in self.send("Target.getTargets", browser=True)["targetInfos"] if t["type"] == "page")
            self.session = self.send("Target.attachToTarget", browser=True, targetId=target["targetId"],
                                     flatten=True)["sessionId"]
            for domain in ("Page", "Runtime"):
                self.send(f"{domain}.enable")
            self.send("Emulation.setFocusEmulationEnabled", enabled=True)
            self.set_scale(1)
        except BaseException:
            self.stop()
            raise

    # The protocol: NUL-terminated JSON messages both ways.

    def send(self, method, browser=False, timeout=60, **params):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if self.session and not browser:
            message["sessionId"] = self.session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while True:
            reply = self._receive(deadline)
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise HarnessError(f"{method}: {reply['error'].get('message')}")
                return reply.get("result", {})
            # Anything else is an event, which no test reads.

    def _receive(self, deadline):
        while b"\0" not in self._buffer:
            self._check_alive()
            if time.monotonic() > deadline:
                raise HarnessError("Chromium did not answer within the time")
            chunk = os.read(self._from_browser, 1 << 20)
            if not chunk:
                raise HarnessError(f"Chromium closed its pipe; its log:\n{self.log()[-3000:]}")
            self._buffer += chunk
        message, _, self._buffer = self._buffer.partition(b"\0")
        return json.loads(message)

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page, awaited if it is a promise."""
        result = self.send("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise HarnessError(f"{expression}: {result['exceptionDetails'].get('exception', {}).get('description')}")
        return result["result"].get("value")

    # The page.

    def open(self, timeout=60):
        """Loads the page and waits for the window's first paint."""
        self.send("Page.navigate", url=self.url)
        self.wait_for_page(timeout)

    def reload(self, timeout=60):
        self.send("Page.reload", ignoreCache=True)
        self.wait_for_page(timeout)

    def wait_for_page(self, timeout):
        deadline = time.monotonic() + timeout
        while not self.evaluate("document.readyState === 'complete' && "
                                "document.documentElement.classList.contains('armdraw-ready')"):
            if time.monotonic() > deadline:
                raise HarnessError(f"the page showed no window within {timeout} s; Chromium's log:\n{self.log()[-3000:]}")
            time.sleep(0.1)

    def emulate_phone(self, width, height, scale=3, android=False):
        """A touch screen of width x height CSS pixels at scale device pixels to one."""
        self.send("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=scale, mobile=True,
                  screenWidth=width, screenHeight=height,
                  screenOrientation={"type": "portraitPrimary" if height > width else "landscapePrimary",
                                     "angle": 0 if height > width else 90})
        self.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        if android:
            self.send("Emulation.setUserAgentOverride", platform="Linux armv8l",
                      userAgent="Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) "
                                "Chrome/120.0.0.0 Mobile Safari/537.36")

    def set_scale(self, scale):
        """A desktop browser's page the window's size at scale device pixels to a CSS pixel, as
        after a move to a screen of another density."""
        self.send("Emulation.setDeviceMetricsOverride", width=WINDOW_SIZE[0], height=WINDOW_SIZE[1],
                  deviceScaleFactor=scale, mobile=False)

    def rect(self, selector, on_screen=False):
        """An element's box in CSS pixels from the layout viewport's corner, where touches land;
        on_screen, in the screen's CSS pixels, as the page's zoom shows it."""
        return self.evaluate(f"""(() => {{
            const r = document.querySelector({json.dumps(selector)}).getBoundingClientRect();
            const v = {json.dumps(on_screen)} ? visualViewport : {{ offsetLeft: 0, offsetTop: 0, scale: 1 }};
            return [(r.left - v.offsetLeft) * v.scale, (r.top - v.offsetTop) * v.scale, r.width * v.scale, r.height * v.scale];
        }})()""")

    def window_point(self, point):
        """Where a window pixel is, for a touch."""
        left, top, width, _ = self.rect("#window")
        return left + point[0] * width / WINDOW_SIZE[0], top + point[1] * width / WINDOW_SIZE[0]

    # Input as the X11 session's App takes it: keys by the harness's names, and the pointer's
    # clicks and drags as a finger's taps and swipes, at window pixels.

    def keys(self, *names):
        """Key events as the focused element gets them; Chromium's own go astray after a change of
        emulated screen."""
        for name in names:
            key, code, location = KEYS[name]
            self.evaluate(f"""(target => {{
                for (const type of ["keydown", "keyup"])
                    target.dispatchEvent(new KeyboardEvent(type, {{ key: {json.dumps(key)}, code: "{code}",
                        location: {location}, bubbles: true, cancelable: true }}));
            }})(document.activeElement || document.body)""")

    def click(self, point, times=1):
        for _ in range(times):
            self.tap(self.window_point(point))

    def drag(self, start, end, steps=8, release=True):
        # A finger moves once a frame: faster, the browser merges the moves.
        start, end = self.window_point(start), self.window_point(end)
        self.touch("touchStart", start)
        for i in range(1, steps + 1):
            time.sleep(1 / 30)
            self.touch("touchMove", (start[0] + (end[0] - start[0]) * i / steps,
                                     start[1] + (end[1] - start[1]) * i / steps))
        if release:
            self.release()

    def release(self):
        self.touch("touchEnd")

    def touch(self, kind, point=None):
        self.touching = kind in ("touchStart", "touchMove")
        points = [] if point is None else [{"x": point[0], "y": point[1], "id": 1, "radiusX": 2, "radiusY": 2}]
        self.send("Input.dispatchTouchEvent", type=kind, touchPoints=points)

    def tap(self, point, hold=0.05):
        self.touch("touchStart", point)
        time.sleep(hold)
        self.touch("touchEnd")

    def capture(self):
        """The window, scaled back to its own pixels from however the page shows it."""
        self._check_alive()
        left, top, width, height = self.rect("#window", on_screen=True)
        # A screenshot from the compositor's surface, in device pixels, re-sends a held touch at a
        # third of its place at a device scale of 3: under a finger, one in the screen's CSS pixels.
        shot = base64.b64decode(self.send("Page.captureScreenshot", format="png",
                                          fromSurface=not self.touching)["data"])
        ratio = struct.unpack(">I", shot[16:20])[0] / self.evaluate("visualViewport.width * visualViewport.scale")
        box = (left * ratio, top * ratio, (left + width) * ratio, (top + height) * ratio)
        return Image.from_png(shot, box, WINDOW_SIZE)

    def stop(self):
        if self.process:
            stop_group(self.process)
        for fd in (self._to_browser, self._from_browser):
            try:
                os.close(fd)
            except OSError:
                pass
        self._to_browser = self._from_browser = -1
        self.server.shutdown()
        self.server.server_close()
