"""The keyboard under a real Wayland compositor: a headless sway, keys from a virtual keyboard
with the standard keymap, the picture from grim."""

import harness
from harness import KEYPAD_3, KEYPAD_TURNS, NAVIGATION_TURNS, OPT_FLOATING, OPT_RIGID, Arm, option_selected


class WaylandKeyboardTest(harness.WaylandTestCase):

    def test_keypad_navigation_keys_and_space_turn_the_arm(self):
        arm = Arm()
        # With Num Lock on, Qt 6.4's Wayland plugin gives the keypad digits without the keypad
        # modifier: only the keysym tells them from the main keyboard's digits, which turn nothing.
        for num_lock in (True, False):
            with self.subTest(num_lock=num_lock):
                self.app.set_num_lock(num_lock)
                arm = self.check_turns(arm, KEYPAD_TURNS)
        arm = self.check_turns(arm, NAVIGATION_TURNS)

        self.app.keys("space")
        self.waitUntil(lambda image: option_selected(image, OPT_RIGID), "Rigid selected")
        image = self.assertArm(arm.with_mode(True), timeout=0)
        self.assertFalse(option_selected(image, OPT_FLOATING))
        # Rigid: segment 2 turns along with segment 1.
        image = self.assertArm(self.check_turns(arm.with_mode(True), [[KEYPAD_3]]))
        print(f"the turned arm under Wayland: {self.keep(image)}")


if __name__ == "__main__":
    harness.main()
