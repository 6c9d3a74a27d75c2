"""Runs the real armdraw window on a private Xvfb display, drives it with real X input
(xdotool), reads its pixels (xwd) and predicts the picture from the window's design numbers.

Every position here comes from the design, in twips (15 to a pixel), never from the program.
"""

import ctypes
import math
import os
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zlib
from dataclasses import dataclass, replace

TWIPS_PER_PIXEL = 15
WINDOW_TITLE = "Form1"
WINDOW_SIZE = (987, 732)
SURFACE = (240, 480, 10605, 9645)  # Picture1: left, top, width, height in window twips
PI = 3.141590118408203  # the program's single-precision pi, widened

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
RED = (255, 0, 0)
BLUE = (0, 0, 255)
LIGHT_RED = (255, 192, 192)
LIGHT_BLUE = (192, 192, 255)
LIGHT_GREY = (224, 224, 224)
GREY = (192, 192, 192)

# Raw keycodes of the keypad keys in Xvfb's default (evdev) keymap: the keysym they give
# depends on the Num Lock state, which is the point of sending them raw.
KEYPAD_1, KEYPAD_3, KEYPAD_4, KEYPAD_6 = "87", "89", "83", "85"


class HarnessError(Exception):
    """The environment failed (no display, no window), as opposed to a wrong picture."""


def px(twips):
    return twips / TWIPS_PER_PIXEL


def window_rect(left, top, width, height):
    """A control's box in window pixels from its design twips, as the window rounds it."""
    return (round(px(left)), round(px(top)), round(px(width)), round(px(height)))


def centre(rect):
    left, top, width, height = rect
    return (left + width // 2, top + height // 2)


def inside(container, child):
    """A child's rectangle, given relative to its container's window rectangle."""
    return (container[0] + child[0], container[1] + child[1], child[2], child[3])


# --- The design's control places, in window pixels ------------------------------------------

PICTURE1 = window_rect(*SURFACE)
FRA_ARM1 = window_rect(11160, 480, 1575, 3525)
FRA_ARM2 = window_rect(12960, 480, 1575, 3525)
FRA_ARM2_MODE = inside(FRA_ARM2, window_rect(240, 2400, 1095, 855))
OPT_FLOATING = inside(FRA_ARM2_MODE, window_rect(120, 240, 900, 300))
OPT_RIGID = inside(FRA_ARM2_MODE, window_rect(120, 480, 900, 300))
FRA_ORIGIN = window_rect(11760, 4440, 2295, 2055)
FRA_HOVER_HELP = window_rect(11520, 9240, 2295, 855)
LBL_HOVER_CONTROLS = inside(FRA_HOVER_HELP, window_rect(120, 360, 2055, 240))
LBL_INFO = window_rect(240, 10320, 14265, 495)
SCR_ORIGIN_X = inside(FRA_ORIGIN, window_rect(720, 1530, 1200, 300))
SCR_ORIGIN_Y = inside(FRA_ORIGIN, window_rect(240, 375, 300, 1100))


def scr_radius(index):
    return inside(FRA_ARM1 if index == 1 else FRA_ARM2, window_rect(315, 450, 300, 1200))


def scr_width(index):
    return inside(FRA_ARM1 if index == 1 else FRA_ARM2, window_rect(900, 450, 300, 1200))


def width_label(index):
    return inside(FRA_ARM1 if index == 1 else FRA_ARM2, window_rect(890, 1800, 435, 195))


def cmd_origin(index):
    columns, rows = (950, 1300, 1650), (375, 735, 1080)
    return inside(FRA_ORIGIN, window_rect(columns[(index - 1) % 3], rows[(index - 1) // 3], 255, 255))


# --- The arm the design predicts --------------------------------------------------------------

def _round_half_even(value):
    return int(round(value))  # Python rounds halves to even, as the program must


ANCHOR_COLUMNS = (1, _round_half_even(SURFACE[2] / 2), SURFACE[2])
ANCHOR_ROWS = (1, _round_half_even(SURFACE[3] / 2), SURFACE[3])


@dataclass(frozen=True)
class Arm:
    """The state the test expects: angles in whole degrees (segment 2's as stored), lengths
    and the anchor in twips, widths in pixels."""

    angle1: int = 0
    angle2: int = 90
    rigid: bool = False
    radius1: int = 4000
    radius2: int = 1500
    width1: int = 20
    width2: int = 20
    origin_x: int = ANCHOR_COLUMNS[1]
    origin_y: int = ANCHOR_ROWS[1]

    def key(self, code):
        """One key press, named as xdotool takes it: a keysym or a raw keypad keycode."""
        if code in (KEYPAD_3, "Next"):
            return replace(self, angle1=self.angle1 + 5)
        if code in (KEYPAD_1, "End"):
            return replace(self, angle1=self.angle1 - 5)
        if code in (KEYPAD_6, "Right"):
            return replace(self, angle2=self.angle2 + 5)
        if code in (KEYPAD_4, "Left"):
            return replace(self, angle2=self.angle2 - 5)
        if code == "space":
            return self.with_mode(not self.rigid)
        return self

    def keys(self, codes):
        arm = self
        for code in codes:
            arm = arm.key(code)
        return arm

    def with_mode(self, rigid):
        if rigid == self.rigid:
            return self
        # The stored angle changes reference so that the picture stays.
        angle2 = self.angle2 - self.angle1 if rigid else self.angle2 + self.angle1
        return replace(self, rigid=rigid, angle2=angle2)

    def anchor_button(self, index):
        return replace(self, origin_x=ANCHOR_COLUMNS[(index - 1) % 3], origin_y=ANCHOR_ROWS[(index - 1) // 3])

    def segments(self):
        """Both segments' end points in surface twips: ((x0, y0), (x1, y1), (x2, y2))."""
        a1 = self.angle1 * PI / 180
        x1 = self.origin_x + self.radius1 * math.cos(a1)
        y1 = self.origin_y + self.radius1 * math.sin(a1)
        a2 = (self.angle2 + (self.angle1 if self.rigid else 0)) * PI / 180
        return ((self.origin_x, self.origin_y), (x1, y1),
                (x1 + self.radius2 * math.cos(a2), y1 + self.radius2 * math.sin(a2)))


def surface_to_window(x, y):
    return (px(SURFACE[0] + x), px(SURFACE[1] + y))


def _capsule_distance(point, start, end, radius):
    (px_, py_), (ax, ay), (bx, by) = point, start, end
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px_ - ax) * dx + (py_ - ay) * dy) / length2))
    return math.hypot(px_ - ax - t * dx, py_ - ay - t * dy) - radius


def _rect_distance(point, rect):
    left, top, right, bottom = rect
    dx = max(left - point[0], point[0] - right)
    dy = max(top - point[1], point[1] - bottom)
    return math.hypot(max(dx, 0), max(dy, 0)) + min(max(dx, dy), 0)


def expected_items(arm):
    """The surface's items, each (colour, bounding box, signed distance function) in window
    pixels: segment 2, segment 1, and the anchor's post and base."""
    (x0, y0), (x1, y1), (x2, y2) = arm.segments()
    start, joint, tip = surface_to_window(x0, y0), surface_to_window(x1, y1), surface_to_window(x2, y2)
    base = surface_to_window(arm.origin_x - 850, arm.origin_y + 300)
    post = surface_to_window(arm.origin_x - 125, arm.origin_y - 100)
    base_rect = (base[0], base[1], base[0] + px(1695), base[1] + px(495))
    post_rect = (post[0], post[1], post[0] + px(255), post[1] + px(855))

    def box(a, b, pad):
        return (min(a[0], b[0]) - pad, min(a[1], b[1]) - pad, max(a[0], b[0]) + pad, max(a[1], b[1]) + pad)

    return [
        (BLUE, box(joint, tip, arm.width2 / 2), lambda p: _capsule_distance(p, joint, tip, arm.width2 / 2)),
        (RED, box(start, joint, arm.width1 / 2), lambda p: _capsule_distance(p, start, joint, arm.width1 / 2)),
        (BLACK, post_rect, lambda p: _rect_distance(p, post_rect)),
        (BLACK, base_rect, lambda p: _rect_distance(p, base_rect)),
    ]


def expected_colours(items, point, margin):
    """The colours the pixel centred at point may have: any item's that clearly covers it (which
    item lies on top is the program's choice), white if none does; None where an edge is too
    near (antialiasing, rounding) to say."""
    x, y = point
    covering = set()
    for colour, (left, top, right, bottom), distance in items:
        if x <= left - margin or x >= right + margin or y <= top - margin or y >= bottom + margin:
            continue  # clearly outside, without the distance
        d = distance(point)
        if d <= -margin:
            covering.add(colour)
        elif d < margin:
            return None
    return covering or {WHITE}


def picture_mismatches(image, arm, step=3, margin=2.5, tolerance=12):
    """Every sampled surface pixel whose colour disagrees with the predicted arm."""
    items = expected_items(arm)
    left, top, width, height = PICTURE1
    wrong = []
    for y in range(top + 1, top + height - 1, step):
        for x in range(left + 1, left + width - 1, step):
            allowed = expected_colours(items, (x + 0.5, y + 0.5), margin)
            if allowed is None:
                continue
            got = image.pixel(x, y)
            if got not in allowed and not any(close(got, colour, tolerance) for colour in allowed):
                wrong.append(((x, y), allowed, got))
    return wrong


def option_selected(image, rect):
    """A selected option button has a dark dot in its indicator at the left of its box."""
    left, top, _, height = rect
    dark = [image.pixel(x, y) for x in range(left, left + 16) for y in range(top + 3, top + height - 3)
            if max(image.pixel(x, y)) < 90]
    return len(dark) >= 8


def close(colour, want, tolerance=0):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, want))


# --- Pixels -----------------------------------------------------------------------------------

class Image:
    """An RGB picture of the window, top-left at (0, 0)."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, bytes(rgb)

    @classmethod
    def from_xwd(cls, data):
        fields = struct.unpack(">25I", data[:100])
        header_size, _, pixmap_format, _, width, height = fields[:6]
        byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
        masks, ncolors = fields[14:17], fields[19]
        if pixmap_format != 2 or bits_per_pixel != 32 or sorted(masks) != [0xFF, 0xFF00, 0xFF0000]:
            raise HarnessError(f"unexpected xwd format: ZPixmap={pixmap_format == 2}, "
                               f"{bits_per_pixel} bits per pixel, masks {masks}")
        offset = header_size + 12 * ncolors

        def byte_of(mask):
            index = (mask.bit_length() - 1) // 8
            return index if byte_order == 0 else 3 - index

        rgb = bytearray(width * height * 3)
        for y in range(height):
            row = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * 4]
            out = memoryview(rgb)[y * width * 3:(y + 1) * width * 3]
            for channel, mask in enumerate(masks):
                out[channel::3] = row[byte_of(mask)::4]
        return cls(width, height, rgb)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def crop(self, rect):
        left, top, width, height = rect
        return b"".join(self.rgb[((top + y) * self.width + left) * 3:((top + y) * self.width + left + width) * 3]
                        for y in range(height))

    def is_uniform(self, rect):
        data = self.crop(rect)
        return data == data[:3] * (len(data) // 3)

    def differences(self, other):
        """How many pixels differ from other's, and the box (left, top, right, bottom) round them."""
        if (self.width, self.height) != (other.width, other.height):
            return self.width * self.height, (0, 0, self.width, self.height)
        wrong = [i // 3 for i in range(0, len(self.rgb), 3) if self.rgb[i:i + 3] != other.rgb[i:i + 3]]
        if not wrong:
            return 0, None
        xs, ys = [i % self.width for i in wrong], [i // self.width for i in wrong]
        return len(wrong), (min(xs), min(ys), max(xs) + 1, max(ys) + 1)

    def save_png(self, path):
        rows = b"".join(b"\0" + self.rgb[y * self.width * 3:(y + 1) * self.width * 3] for y in range(self.height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            out.write(chunk(b"IDAT", zlib.compress(rows, 9)))
            out.write(chunk(b"IEND", b""))


# --- The display and the program --------------------------------------------------------------

def _display_numbers():
    first, _, last = os.environ.get("ARMDRAW_E2E_DISPLAYS", "90-99").partition("-")
    return range(int(first), int(last or first) + 1)


def _die_with_parent():
    """Runs in each child before exec: the child gets SIGTERM when the test process dies, even
    when killed outright at a timeout, so that no server or window outlives it."""
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def _stop_group(process, grace=5):
    if process is None or process.poll() is not None:
        return
    try:
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(grace)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
    except ProcessLookupError:
        pass


class Display:
    """A private Xvfb at 24-bit depth on the first free display number of the range."""

    def __init__(self, workdir):
        self.workdir = workdir
        self.process = None
        self.name = None

    def start(self):
        # The server itself refuses a number in use and clears the lock of a dead one.
        for number in _display_numbers():
            if self._try(number):
                self.name = f":{number}"
                return self
        raise HarnessError(f"no free X display among :{_display_numbers()[0]} to :{_display_numbers()[-1]}")

    def _try(self, number):
        read_end, write_end = os.pipe()
        log = open(os.path.join(self.workdir, f"xvfb-{number}.log"), "wb")
        # -displayfd: the server writes its number there once it accepts clients.
        self.process = subprocess.Popen(
            ["Xvfb", f":{number}", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-br", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True,
            preexec_fn=_die_with_parent)
        os.close(write_end)
        log.close()
        answer = b""
        deadline = time.monotonic() + 20
        try:
            # Read the whole line: the server writes the newline separately and dies if the
            # pipe is closed by then.
            while not answer.endswith(b"\n") and time.monotonic() < deadline:
                ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
                chunk = os.read(read_end, 16) if ready else b""
                if not chunk:
                    break
                answer += chunk
        finally:
            os.close(read_end)
        if answer.strip() == str(number).encode():
            return True
        _stop_group(self.process)  # taken by another server meanwhile, or too slow
        self.process = None
        return False

    def set_resources(self, text):
        """The X resources a desktop publishes (Xft.* font settings): text, or none at all."""
        command = ["-f", "RESOURCE_MANAGER", "8s", "-set", "RESOURCE_MANAGER", text] if text else \
            ["-remove", "RESOURCE_MANAGER"]
        subprocess.run(["xprop", "-root", *command], env=dict(os.environ, DISPLAY=self.name), check=True,
                       timeout=20)

    def stop(self):
        _stop_group(self.process)
        self.process = None


class SessionBus:
    """A private D-Bus session bus, so that signals sent to the program reach no other."""

    def __init__(self):
        self.process = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        start_new_session=True, preexec_fn=_die_with_parent)
        with self.process.stdout:
            self.address = self.process.stdout.readline().decode().strip()
        if not self.address:
            self.stop()
            raise HarnessError("dbus-daemon did not start a session bus")

    def send_signal(self, path, member, *args):
        subprocess.run(["dbus-send", f"--bus={self.address}", "--type=signal", path, member, *args],
                       check=True, timeout=20)

    def stop(self):
        _stop_group(self.process)


# What tells Qt which desktop it runs on, and so which platform theme and style to load.
DESKTOP_VARIABLES = ("QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "GTK_THEME", "XDG_CURRENT_DESKTOP",
                     "KDE_FULL_SESSION", "KDE_SESSION_VERSION", "GNOME_DESKTOP_SESSION_ID", "DESKTOP_SESSION")


class App:
    """The armdraw window on a display, with its input and its pixels. It runs on no desktop at
    all unless env names one; painted tells its first paint (by default, a white surface)."""

    def __init__(self, display, binary, workdir, timeout=20, env=None, painted=None):
        self.env = dict(os.environ, DISPLAY=display.name, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=workdir)
        for variable in ("QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING",
                         "QT_FONT_DPI", "WAYLAND_DISPLAY", *DESKTOP_VARIABLES):
            self.env.pop(variable, None)
        self.env.update(env or {})
        self.log_path = os.path.join(workdir, "armdraw.log")
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen([binary], env=self.env, stdin=subprocess.DEVNULL, stdout=log,
                                            stderr=log, start_new_session=True, preexec_fn=_die_with_parent)
        self.wid = None
        try:
            self.wid = self._wait_for_window(timeout)
            self.wait_until(painted or (lambda image: image.pixel(PICTURE1[0] + 2, PICTURE1[1] + 2) == WHITE),
                            "the window's first paint", timeout)
        except BaseException:
            self.stop()
            raise

    def log(self):
        with open(self.log_path, "rb") as log:
            return log.read().decode(errors="replace").strip()

    def _check_alive(self):
        if self.process.poll() is not None:
            raise HarnessError(f"armdraw exited with status {self.process.returncode}; its output:\n{self.log()}")

    def _wait_for_window(self, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self._check_alive()
            try:
                found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", f"^{WINDOW_TITLE}$"],
                                       env=self.env, capture_output=True, text=True, timeout=1)
            except subprocess.TimeoutExpired:
                continue
            ids = found.stdout.split()
            if ids:
                return int(ids[0])
        self._check_alive()
        raise HarnessError(f"the window '{WINDOW_TITLE}' did not appear within {timeout} s")

    def stop(self):
        _stop_group(self.process)

    def alive(self):
        return self.process.poll() is None

    # Input. Every command returns once the X server has queued the events.

    def xdotool(self, *args, timeout=120):
        self._check_alive()
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True, text=True,
                                timeout=timeout)
        if result.returncode != 0:
            raise HarnessError(f"xdotool {' '.join(map(str, args[:6]))}... failed: {result.stderr.strip()}")
        return result.stdout

    def focus(self):
        self.xdotool("windowfocus", "--sync", self.wid)

    def set_num_lock(self, on):
        subprocess.run(["numlockx", "on" if on else "off"], env=self.env, check=True, timeout=20)
        status = subprocess.run(["numlockx", "status"], env=self.env, capture_output=True, text=True,
                                check=True, timeout=20).stdout
        if status.split()[-1:] != ["on" if on else "off"]:
            raise HarnessError(f"numlockx could not set Num Lock {'on' if on else 'off'}: {status.strip()}")

    def keys(self, *keys):
        if keys:
            self.xdotool("key", "--delay", "0", *keys)

    def move(self, point):
        self.xdotool("mousemove", "--window", self.wid, *point)

    def click(self, point, times=1):
        # Press and release, not xdotool's click, which idles 100 ms after each.
        self.xdotool("mousemove", "--window", self.wid, *point, *["mousedown", "1", "mouseup", "1"] * times)

    def drag(self, start, end, steps=8, release=True):
        self.xdotool("mousemove", "--window", self.wid, *start, "mousedown", "1")
        for i in range(1, steps + 1):
            self.xdotool("mousemove", "--window", self.wid,
                         round(start[0] + (end[0] - start[0]) * i / steps),
                         round(start[1] + (end[1] - start[1]) * i / steps))
        if release:
            self.release()

    def release(self):
        self.xdotool("mouseup", "1")

    # Pixels.

    def capture(self):
        self._check_alive()
        data = subprocess.run(["xwd", "-silent", "-id", str(self.wid)], env=self.env, capture_output=True,
                              check=True, timeout=20).stdout
        return Image.from_xwd(data)

    def wait_until(self, predicate, what, timeout=15):
        """Captures until predicate(image) holds; X input is asynchronous, so every check of a
        change waits for it rather than sleeping a guessed time."""
        deadline = time.monotonic() + timeout
        while True:
            image = self.capture()
            if predicate(image):
                return image
            if time.monotonic() > deadline:
                raise AssertionError(f"timed out after {timeout} s waiting for {what}", image)
            time.sleep(0.03)

    def wait_for_arm(self, arm, timeout=15):
        """Waits until the surface shows arm; fails with the wrong pixels otherwise."""
        deadline = time.monotonic() + timeout
        while True:
            image = self.capture()
            wrong = picture_mismatches(image, arm)
            if not wrong:
                return image
            if time.monotonic() > deadline:
                sample = "; ".join(f"at {p} want {w} got {g}" for p, w, g in wrong[:5])
                raise AssertionError(f"the surface does not show {arm}: {len(wrong)} pixels wrong, {sample}", image)
            time.sleep(0.03)

# --- Test support -----------------------------------------------------------------------------

ARMDRAW = os.environ.get("ARMDRAW")


class X11TestCase(unittest.TestCase):
    """Each test gets a fresh program on the class's private display; both are stopped
    whatever happens, and a failing test leaves its last picture as a PNG."""

    @classmethod
    def setUpClass(cls):
        if not ARMDRAW or not os.access(ARMDRAW, os.X_OK):
            raise HarnessError("set ARMDRAW (or pass --armdraw) to the armdraw executable")
        cls.workdir = tempfile.mkdtemp(prefix="armdraw-e2e-")
        cls.display = Display(cls.workdir).start()

    @classmethod
    def tearDownClass(cls):
        cls.display.stop()
        shutil.rmtree(cls.workdir, ignore_errors=True)

    def setUp(self):
        self.app = App(self.display, ARMDRAW, self.workdir)
        self.addCleanup(self.app.stop)
        self.app.focus()

    def assertArm(self, arm, timeout=15):
        try:
            return self.app.wait_for_arm(arm, timeout)
        except AssertionError as failure:
            self._remember(failure)
            raise

    def waitUntil(self, predicate, what, timeout=15):
        try:
            return self.app.wait_until(predicate, what, timeout)
        except AssertionError as failure:
            self._remember(failure)
            raise

    def barrier(self, arm):
        """Proves that all input sent so far has been handled: keypad 3 turns segment 1, and X
        delivers events in order. Returns the turned arm and the picture showing it."""
        turned = arm.key(KEYPAD_3)
        self.app.keys(KEYPAD_3)
        return turned, self.assertArm(turned)

    def assertPicture(self, condition, image, message):
        if not condition:
            self.fail(f"{message} (picture: {self.keep(image)})")

    def keep(self, image):
        path = os.path.join(artifacts_dir(), f"{self.id()}.png")
        image.save_png(path)
        return path

    def _remember(self, failure):
        if len(failure.args) > 1 and isinstance(failure.args[1], Image):
            failure.args = (f"{failure.args[0]} (picture: {self.keep(failure.args[1])})",)


def artifacts_dir():
    path = os.environ.get("ARMDRAW_E2E_ARTIFACTS", os.path.join(os.getcwd(), "e2e-artifacts"))
    os.makedirs(path, exist_ok=True)
    return path


def main():
    """unittest's main, taking --armdraw PATH first."""
    global ARMDRAW
    args = sys.argv[1:]
    if len(args) >= 2 and args[0] == "--armdraw":
        ARMDRAW = os.path.abspath(args[1])
        args = args[2:]
    unittest.main(module="__main__", argv=[sys.argv[0], *args], verbosity=2)
