"""The help line under a real pointer. The test cannot read the text, so it names each text and
checks that the help line's pixels change to a new picture, return to the picture seen before
for the same text, go blank, or stay as they are."""

import harness
from harness import (FRA_ARM1, FRA_ARM2, FRA_ARM2_MODE, FRA_HOVER_HELP, FRA_ORIGIN, LBL_HOVER_CONTROLS, LBL_INFO,
                     OPT_RIGID, PICTURE1, Arm, centre, cmd_origin, scr_radius, width_label)

STAY = None

# Where the pointer goes, and which text the help line must show then (STAY: the last one).
# A control without a handler is reached from an area whose text differs from its container's,
# so that a move passed on to the container would show.
PATH = [
    ("window background", (5, 5), "background"),
    ("scrRadius(1)", centre(scr_radius(1)), STAY),
    ("fraArm1", (FRA_ARM1[0] + 10, FRA_ARM1[1] + 200), "arm 1"),
    ("scrRadius(1) from fraArm1", centre(scr_radius(1)), STAY),
    ("window background", (970, 600), "background"),
    ("Label1 in fraArm1", centre(width_label(1)), STAY),
    ("fraArm2", (FRA_ARM2[0] + 95, FRA_ARM2[1] + 200), "arm 2"),
    ("optAngleRelative in fraArm2Mode", centre(OPT_RIGID), STAY),
    ("cmdOrigin(5) in fraOrigin", centre(cmd_origin(5)), STAY),
    ("fraArm2Mode", (FRA_ARM2_MODE[0] + 68, FRA_ARM2_MODE[1] + 50), "mode"),
    ("fraOrigin", (FRA_ORIGIN[0] + 140, FRA_ORIGIN[1] + 60), "anchor"),
    ("fraHoverHelp's border area", (FRA_HOVER_HELP[0] + 5, FRA_HOVER_HELP[1] + 50), ""),
    ("lblHoverControls", centre(LBL_HOVER_CONTROLS), "controls"),
    ("lblInfo", centre(LBL_INFO), STAY),
    ("Picture1", centre(PICTURE1), STAY),
    ("fraArm1 again", (FRA_ARM1[0] + 90, FRA_ARM1[1] + 150), "arm 1"),
]


class HoverTest(harness.X11TestCase):

    def test_help_line_follows_the_pointer(self):
        arm = Arm()
        first = self.app.capture()
        self.assertFalse(first.is_uniform(LBL_INFO), "start-up fills the help line")
        seen = {"keypad help": first.crop(LBL_INFO)}
        current = "keypad help"

        for place, point, text in PATH:
            with self.subTest(place):
                self.app.move(point)
                if text is STAY or text == current:
                    # Nothing to wait for: a turn of the arm sent after the move proves the
                    # move was handled when the new arm shows.
                    arm, image = self.barrier(arm)
                    self.assertPicture(image.crop(LBL_INFO) == seen[current], image, f"the {current} text stays")
                    continue
                if text in seen:
                    image = self.waitUntil(lambda image: image.crop(LBL_INFO) == seen[text], f"the {text} text")
                else:
                    image = self.waitUntil(lambda image: image.crop(LBL_INFO) not in seen.values(),
                                           f"a new text ({text or 'blank'})")
                    seen[text] = image.crop(LBL_INFO)
                self.assertPicture(image.is_uniform(LBL_INFO) == (text == ""), image,
                                   f"the help line is blank exactly when the {text or 'blank'} text shows")
                current = text


if __name__ == "__main__":
    harness.main()
