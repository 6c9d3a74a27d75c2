"""Runs the real armdraw window on a private Xvfb display, drives it with real X input
(xdotool), reads its pixels (xwd) and predicts the picture from the window's design numbers.
The same window runs under a private headless Wayland compositor (sway) too, typed at through
the virtual-keyboard protocol and captured with grim.

Every position here comes from the design, in twips (15 to a pixel), never from the program.
"""

import ctypes
import ctypes.util
import json
import math
import os
import pwd
import re
import select
import shutil
import signal
import socket
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
APP_ID = "io.github.armdraw.armdraw"  # the Wayland app id: the desktop entry's name
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

# Turns to check step by step: each step's keys sent in one burst, then the picture checked.
KEYPAD_TURNS = [
    [KEYPAD_3] * 3,   # segment 1 clockwise to 15
    [KEYPAD_1],       # back to 10
    [KEYPAD_6] * 2,   # segment 2 clockwise to 100
    [KEYPAD_4] * 5,   # counter-clockwise to 75
]
NAVIGATION_TURNS = [["Next"] * 4, ["End"], ["Right"] * 3, ["Left"]]


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


def length_label(index):
    return inside(FRA_ARM1 if index == 1 else FRA_ARM2, window_rect(240, 1800, 525, 195))


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

    @classmethod
    def from_ppm(cls, data):
        """A binary (P6) PPM with 8-bit channels, as grim writes it."""
        # Exactly one white-space byte ends the header: the pixels may begin with more.
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
        if not header:
            raise HarnessError(f"unexpected PPM header: {data[:20]!r}")
        width, height = int(header[1]), int(header[2])
        return cls(width, height, data[header.end():header.end() + width * height * 3])

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


class _Window:
    """The armdraw process and its window's pixels; a subclass finds the window and captures it."""

    def _launch(self, binary, env, workdir, timeout, extra_env=None, painted=None):
        """Starts binary on no desktop at all unless extra_env names one; painted tells its first
        paint (by default, a white surface)."""
        self.env = dict(env)
        for variable in ("QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING",
                         "QT_FONT_DPI", *DESKTOP_VARIABLES):
            self.env.pop(variable, None)
        self.env.update(extra_env or {})
        self.log_path = os.path.join(workdir, "armdraw.log")
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen([*LAUNCHER, binary], env=self.env, stdin=subprocess.DEVNULL, stdout=log,
                                            stderr=log, start_new_session=True, preexec_fn=_die_with_parent)
        try:
            self._wait_for_window(timeout)
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
            raise HarnessError(f"armdraw exited with status {self.process.returncode}; "
                               f"the end of its output:\n{self.log()[-3000:]}")

    def stop(self):
        _stop_group(self.process)

    def alive(self):
        return self.process.poll() is None

    def wait_until(self, predicate, what, timeout=15):
        """Captures until predicate(image) holds; input is asynchronous, so every check of a
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


class App(_Window):
    """The armdraw window on an X display, with its input and its pixels."""

    def __init__(self, display, binary, workdir, timeout=20, env=None, painted=None):
        self.wid = None
        base = dict(os.environ, DISPLAY=display.name, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=workdir)
        base.pop("WAYLAND_DISPLAY", None)
        self._launch(binary, base, workdir, timeout, env, painted)

    def _wait_for_window(self, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self._check_alive()
            try:
                found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", WINDOW_NAME],
                                       env=self.env, capture_output=True, text=True, timeout=1)
            except subprocess.TimeoutExpired:
                continue
            ids = found.stdout.split()
            if ids:
                self.wid = int(ids[0])
                return
        self._check_alive()
        raise HarnessError(f"the window '{WINDOW_TITLE}' did not appear within {timeout} s")

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
        if BROWSER:
            self._page_takes_the_keyboard()

    def _page_takes_the_keyboard(self, timeout=15):
        """A browser hands its page the keyboard a moment after its window gets it, and drops keys
        sent before: turn segment 1 until a turn shows (keypad 3 turns it with Num Lock on or
        off), then turn it back to where it was."""
        deadline = time.monotonic() + timeout
        sent = 0
        while True:
            self.keys(KEYPAD_3)
            sent += 1
            try:
                image = self.wait_until(lambda image: any(not picture_mismatches(image, Arm(angle1=5 * n), step=9)
                                                          for n in range(1, sent + 1)), "a turn", timeout=1)
                break
            except AssertionError:
                if time.monotonic() > deadline:
                    raise HarnessError(f"the page took no key within {timeout} s") from None
        turned = next(n for n in range(1, sent + 1) if not picture_mismatches(image, Arm(angle1=5 * n), step=9))
        self.keys(*[KEYPAD_1] * turned)
        self.wait_for_arm(Arm())

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

    def window_property(self, name):
        """The window's X property as xprop prints it."""
        result = subprocess.run(["xprop", "-id", str(self.wid), name], env=self.env, capture_output=True,
                                text=True, timeout=20)
        if result.returncode != 0:
            raise HarnessError(f"xprop {name} failed: {result.stderr.strip()}")
        return result.stdout

    # Pixels.

    def capture(self):
        self._check_alive()
        data = subprocess.run(["xwd", "-silent", "-id", str(self.wid)], env=self.env, capture_output=True,
                              check=True, timeout=20).stdout
        return Image.from_xwd(data)

# --- Wayland ----------------------------------------------------------------------------------

SWAY_CONFIG = f"""\
output HEADLESS-1 resolution 1280x1024
xwayland disable
default_border none
default_floating_border none
for_window [app_id="{APP_ID}"] floating enable
"""

# Wayland key codes are the evdev ones, 8 below X's; the harness names keys as xdotool does.
X_KEYCODES = {"End": 115, "Next": 117, "Left": 113, "Right": 114, "space": 65}
NUM_LOCK_MASK = 1 << 4  # Mod2, where the standard keymap puts Num Lock


class Compositor:
    """A private headless sway: its own runtime directory (so its own Wayland socket and IPC
    socket), software rendering, no X server, and no input device but the harness's keyboard."""

    def __init__(self, workdir):
        self.workdir = workdir
        self.process = None
        self.runtime = None
        self.socket = None

    def start(self, timeout=20):
        self.runtime = tempfile.mkdtemp(prefix="armdraw-sway-")
        config = os.path.join(self.runtime, "config")
        with open(config, "w") as out:
            out.write(SWAY_CONFIG)
        self.ipc = os.path.join(self.runtime, "ipc.sock")
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime, HOME=self.runtime, SWAYSOCK=self.ipc,
                   WLR_BACKENDS="headless", WLR_RENDERER="pixman")
        for variable in ("DISPLAY", "WAYLAND_DISPLAY"):
            env.pop(variable, None)
        command = ["sway", "-c", config]
        if os.geteuid() == 0:
            # sway refuses to run as root: run it as nobody, in a runtime directory of its own.
            nobody = pwd.getpwnam("nobody")
            for path in (self.runtime, config):
                os.chown(path, nobody.pw_uid, nobody.pw_gid)
            command = ["setpriv", f"--reuid={nobody.pw_uid}", f"--regid={nobody.pw_gid}", "--clear-groups",
                       "--pdeathsig", "TERM", *command]
        self.log_path = os.path.join(self.workdir, "sway.log")
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                            start_new_session=True, preexec_fn=_die_with_parent)
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise HarnessError(f"sway exited with status {self.process.returncode}; its log:\n{self.log()}")
            sockets = [name for name in os.listdir(self.runtime) if re.fullmatch(r"wayland-\d+", name)]
            if sockets and os.path.exists(self.ipc):
                try:
                    self.msg("get_version", timeout=max(0.1, deadline - time.monotonic()))
                    self.socket = os.path.join(self.runtime, sockets[0])
                    return self
                except (HarnessError, subprocess.TimeoutExpired):
                    pass
            time.sleep(0.05)
        self.stop()
        raise HarnessError(f"sway did not come up within {timeout} s; its log:\n{self.log()}")

    def log(self):
        with open(self.log_path, "rb") as log:
            return log.read().decode(errors="replace").strip()[-3000:]

    def client_env(self, workdir):
        """A client's environment: the socket by its full path, so that the client keeps a
        runtime directory of its own user."""
        env = dict(os.environ, WAYLAND_DISPLAY=self.socket, XDG_RUNTIME_DIR=workdir)
        env.pop("DISPLAY", None)
        return env

    def msg(self, kind, timeout=10):
        result = subprocess.run(["swaymsg", "-s", self.ipc, "-r", "-t", kind], capture_output=True, text=True,
                                timeout=timeout)
        if result.returncode != 0:
            raise HarnessError(f"swaymsg -t {kind} failed: {result.stderr.strip()}")
        return json.loads(result.stdout)

    def stop(self):
        _stop_group(self.process)
        self.process = None
        if self.runtime:
            shutil.rmtree(self.runtime, ignore_errors=True)


class _XkbRuleNames(ctypes.Structure):
    _fields_ = [(name, ctypes.c_char_p) for name in ("rules", "model", "layout", "variant", "options")]


def standard_keymap():
    """The text of the evdev pc105 "us" keymap, compiled by libxkbcommon as a desktop would."""
    xkb = ctypes.CDLL(ctypes.util.find_library("xkbcommon") or "libxkbcommon.so.0")
    xkb.xkb_context_new.restype = ctypes.c_void_p
    xkb.xkb_keymap_new_from_names.restype = ctypes.c_void_p
    xkb.xkb_keymap_new_from_names.argtypes = [ctypes.c_void_p, ctypes.POINTER(_XkbRuleNames), ctypes.c_int]
    xkb.xkb_keymap_get_as_string.restype = ctypes.c_void_p
    xkb.xkb_keymap_get_as_string.argtypes = [ctypes.c_void_p, ctypes.c_int]
    context = xkb.xkb_context_new(2)  # XKB_CONTEXT_NO_ENVIRONMENT_NAMES: these names, not the user's
    keymap = xkb.xkb_keymap_new_from_names(context, ctypes.byref(_XkbRuleNames(b"evdev", b"pc105", b"us", b"", b"")),
                                           0) if context else None
    text = xkb.xkb_keymap_get_as_string(keymap, 1) if keymap else None
    if not text:
        raise HarnessError("libxkbcommon could not compile the evdev pc105 us keymap (is xkb-data installed?)")
    return ctypes.string_at(text)


def _wl_string(text):
    data = text.encode() + b"\0"
    return struct.pack("=I", len(data)) + data + b"\0" * (-len(data) % 4)


class VirtualKeyboard:
    """A keyboard on the compositor's seat through the virtual-keyboard protocol, speaking the
    Wayland wire format itself: raw key codes in the standard keymap, and Num Lock as a locked
    modifier, as a real keyboard gives them. Keep it for the compositor's life: a seat that loses
    its last keyboard makes clients drop theirs."""

    def __init__(self, compositor):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.settimeout(10)
        self.sock.connect(compositor.socket)
        self.buffer = b""
        self.next_id = 2  # 1 is wl_display
        self.start = time.monotonic()
        registry = self._new_id()
        self._send(1, 1, struct.pack("=I", registry))  # wl_display.get_registry
        found = {}

        def on_global(obj, opcode, body):
            if obj == registry and opcode == 0:
                name, length = struct.unpack_from("=II", body)
                found[body[8:8 + length - 1].decode()] = name

        self._roundtrip(on_global)
        missing = {"wl_seat", "zwp_virtual_keyboard_manager_v1"} - found.keys()
        if missing:
            raise HarnessError(f"the compositor offers no {', '.join(sorted(missing))}")
        seat, manager = (self._bind(registry, found, name) for name in ("wl_seat", "zwp_virtual_keyboard_manager_v1"))
        self.keyboard = self._new_id()
        self._send(manager, 0, struct.pack("=II", seat, self.keyboard))  # create_virtual_keyboard
        keymap = standard_keymap() + b"\0"
        fd = os.memfd_create("keymap")
        try:
            os.write(fd, keymap)
            self._send(self.keyboard, 0, struct.pack("=II", 1, len(keymap)), fd)  # keymap, format xkb_v1
        finally:
            os.close(fd)
        self._roundtrip()

    def _new_id(self):
        self.next_id += 1
        return self.next_id - 1

    def _bind(self, registry, found, interface):
        new = self._new_id()  # wl_registry.bind, at version 1
        self._send(registry, 0, struct.pack("=I", found[interface]) + _wl_string(interface)
                   + struct.pack("=II", 1, new))
        return new

    def _send(self, obj, opcode, args=b"", fd=None):
        message = struct.pack("=II", obj, (8 + len(args)) << 16 | opcode) + args
        ancillary = [(socket.SOL_SOCKET, socket.SCM_RIGHTS, struct.pack("=i", fd))] if fd is not None else []
        self.sock.sendmsg([message], ancillary)

    def _roundtrip(self, handler=None):
        """Returns once the compositor has handled every request sent so far."""
        callback = self._new_id()
        self._send(1, 0, struct.pack("=I", callback))  # wl_display.sync
        while True:
            while len(self.buffer) >= 8:
                obj, word = struct.unpack_from("=II", self.buffer)
                if len(self.buffer) < word >> 16:
                    break
                body, self.buffer = self.buffer[8:word >> 16], self.buffer[word >> 16:]
                if obj == callback:
                    return
                if obj == 1 and word & 0xFFFF == 0:  # wl_display.error
                    raise HarnessError(f"Wayland protocol error: {body[12:].rstrip(bytes(1)).decode(errors='replace')}")
                if handler:
                    handler(obj, word & 0xFFFF, body)
            try:
                data = self.sock.recv(65536)
            except socket.timeout:
                raise HarnessError("the compositor did not answer the virtual keyboard within 10 s") from None
            if not data:
                raise HarnessError("the compositor closed the virtual keyboard's connection")
            self.buffer += data

    def set_num_lock(self, on):
        self._send(self.keyboard, 2, struct.pack("=IIII", 0, 0, NUM_LOCK_MASK if on else 0, 0))
        self._roundtrip()

    def keys(self, *keys):
        """Presses and releases each key: an xdotool keysym name of X_KEYCODES or a raw X keycode."""
        for key in keys:
            code = X_KEYCODES.get(key) or int(key)
            for state in (1, 0):
                elapsed = int((time.monotonic() - self.start) * 1000)
                self._send(self.keyboard, 1, struct.pack("=III", elapsed, code - 8, state))
        self._roundtrip()

    def close(self):
        self.sock.close()


class WaylandApp(_Window):
    """The armdraw window under a Wayland compositor, typed at through the virtual keyboard."""

    def __init__(self, compositor, keyboard, binary, workdir, timeout=20):
        self.compositor, self.keyboard, self.rect = compositor, keyboard, None
        # The client's protocol log shows the keyboard state the window received.
        env = dict(compositor.client_env(workdir), QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="client")
        self._launch(binary, env, workdir, timeout)

    def _wait_for_window(self, timeout):
        """Waits until the compositor shows the window with the keyboard focus, and takes its
        place on the screen from the compositor's tree."""
        deadline = time.monotonic() + timeout
        seen = None
        while time.monotonic() < deadline:
            self._check_alive()
            pending = [self.compositor.msg("get_tree")]
            while pending:
                node = pending.pop()
                pending += node.get("nodes", []) + node.get("floating_nodes", [])
                if node.get("app_id") == APP_ID and node.get("visible") and node.get("focused"):
                    seen = node["rect"]
                    # Until the window has taken its size the compositor's frame may differ.
                    if (seen["width"], seen["height"]) == WINDOW_SIZE:
                        self.rect = seen
                        return
            time.sleep(0.05)
        self._check_alive()
        if seen:
            raise HarnessError(f"the window is {seen['width']}x{seen['height']}, not {WINDOW_SIZE}: "
                               "a frame or title bar around it?")
        raise HarnessError(f"no focused window with app id {APP_ID} within {timeout} s")

    def capture(self):
        self._check_alive()
        r = self.rect
        data = subprocess.run(["grim", "-g", f"{r['x']},{r['y']} {r['width']}x{r['height']}", "-t", "ppm", "-"],
                              env=self.env, capture_output=True, check=True, timeout=20).stdout
        return Image.from_ppm(data)

    def keys(self, *keys):
        self._check_alive()
        self.keyboard.keys(*keys)

    def set_num_lock(self, on, timeout=10):
        """Locks or unlocks Num Lock and waits until the window has received that state."""
        self.keyboard.set_num_lock(on)
        deadline = time.monotonic() + timeout
        while True:
            states = re.findall(r"wl_keyboard@\d+\.modifiers\(\d+, \d+, \d+, (\d+), \d+\)", self.log())
            if states and bool(int(states[-1]) & NUM_LOCK_MASK) == on:
                return
            if time.monotonic() > deadline:
                raise HarnessError(f"the window did not get Num Lock {'on' if on else 'off'}: "
                                   f"its locked modifiers went {states[-5:]}")
            time.sleep(0.05)


# --- Test support -----------------------------------------------------------------------------

ARMDRAW = os.environ.get("ARMDRAW")


def use_launcher(command):
    """What the program runs under: nothing for the Linux build, "wine" for the Windows one, and
    "tests/e2e/browser chromium" (or firefox) for the browser's, whose ARMDRAW is its page."""
    global LAUNCHER, BROWSER, WINDOW_NAME
    LAUNCHER = list(command)
    BROWSER = LAUNCHER[1] if len(LAUNCHER) == 2 and os.path.basename(LAUNCHER[0]) == "browser" else None
    # The X window's name: the page's title, to which Firefox adds its own name.
    WINDOW_NAME = f"^{WINDOW_TITLE}{' — Mozilla Firefox' if BROWSER == 'firefox' else ''}$"


use_launcher(os.environ.get("ARMDRAW_LAUNCHER", "").split())


class _WindowTestCase(unittest.TestCase):
    """Each test gets a fresh program on the class's private display or compositor; all are
    stopped whatever happens, and a failing test leaves its last picture as a PNG."""

    @classmethod
    def setUpClass(cls):
        if not ARMDRAW or not (os.path.isfile(ARMDRAW) if BROWSER else os.access(ARMDRAW, os.X_OK)):
            raise HarnessError("set ARMDRAW (or pass --armdraw) to the armdraw executable (or page)")
        cls.workdir = tempfile.mkdtemp(prefix="armdraw-e2e-")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.workdir, ignore_errors=True)

    def check_turns(self, arm, steps):
        """Sends each step's keys in one burst, then checks the picture."""
        for keys in steps:
            self.app.keys(*keys)
            arm = arm.keys(keys)
            self.assertArm(arm)
        return arm

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


class X11TestCase(_WindowTestCase):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        try:
            cls.display = Display(cls.workdir).start()
        except BaseException:
            super().tearDownClass()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.display.stop()
        super().tearDownClass()

    def setUp(self):
        self.launch()

    def launch(self, **env):
        """Starts the program with env added to its environment, stopped after the test."""
        self.app = App(self.display, ARMDRAW, self.workdir, env=env)
        self.addCleanup(self.app.stop)
        self.app.focus()


class WaylandTestCase(_WindowTestCase):
    """The keyboard outlives each test's program, so that the seat always has one."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.compositor = Compositor(cls.workdir)
        try:
            cls.compositor.start()
            cls.keyboard = VirtualKeyboard(cls.compositor)
        except BaseException:
            cls.compositor.stop()
            super().tearDownClass()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.keyboard.close()
        cls.compositor.stop()
        super().tearDownClass()

    def setUp(self):
        self.app = WaylandApp(self.compositor, self.keyboard, ARMDRAW, self.workdir)
        self.addCleanup(self.app.stop)


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
