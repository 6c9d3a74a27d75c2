"""The page around the window, in headless Chromium over the DevTools Protocol: a phone's screen
and touch, the on-page keypad, changes of pixel density, the window's elements as screen readers
read them, and the fatal run-time error."""

import re
import time
from dataclasses import replace

import harness
from harness import FRA_ARM1, KEYPAD_3, LBL_HOVER_CONTROLS, SCR_ORIGIN_Y, WINDOW_SIZE, Arm, centre, cmd_origin
from test_mouse import MouseTests, thumb

PORTRAIT, LANDSCAPE = (390, 844), (844, 390)


def described(app):
    """The drawing's description, which screen readers get once changes settle."""
    return app.evaluate("document.getElementById('Picture1-d').textContent")


def help_line(app):
    return app.evaluate("document.getElementById('lblInfo').textContent")


class PhoneTest(harness.DevToolsTestCase):
    phone = PORTRAIT

    def test_window_and_keypad_fit_and_stay_crisp(self):
        for screen in (PORTRAIT, LANDSCAPE):
            with self.subTest(screen=screen):
                self.app.emulate_phone(*screen)
                self.app.reload()
                for part in ("#window", "#keys"):
                    left, top, width, height = self.app.rect(part, on_screen=True)
                    self.assertTrue(left >= 0 and top >= 0 and left + width <= screen[0] + 0.5
                                    and top + height <= screen[1] + 0.5, f"{part} at {left, top, width, height}")
                # Elements and SVG, which the browser draws at the zoomed density: no canvas.
                canvases, shown = self.app.evaluate("[document.querySelectorAll('canvas').length, "
                                                    "document.getElementById('window').getBoundingClientRect().width]")
                self.assertEqual((canvases, shown), (0, 987))
                self.assertArm(Arm())


    def test_keypad_taps_turn_and_a_held_key_repeats(self):
        for key in ("3", "3", "6", " "):
            self.app.tap(self.key(key))
        self.assertArm(Arm(angle1=10, angle2=95).with_mode(True))
        self.app.touch("touchStart", self.key("1"))
        time.sleep(1.5)
        self.app.touch("touchEnd")
        time.sleep(1)  # the description follows once the changes settle
        # About half a second, then about 30 a second.
        angle = int(re.search(r"angle (-?\d+) degrees", described(self.app))[1])
        steps = (10 - angle) // 5
        self.assertTrue(10 <= steps <= 40, f"{steps} steps in 1.5 s")
        self.assertArm(Arm(angle1=angle, angle2=95 - 5 * steps).with_mode(True))
        self.assertTrue(self.app.evaluate("!!document.activeElement.closest('#window')"), "the focus is back")

    def test_a_tap_on_an_area_shows_its_help(self):
        for point, text in (((FRA_ARM1[0] + 4, FRA_ARM1[1] + FRA_ARM1[3] - 6), "Controls for Arm1."),
                            ((LBL_HOVER_CONTROLS[0] + 10, LBL_HOVER_CONTROLS[1] + 5), "CONTROLS - Keypad 1 and 3")):
            self.app.click(point)
            self.waitForPage(lambda: help_line(self.app).startswith(text), text)

    def test_a_finger_that_slides_off_or_is_cancelled_lets_go(self):
        # Off the window's bottom, onto the keypad: the thumb is let go where the finger left.
        self.app.drag(thumb(SCR_ORIGIN_Y, 0.5), (centre(SCR_ORIGIN_Y)[0], WINDOW_SIZE[1] + 150))
        arm = Arm(origin_y=9645)
        self.assertArm(arm)
        # A cancelled press clicks nothing, and the next tap is a tap, not a drag of the thumb.
        self.app.touch("touchStart", self.app.window_point(centre(cmd_origin(3))))
        self.app.touch("touchCancel")
        self.app.click(centre(cmd_origin(1)))
        self.assertArm(arm.anchor_button(1))

    def key(self, key):
        left, top, width, height = self.app.rect(f'#keys button[data-key="{key}"]')
        return left + width / 2, top + height / 2


class TouchTest(MouseTests, harness.DevToolsTestCase):
    """Taps on buttons, arrows and tracks, and thumbs dragged by a finger."""
    phone = LANDSCAPE


class AndroidTest(harness.DevToolsTestCase):
    phone = PORTRAIT
    android = True

    def test_one_key_press_is_one_step(self):
        self.app.keys("space", KEYPAD_3)
        self.waitForPage(lambda: re.search("Red arm 1: angle 5 degrees.*Mode: Rigid", described(self.app)),
                         "one step and Rigid")


class DensityTest(harness.DevToolsTestCase):

    def test_the_window_is_redrawn_whole_at_each_density(self):
        arm = Arm()
        for scale in (2, 1.5, 1):
            with self.subTest(scale=scale):
                self.app.set_scale(scale)
                self.app.keys(KEYPAD_3)
                arm = arm.key(KEYPAD_3)
                self.assertArm(arm)


class AccessibilityTest(harness.DevToolsTestCase):

    def tree(self):
        """Chromium's accessibility tree: (role, name, properties) of each node that is seen; a
        live region's name is its text."""
        self.app.send("Accessibility.enable")
        nodes = {node["nodeId"]: node for node in self.app.send("Accessibility.getFullAXTree")["nodes"]}

        def name(node):
            return node.get("name", {}).get("value", "")

        seen = []
        for node in nodes.values():
            properties = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
            properties["description"] = node.get("description", {}).get("value", "")
            text = name(node)
            if "live" in properties:
                text = "".join(name(nodes[child]) for child in node.get("childIds", []) if child in nodes)
            if not node.get("ignored"):
                seen.append((node["role"]["value"], text, properties))
        return seen

    def named(self, role, name):
        found = [properties for r, n, properties in self.tree() if r == role and n == name]
        self.assertEqual(len(found), 1, f"{role} {name!r}")
        return found[0]

    def test_the_controls_have_the_desktop_names(self):
        for place in ("top left", "top centre", "top right", "middle left", "centre", "middle right",
                      "bottom left", "bottom centre", "bottom right"):
            self.named("button", f"Anchor: {place}")
        self.assertTrue(self.named("radio", "Floating")["checked"] == "true")
        self.assertTrue(self.named("radio", "Rigid")["checked"] == "false")
        for name, low, high, value in (("Arm 1 length", 1, 10000, 4000), ("Arm 1 width", 1, 50, 20),
                                       ("Arm 2 length", 1, 10000, 1500), ("Arm 2 width", 1, 50, 20),
                                       ("Anchor X", 1, 10605, 5302), ("Anchor Y", 1, 9645, 4822)):
            properties = self.named("slider", name)
            self.assertEqual((properties["valuemin"], properties["valuemax"]), (low, high), name)
            self.assertEqual(properties["valuetext"] or properties.get("valuenow"), str(value), name)
        self.assertTrue(self.named("image", "Drawing")["description"].startswith("Red arm 1: angle 0 degrees"))
        self.assertTrue(any(role == "StaticText" and name.startswith("Use numeric keypad") for role, name, _ in self.tree()))
        self.assertFalse(any(role == "canvas" for role, _, _ in self.tree()), "the canvas is hidden")

    def test_changes_are_spoken_and_the_controls_act(self):
        self.app.keys(KEYPAD_3)
        self.assertArm(Arm(angle1=5))
        self.waitForPage(lambda: any("live" in p and "angle 5 degrees" in n for _, n, p in self.tree()),
                         "the live region")

        self.app.evaluate("document.querySelector('#window button[aria-label=\"Anchor: top right\"]').click()")
        arm = Arm(angle1=5).anchor_button(3)
        self.assertArm(arm)
        self.app.evaluate("(r => { r.value = 2000; r.dispatchEvent(new Event('input')); })"
                          "(document.querySelector('#window input[aria-label=\"Arm 1 length\"]'))")
        self.assertArm(replace(arm, radius1=2000))


class EarlyKeyTest(harness.DevToolsTestCase):

    def test_a_key_pressed_before_the_module_is_ready_is_kept(self):
        # On a slow link the window shows a second before the module has loaded; no offline copy
        # may answer instead.
        self.app.evaluate("navigator.serviceWorker.getRegistrations()"
                          ".then(all => Promise.all(all.map(r => r.unregister()))).then(() => true)")
        self.app.send("Network.enable")
        self.app.send("Network.setCacheDisabled", cacheDisabled=True)
        self.app.send("Network.emulateNetworkConditions", offline=False, latency=150,
                      downloadThroughput=1.6e6 / 8, uploadThroughput=750e3 / 8)
        self.app.send("Page.navigate", url=self.app.url)

        def window_shown():
            try:
                return self.app.evaluate("typeof armdrawReady === 'function' && !!document.getElementById('frmMain')")
            except harness.HarnessError:  # the old page is still going
                return False
        self.waitForPage(window_shown, "the window before the module")
        self.assertFalse(self.app.evaluate("document.documentElement.classList.contains('armdraw-ready')"))
        self.app.keys(KEYPAD_3, "space")
        self.app.wait_for_page(60)
        self.assertArm(Arm(angle1=5).with_mode(True))


class FatalErrorTest(harness.DevToolsTestCase):

    def test_an_overflow_shows_the_message_and_removes_the_window(self):
        self.app.evaluate("_web_test_overflow()")
        message = self.app.evaluate("document.getElementById('message').textContent")
        self.assertTrue(message.startswith("Run-time error '6':\n\nOverflow"), message)
        self.assertIsNone(self.app.evaluate("document.getElementById('window')"))
        self.app.reload()
        self.assertArm(Arm())


if __name__ == "__main__":
    harness.main()
