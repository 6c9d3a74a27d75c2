"""The window as it first appears on a real X server: the arm, the tints, the buttons; and for
the browser build, what its page asks of the server and how it opens offline."""

import os
import re
import tempfile

import harness
from harness import (BLACK, BLUE, FRA_ARM1, FRA_ARM2, FRA_ARM2_MODE, FRA_ORIGIN, GREY, LBL_HOVER_CONTROLS,
                     LBL_INFO, LIGHT_BLUE, LIGHT_GREY, LIGHT_RED, OPT_FLOATING, OPT_RIGID, RED, WHITE, Arm, centre,
                     cmd_origin, length_label, option_selected, surface_to_window)


class StartupTest(harness.X11TestCase):

    def test_arm_starts_right_then_down_from_the_centred_anchor(self):
        image = self.assertArm(Arm())
        self.assertEqual((image.width, image.height), harness.WINDOW_SIZE, "the client area")
        # The same along the design's centre lines: anchor (5302, 4822), segment 1 4000 twips
        # right, segment 2 1500 twips down from its tip.
        for t in (0.1, 0.3, 0.5, 0.7):
            x, y = surface_to_window(5302 + 4000 * t, 4822)
            self.assertEqual(image.pixel(int(x), int(y)), RED, f"segment 1 at {t:.0%}")
        for t in (0.2, 0.5, 0.8, 1.0):
            x, y = surface_to_window(9302, 4822 + 1500 * t)
            self.assertEqual(image.pixel(int(x), int(y)), BLUE, f"segment 2 at {t:.0%}")
        base = surface_to_window(5302 - 850 + 1695 / 2, 4822 + 300 + 495 / 2)
        post = surface_to_window(5302 - 125 + 255 / 2, 4822 + 230)  # between segment 1 and the base
        self.assertEqual(image.pixel(int(base[0]), int(base[1])), BLACK, "the anchor's base")
        self.assertEqual(image.pixel(int(post[0]), int(post[1])), BLACK, "the anchor's post")
        for twips in ((100, 100), (10500, 100), (100, 9545), (10500, 9545)):
            x, y = surface_to_window(*twips)
            self.assertEqual(image.pixel(int(x), int(y)), WHITE, f"the surface at {twips}")

    def test_panels_carry_their_tints(self):
        image = self.app.capture()
        # Bare panel areas below their children, and the grey "CONTROLS" label.
        places = {
            "fraArm1": ((FRA_ARM1[0] + 10, FRA_ARM1[1] + 200), LIGHT_RED),
            "fraArm2": ((FRA_ARM2[0] + 95, FRA_ARM2[1] + 200), LIGHT_BLUE),
            "fraArm2Mode": ((FRA_ARM2_MODE[0] + 68, FRA_ARM2_MODE[1] + 50), LIGHT_BLUE),
            "fraOrigin": ((FRA_ORIGIN[0] + 140, FRA_ORIGIN[1] + 60), LIGHT_GREY),
            "lblHoverControls": ((LBL_HOVER_CONTROLS[0] + 3, LBL_HOVER_CONTROLS[1] + 8), GREY),
        }
        for name, (point, colour) in places.items():
            with self.subTest(name):
                self.assertEqual(image.pixel(*point), colour)

    def test_anchor_buttons_have_a_grey_face(self):
        image = self.app.capture()
        for index in range(1, 10):
            left, top, width, height = cmd_origin(index)
            column = [image.pixel(left + width // 2, y) for y in range(top + 2, top + height - 2)]
            with self.subTest(button=index):
                # The style shades the face from a lighter top down to the face colour itself.
                self.assertTrue(all(r == g == b for r, g, b in column), column)
                self.assertLessEqual(abs(column[-1][0] - GREY[0]), 8, column)
                self.assertLess(sum(c[0] for c in column) / len(column), LIGHT_GREY[0], column)

    def test_floating_is_selected_and_the_help_line_is_filled(self):
        image = self.app.capture()
        self.assertTrue(option_selected(image, OPT_FLOATING), "Floating selected")
        self.assertFalse(option_selected(image, OPT_RIGID), "Rigid not selected")
        self.assertFalse(image.is_uniform(LBL_INFO), "the keypad help shows in the help line")

    def test_captions_are_drawn_whole(self):
        # A font engine that clips glyphs loses the L's stem and the g's tail first.
        image = self.app.capture()

        def ink(rect, skip=0):
            left, top, width, height = rect
            return {(x, y) for x in range(left + skip, left + width) for y in range(top, top + height)
                    if sum(image.pixel(x, y)) < 400}

        length = ink(length_label(1))
        stem_x = min(x for x, _ in length)
        self.assertGreaterEqual(sum(1 for x, _ in length if x == stem_x), 6, "the L of Length has its stem")
        floating = ink(OPT_FLOATING, skip=16)  # the caption, right of the indicator
        letters = sorted({x for x, _ in floating})
        f_bottom = max(y for x, y in floating if x < letters[0] + 3)
        self.assertGreaterEqual(max(y for _, y in floating) - f_bottom, 2, "the g of Floating has its tail")

    def test_the_window_carries_its_own_icon(self):
        if self.launcher.opens_page:
            self.skipTest("a browser gives its window its own icon; PageTest checks the page's")
        # Nothing is installed here: the icon can only come from inside the program. (Qt on X11
        # hands the window 48 px and up; Wine makes its 16 and 32 px ones from them.)
        sizes = re.findall(r"Icon \((\d+ x \d+)\)", self.app.window_property("_NET_WM_ICON"))
        self.assertTrue(sizes, "no icon on the window")


class PageTest(harness.PageTestCase):
    """The browser build's page."""

    def setUp(self):
        self.profile = tempfile.mkdtemp(dir=self.workdir)
        self.requests = os.path.join(self.workdir, f"{self.id()}.requests")

    def open(self, **env):
        """Opens the page in the test's profile, logging what the server is asked for."""
        self.launch(ARMDRAW_BROWSER_PROFILE=self.profile, ARMDRAW_BROWSER_REQUEST_LOG=self.requests, **env)
        return self.assertArm(Arm())

    def served(self):
        with open(self.requests) as log:
            return [line.split()[2] for line in log]

    def test_input_asks_nothing_of_the_server(self):
        self.open()
        icons = {"/armdraw.svg", "/armdraw-48.png"}
        self.waitUntil(lambda image: icons & set(self.served()), "the tab's icon")
        loaded = self.served()
        site = set(os.listdir(os.path.dirname(self.armdraw)))
        self.assertLessEqual({path.lstrip("/") for path in loaded}, site, "files from the page's folder only")

        for point in (centre(cmd_origin(3)), centre(LBL_HOVER_CONTROLS), (5, 5)):
            self.app.move(point)
            self.app.click(point)
        self.check_turns(Arm().anchor_button(3), [["space", "a", "Tab", "Next", "Right"]])
        self.assertEqual(self.served(), loaded, "requests after the page loaded")

    def test_page_opens_offline_after_its_first_visit(self):
        self.open()
        self.app.stop()
        self.open(ARMDRAW_BROWSER_OFFLINE="1")


if __name__ == "__main__":
    harness.main()
