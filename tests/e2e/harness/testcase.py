"""The test base: each test class gets a private display or compositor, each test a fresh
program; main() runs a test file against the program and launcher its command line names."""

import argparse
import os
import shutil
import sys
import tempfile
import time
import unittest

from .design import KEYPAD_3, Arm
from .devtools import DevToolsPage
from .errors import HarnessError
from .launchers import launcher as launcher_from_spec
from .pictures import Image
from .wayland import Compositor, VirtualKeyboard, WaylandApp
from .x11 import App, Display


class _WindowTestCase(unittest.TestCase):
    """Each test gets a fresh program on the class's private display or compositor; all are
    stopped whatever happens, and a failing test leaves its last picture as a PNG. main() sets
    the program (armdraw) and what it runs under (launcher) for every test class."""

    armdraw = None
    launcher = launcher_from_spec(None)

    @classmethod
    def setUpClass(cls):
        if not cls.armdraw:
            raise HarnessError("pass --armdraw PATH: the armdraw executable (or page) to test")
        cls.launcher.check(cls.armdraw)
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
        self.app = App(self.display, self.armdraw, self.workdir, env=env, launcher=self.launcher)
        self.addCleanup(self.app.stop)
        self.app.focus()


class PageTestCase(X11TestCase):
    """The browser build's page on the X display; skipped for the other builds."""

    @classmethod
    def setUpClass(cls):
        if not cls.launcher.opens_page:
            raise unittest.SkipTest("the browser build's page")
        super().setUpClass()


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
        self.app = WaylandApp(self.compositor, self.keyboard, self.armdraw, self.workdir)
        self.addCleanup(self.app.stop)


class DevToolsTestCase(_WindowTestCase):
    """The browser build's page in headless Chromium, driven over the DevTools Protocol: on a
    desktop screen, or on a phone's touch screen of phone = (width, height) CSS pixels, with an
    Android user agent if android is set."""

    phone = None
    android = False

    @classmethod
    def setUpClass(cls):
        if getattr(cls.launcher, "name", None) != "chromium":
            raise unittest.SkipTest("the browser build's page in Chromium")
        super().setUpClass()

    def setUp(self):
        self.app = DevToolsPage(self.armdraw, self.workdir)
        self.addCleanup(self.app.stop)
        if self.phone:
            self.app.emulate_phone(*self.phone, android=self.android)
        self.app.open()
        self.assertArm(Arm())

    def waitForPage(self, check, what, timeout=15):
        """Polls check() until it gives a true value, and returns that."""
        deadline = time.monotonic() + timeout
        while not (value := check()):
            if time.monotonic() > deadline:
                self.fail(f"timed out after {timeout} s waiting for {what}")
            time.sleep(0.1)
        return value


def artifacts_dir():
    path = os.environ.get("ARMDRAW_E2E_ARTIFACTS", os.path.join(os.getcwd(), "e2e-artifacts"))
    os.makedirs(path, exist_ok=True)
    return path


def main():
    """unittest's main, taking first --armdraw PATH (the program, or the browser build's page) and
    --launcher SPEC (native, wine[:LOADER], browser:chromium, browser:firefox or browser:webkit)."""
    parser = argparse.ArgumentParser(allow_abbrev=False, add_help=False)
    parser.add_argument("--armdraw", type=os.path.abspath)
    parser.add_argument("--launcher", type=launcher_from_spec, default=launcher_from_spec(None))
    options, rest = parser.parse_known_args()
    _WindowTestCase.armdraw, _WindowTestCase.launcher = options.armdraw, options.launcher
    unittest.main(module="__main__", argv=[sys.argv[0], *rest], verbosity=2)
