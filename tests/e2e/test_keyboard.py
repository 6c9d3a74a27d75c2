"""Real key presses from the X keyboard map: the keypad with Num Lock on and off, the
navigation keys, Space, modifiers and keys that do nothing."""

import time

import harness
from harness import (KEYPAD_1, KEYPAD_3, KEYPAD_4, KEYPAD_6, KEYPAD_TURNS, NAVIGATION_TURNS, OPT_FLOATING,
                     OPT_RIGID, PAGE_KEYPAD_TOGGLE, PAGE_KEYPAD_WIDTH, Arm, centre, cmd_origin, option_selected,
                     page_key, picture_mismatches)


class KeyboardTest(harness.X11TestCase):

    def test_keypad_turns_both_segments_with_num_lock_on_and_off(self):
        arm = Arm()
        for num_lock in (True, False):
            with self.subTest(num_lock=num_lock):
                self.app.set_num_lock(num_lock)
                arm = self.check_turns(arm, KEYPAD_TURNS)

    def test_navigation_keys_turn_like_the_keypad(self):
        self.check_turns(Arm(), NAVIGATION_TURNS)

    def test_shift_and_ctrl_change_nothing(self):
        self.app.set_num_lock(True)
        # With Num Lock on, Shift turns keypad 3 into its Page Down: the same turn.
        keys = ["shift+" + KEYPAD_3, "ctrl+" + KEYPAD_3, "shift+" + KEYPAD_1, "ctrl+" + KEYPAD_6,
                "shift+" + KEYPAD_6, "ctrl+" + KEYPAD_4]
        self.app.keys(*keys)
        if self.launcher.opens_page:
            # In the browser a key with Ctrl is the browser's (Ctrl+3 is its third tab): only the
            # Shift ones turn.
            self.assertArm(Arm(angle1=0, angle2=95))
        else:
            self.assertArm(Arm(angle1=5, angle2=95))

    def test_other_keys_leave_the_arm_and_the_focused_bar_alone(self):
        self.app.set_num_lock(True)
        # The focus starts on arm 2's Width bar: had any of these keys reached it, Home would
        # widen segment 2 to 50 pixels and Up would widen it step by step.
        self.app.keys("a", "z", "1", "84", "Return", "Home", "Prior", *["Up"] * 12, "Down", "Escape", "BackSpace")
        self.barrier(Arm())

    def test_space_switches_the_mode_without_moving_the_arm(self):
        self.app.set_num_lock(True)
        arm = self.check_turns(Arm(), [[KEYPAD_3] * 9])  # segment 1 at 45

        self.app.keys("space")
        self.waitUntil(lambda image: option_selected(image, OPT_RIGID), "Rigid selected")
        image = self.assertArm(arm.with_mode(True), timeout=0)
        self.assertFalse(option_selected(image, OPT_FLOATING))
        # Rigid: segment 2 turns along with segment 1, from 90 to 95 degrees on the screen.
        self.check_turns(arm.with_mode(True), [[KEYPAD_3]])
        turned = Arm(angle1=50, angle2=95)  # segment 2 stated as Floating states it: from the right
        self.assertArm(turned, timeout=0)

        self.app.keys("space")
        self.waitUntil(lambda image: option_selected(image, OPT_FLOATING), "Floating selected")
        self.assertArm(turned, timeout=0)
        # Floating: segment 2 keeps its direction while segment 1 turns.
        self.check_turns(turned, [[KEYPAD_1] * 3])

    def test_tab_and_shift_tab_keep_the_focus_in_the_window(self):
        # More presses than the window has tab stops: the focus goes round, never out of it (in a
        # browser, to the address bar or the rest of the page).
        self.app.keys(*["Tab"] * 30)
        arm = self.barrier(Arm())[0]
        self.app.keys(*["shift+Tab"] * 30)
        self.barrier(arm)

    def test_space_does_not_press_the_focused_anchor_button(self):
        self.app.click(centre(cmd_origin(9)))
        arm = Arm().anchor_button(9)
        self.assertArm(arm)
        # Tab moves the focus on to button 6; Space must switch the mode, not press it.
        self.app.keys("Tab", "space")
        self.waitUntil(lambda image: option_selected(image, OPT_RIGID), "Rigid selected")
        self.assertArm(arm.with_mode(True), timeout=0)


class BrowserKeysTest(harness.PageTestCase):
    """The browser keeps its own shortcuts while the window has the keyboard."""

    def test_zoom_and_reload_are_the_browsers(self):
        arm = self.barrier(Arm())[0]
        self.app.keys("ctrl+plus")
        self.waitUntil(lambda image: picture_mismatches(image, arm), "the page zoomed in")
        self.app.keys("ctrl+0")
        # Drawn whole at each zoom, the window shows only the arm.
        self.barrier(arm)
        self.app.keys("F5")
        self.assertArm(Arm(), timeout=60)



class OnPageKeypadTest(harness.PageTestCase):
    """The page's own keypad, where the browser's window leaves it room beside the window."""

    def setUp(self):
        self.launch(ARMDRAW_BROWSER_WIDTH=str(PAGE_KEYPAD_WIDTH))

    def test_clicks_turn_and_a_held_key_repeats(self):
        self.app.click(PAGE_KEYPAD_TOGGLE)
        for key in [(2, 2)] * 3 + [(2, 1), (0, 3)]:  # 3 three times, 6, Space
            self.app.click(page_key(*key))
        self.assertArm(Arm(angle1=15, angle2=95).with_mode(True))
        self.app.drag(page_key(0, 2), page_key(0, 2), steps=1, release=False)  # 1, held
        time.sleep(1.2)
        self.app.release()
        held = lambda n: Arm(angle1=15 - 5 * n, angle2=95 - 5 * n).with_mode(True)
        # About half a second, then about 30 a second: the same count in two pictures apart, as a
        # browser may draw the last turns late.
        shown = []

        def settled(image):
            shown.append(next((n for n in range(8, 40) if not picture_mismatches(image, held(n))), None))
            time.sleep(0.5)
            return shown[-1] is not None and shown[-2:] == shown[-1:] * 2

        self.waitUntil(settled, "the held key's turns")
        steps = shown[-1]
        # The keyboard is the window's again.
        self.check_turns(held(steps), [[KEYPAD_3]])


if __name__ == "__main__":
    harness.main()
