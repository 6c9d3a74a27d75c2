"""The page around the window, in headless Chromium over the DevTools Protocol: a phone's screen
and touch, the on-page keypad, changes of pixel density, and the mirror that screen readers
read."""

import re
from dataclasses import replace

import harness
from harness import KEYPAD_3, Arm

PORTRAIT, LANDSCAPE = (390, 844), (844, 390)


def described(app):
    """The drawing's description, which the mirror gives screen readers."""
    return app.evaluate("document.querySelector('#mirror [role=img]').nextSibling.textContent")


class PhoneTest(harness.DevToolsTestCase):
    phone = PORTRAIT

    def test_window_and_keypad_fit_and_stay_crisp(self):
        for screen in (PORTRAIT, LANDSCAPE):
            with self.subTest(screen=screen):
                self.app.emulate_phone(*screen)
                self.app.reload()
                for part in ("#window", "#keys"):
                    left, top, width, height = self.app.rect(part)
                    self.assertTrue(left >= 0 and top >= 0 and left + width <= screen[0] + 0.5
                                    and top + height <= screen[1] + 0.5, f"{part} at {left, top, width, height}")
                # One backing pixel to each device pixel the zoomed canvas covers.
                backing, shown = self.app.evaluate("[document.getElementById('qtcanvas').width, "
                                                   "987 * devicePixelRatio * visualViewport.scale]")
                self.assertAlmostEqual(backing, shown, delta=1.5)
                self.assertArm(Arm())


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


class MirrorTest(harness.DevToolsTestCase):

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

    def test_the_controls_are_mirrored_with_the_desktop_names(self):
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

    def test_the_mirror_speaks_changes_and_acts(self):
        self.app.keys(KEYPAD_3)
        self.assertArm(Arm(angle1=5))
        self.waitForPage(lambda: any("live" in p and "angle 5 degrees" in n for _, n, p in self.tree()),
                         "the live region")

        self.app.evaluate("[...document.querySelectorAll('#mirror button')]"
                          ".find(b => b.textContent === 'Anchor: top right').click()")
        arm = Arm(angle1=5).anchor_button(3)
        self.assertArm(arm)
        self.app.evaluate("(r => { r.value = 2000; r.dispatchEvent(new Event('input')); })"
                          "(document.querySelector('#mirror input[aria-label=\"Arm 1 length\"]'))")
        self.assertArm(replace(arm, radius1=2000))


if __name__ == "__main__":
    harness.main()
