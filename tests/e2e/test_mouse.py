"""The anchor buttons and the scroll bars under a real pointer: clicks on buttons, arrows and
tracks, and thumb drags."""

from dataclasses import replace

import harness
from harness import SCR_ORIGIN_X, SCR_ORIGIN_Y, Arm, centre, cmd_origin, scr_radius, scr_width, surface_to_window

# Points along a scroll bar, in pixels from its top or left end: the arrows sit at the ends,
# the track between them; a middle thumb leaves track on both sides.
ARROW = 5
TRACK = 20
# The window's style draws 13-pixel arrows and thumbs at least 26 pixels long.
ARROW_LENGTH, THUMB_LENGTH = 13, 26


def along(rect, offset):
    """The point `offset` pixels from the top or left end of a bar (from the bottom or right end
    when negative), on its centre line."""
    left, top, width, height = rect
    if width > height:
        return (left + offset if offset >= 0 else left + width + offset, top + height // 2)
    return (left + width // 2, top + offset if offset >= 0 else top + height + offset)


def thumb(rect, fraction):
    """The middle of the thumb of a bar whose value lies `fraction` of the way from its top or
    left end."""
    length = max(rect[2], rect[3])
    return along(rect, round(ARROW_LENGTH + THUMB_LENGTH / 2 + fraction * (length - 2 * ARROW_LENGTH - THUMB_LENGTH)))


class MouseTests:
    """Run with a mouse here, and with a finger on a phone's touch screen in test_page."""

    def test_anchor_buttons_move_the_anchor_and_the_arm(self):
        arm = Arm()
        for index in (1, 2, 3, 6, 9, 8, 7, 4, 5):
            with self.subTest(button=index):
                self.app.click(centre(cmd_origin(index)))
                arm = arm.anchor_button(index)
                self.assertArm(arm)

    def test_anchor_bar_arrows_step_10_and_tracks_100_twips(self):
        arm = Arm()
        steps = [
            (along(SCR_ORIGIN_X, -ARROW), 10, "origin_x", +10),    # right arrow
            (along(SCR_ORIGIN_X, TRACK), 2, "origin_x", -100),     # track left of the thumb
            (along(SCR_ORIGIN_Y, -ARROW), 10, "origin_y", +10),    # down arrow
            (along(SCR_ORIGIN_Y, ARROW), 4, "origin_y", -10),      # up arrow
            (along(SCR_ORIGIN_Y, -TRACK), 3, "origin_y", +100),    # track below the thumb
        ]
        for point, times, field, step in steps:
            with self.subTest(field=field, step=step, times=times):
                self.app.click(point, times)
                arm = replace(arm, **{field: getattr(arm, field) + times * step})
                self.assertArm(arm)

    def test_length_thumb_gives_1_at_the_bottom_and_10000_at_the_top(self):
        bar = scr_radius(1)
        # The arm follows the thumb while it is still held, and stays when it is let go.
        self.app.drag(thumb(bar, (10000 - 4000) / 9999), along(bar, bar[3] + 40), release=False)
        self.assertArm(Arm(radius1=1))
        self.app.release()
        self.assertArm(Arm(radius1=1))
        self.app.drag(thumb(bar, 1), along(bar, -bar[3] - 40))
        self.assertArm(Arm(radius1=10000))

    def test_anchor_follows_a_held_thumb(self):
        self.app.drag(thumb(SCR_ORIGIN_X, 0.5), along(SCR_ORIGIN_X, -ARROW // 2), release=False)
        arm = Arm(origin_x=10605)
        self.assertArm(arm)
        self.app.release()
        self.app.drag(thumb(SCR_ORIGIN_Y, 0.5), along(SCR_ORIGIN_Y, -SCR_ORIGIN_Y[3] - 30))
        self.assertArm(replace(arm, origin_y=1))

    def test_length_drag_carries_segment_2_along(self):
        bar = scr_radius(2)
        self.app.drag(thumb(bar, (10000 - 1500) / 9999), along(bar, -bar[3] - 40))
        self.assertArm(Arm(radius2=10000))

    def test_width_thumb_changes_thickness_only(self):
        bar = scr_width(1)
        self.app.drag(thumb(bar, (50 - 20) / 49), along(bar, bar[3] + 40))
        image = self.assertArm(Arm(width1=1))
        # Still drawn, one pixel thin, on the same centre line.
        for t in (0.2, 0.5, 0.8):
            x, y = surface_to_window(5302 + 4000 * t, 4822)
            r, g, b = image.pixel(int(x), int(y))
            self.assertTrue(r > 200 and g < 80 and b < 80, f"segment 1 at {t:.0%} is {(r, g, b)}")
        self.app.drag(thumb(bar, 1), along(bar, -bar[3] - 40))
        self.assertArm(Arm(width1=50))


class MouseTest(MouseTests, harness.X11TestCase):
    pass


if __name__ == "__main__":
    harness.main()
