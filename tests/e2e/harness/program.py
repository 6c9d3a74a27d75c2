"""The program under test as a process: started through its launcher on no desktop, stopped with
everything it started, and watched through its window's pictures. The X11 and Wayland sessions
find and capture the window."""

import ctypes
import os
import signal
import subprocess
import time

from .design import PICTURE1, WHITE
from .errors import HarnessError
from .pictures import picture_mismatches


def die_with_parent():
    """Runs in each child before exec: the child gets SIGTERM when the test process dies, even
    when killed outright at a timeout, so that no server or window outlives it."""
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def stop_group(process, grace=5):
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


# What tells Qt which desktop it runs on, and so which platform theme and style to load.
DESKTOP_VARIABLES = ("QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "GTK_THEME", "XDG_CURRENT_DESKTOP",
                     "KDE_FULL_SESSION", "KDE_SESSION_VERSION", "GNOME_DESKTOP_SESSION_ID", "DESKTOP_SESSION")


class _Window:
    """The armdraw process and its window's pixels; a subclass finds the window and captures it."""

    tolerance = 12  # how far a colour may stray from the one predicted
    def _launch(self, launcher, binary, env, workdir, timeout, extra_env=None, painted=None):
        """Starts binary under launcher on no desktop at all unless extra_env names one; painted
        tells its first paint (by default, a white surface)."""
        self.launcher = launcher
        self.env = dict(env)
        for variable in ("QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING",
                         "QT_FONT_DPI", *DESKTOP_VARIABLES):
            self.env.pop(variable, None)
        self.env.update(extra_env or {})
        self.log_path = os.path.join(workdir, "armdraw.log")
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen(launcher.command(binary), env=self.env, stdin=subprocess.DEVNULL,
                                            stdout=log, stderr=log, start_new_session=True,
                                            preexec_fn=die_with_parent)
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
        stop_group(self.process)

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
            wrong = picture_mismatches(image, arm, tolerance=self.tolerance)
            if not wrong:
                return image
            if time.monotonic() > deadline:
                sample = "; ".join(f"at {p} want {w} got {g}" for p, w, g in wrong[:5])
                raise AssertionError(f"the surface does not show {arm}: {len(wrong)} pixels wrong, {sample}", image)
            time.sleep(0.03)

