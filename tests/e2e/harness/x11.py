"""An X11 session: a private Xvfb display, a private D-Bus session bus, and the program's window
on the display, driven with real X input (xdotool) and read back with xwd."""

import os
import select
import subprocess
import time

from .design import KEYPAD_1, KEYPAD_3, KEYPAD_4, KEYPAD_6, Arm
from .errors import HarnessError
from .launchers import Native
from .pictures import Image, picture_mismatches
from .program import _Window, die_with_parent, stop_group


def _display_numbers():
    first, _, last = os.environ.get("ARMDRAW_E2E_DISPLAYS", "90-99").partition("-")
    return range(int(first), int(last or first) + 1)


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
            preexec_fn=die_with_parent)
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
        stop_group(self.process)  # taken by another server meanwhile, or too slow
        self.process = None
        return False

    def set_resources(self, text):
        """The X resources a desktop publishes (Xft.* font settings): text, or none at all."""
        command = ["-f", "RESOURCE_MANAGER", "8s", "-set", "RESOURCE_MANAGER", text] if text else \
            ["-remove", "RESOURCE_MANAGER"]
        subprocess.run(["xprop", "-root", *command], env=dict(os.environ, DISPLAY=self.name), check=True,
                       timeout=20)

    def stop(self):
        stop_group(self.process)
        self.process = None


class SessionBus:
    """A private D-Bus session bus, so that signals sent to the program reach no other."""

    def __init__(self):
        self.process = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        start_new_session=True, preexec_fn=die_with_parent)
        with self.process.stdout:
            self.address = self.process.stdout.readline().decode().strip()
        if not self.address:
            self.stop()
            raise HarnessError("dbus-daemon did not start a session bus")

    def send_signal(self, path, member, *args):
        subprocess.run(["dbus-send", f"--bus={self.address}", "--type=signal", path, member, *args],
                       check=True, timeout=20)

    def stop(self):
        stop_group(self.process)


class App(_Window):
    """The armdraw window on an X display, with its input and its pixels: binary run under
    launcher (by default as itself)."""

    def __init__(self, display, binary, workdir, timeout=20, env=None, painted=None, launcher=None):
        self.wid = None
        base = dict(os.environ, DISPLAY=display.name, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=workdir)
        base.pop("WAYLAND_DISPLAY", None)
        self._launch(launcher or Native(), binary, base, workdir, timeout, env, painted)

    def _wait_for_window(self, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self._check_alive()
            try:
                found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                                        self.launcher.window_name()],
                                       env=self.env, capture_output=True, text=True, timeout=1)
            except subprocess.TimeoutExpired:
                continue
            ids = found.stdout.split()
            if ids:
                self.wid = int(ids[0])
                return
        self._check_alive()
        raise HarnessError(f"no window named {self.launcher.window_name()} appeared within {timeout} s")

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
        if self.launcher.opens_page:
            self._page_takes_the_keyboard()

    def _page_takes_the_keyboard(self, timeout=15):
        """A browser hands its page the keyboard a moment after its window gets it, and drops keys
        sent before: turn segment 1 until a turn shows (keypad 3 turns it with Num Lock on or
        off), then turn it back to where it was."""
        deadline = time.monotonic() + timeout
        sent = 0

        def turned_by(image, angle2=90):
            return next((n for n in range(1, sent + 1)
                         if not picture_mismatches(image, Arm(angle1=5 * n, angle2=angle2), step=9)), None)

        while True:
            self.keys(KEYPAD_3)
            sent += 1
            try:
                self.wait_until(lambda image: turned_by(image), "a turn", timeout=1)
                break
            except AssertionError:
                if time.monotonic() > deadline:
                    raise HarnessError(f"the page took no key within {timeout} s") from None
        # Once one key arrived, all later ones do, but a loaded browser (WebKit) may draw them a
        # second or more late: a turn of segment 2 (keypad 6) shows when every press before it has.
        self.keys(KEYPAD_6)
        image = self.wait_until(lambda image: turned_by(image, angle2=95), "the turns drawn")
        self.keys(*[KEYPAD_1] * turned_by(image, angle2=95), KEYPAD_4)
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
