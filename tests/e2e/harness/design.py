"""The window as its design gives it, in twips (15 to a pixel), never from the program: where each
control sits in window pixels, and the arm that a sequence of keys and clicks must show."""

import math
from dataclasses import dataclass, replace

TWIPS_PER_PIXEL = 15
WINDOW_TITLE = "Form1"
APP_ID = "io.github.armdraw.armdraw"  # the Wayland app id: the desktop entry's name
WINDOW_SIZE = (987, 732)
SURFACE = (240, 480, 10605, 9645)  # Picture1: left, top, width, height in window twips
PI = 3.141590118408203  # the program's single-precision pi, widened

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
RED = (255, 0, 0)
BLUE = (0, 0, 255)
LIGHT_RED = (255, 192, 192)
LIGHT_BLUE = (192, 192, 255)
LIGHT_GREY = (224, 224, 224)
GREY = (192, 192, 192)

# Raw keycodes of the keypad keys in Xvfb's default (evdev) keymap: the keysym they give
# depends on the Num Lock state, which is the point of sending them raw.
KEYPAD_1, KEYPAD_3, KEYPAD_4, KEYPAD_6 = "87", "89", "83", "85"

# Turns to check step by step: each step's keys sent in one burst, then the picture checked.
KEYPAD_TURNS = [
    [KEYPAD_3] * 3,   # segment 1 clockwise to 15
    [KEYPAD_1],       # back to 10
    [KEYPAD_6] * 2,   # segment 2 clockwise to 100
    [KEYPAD_4] * 5,   # counter-clockwise to 75
]
NAVIGATION_TURNS = [["Next"] * 4, ["End"], ["Right"] * 3, ["Left"]]


def px(twips):
    return twips / TWIPS_PER_PIXEL


def window_rect(left, top, width, height):
    """A control's box in window pixels from its design twips, as the window rounds it."""
    return (round(px(left)), round(px(top)), round(px(width)), round(px(height)))


def centre(rect):
    left, top, width, height = rect
    return (left + width // 2, top + height // 2)


def inside(container, child):
    """A child's rectangle, given relative to its container's window rectangle."""
    return (container[0] + child[0], container[1] + child[1], child[2], child[3])


# --- The design's control places, in window pixels ------------------------------------------

PICTURE1 = window_rect(*SURFACE)
FRA_ARM1 = window_rect(11160, 480, 1575, 3525)
FRA_ARM2 = window_rect(12960, 480, 1575, 3525)
FRA_ARM2_MODE = inside(FRA_ARM2, window_rect(240, 2400, 1095, 855))
OPT_FLOATING = inside(FRA_ARM2_MODE, window_rect(120, 240, 900, 300))
OPT_RIGID = inside(FRA_ARM2_MODE, window_rect(120, 480, 900, 300))
FRA_ORIGIN = window_rect(11760, 4440, 2295, 2055)
FRA_HOVER_HELP = window_rect(11520, 9240, 2295, 855)
LBL_HOVER_CONTROLS = inside(FRA_HOVER_HELP, window_rect(120, 360, 2055, 240))
LBL_INFO = window_rect(240, 10320, 14265, 495)
SCR_ORIGIN_X = inside(FRA_ORIGIN, window_rect(720, 1530, 1200, 300))
SCR_ORIGIN_Y = inside(FRA_ORIGIN, window_rect(240, 375, 300, 1100))


def scr_radius(index):
    return inside(FRA_ARM1 if index == 1 else FRA_ARM2, window_rect(315, 450, 300, 1200))


def scr_width(index):
    return inside(FRA_ARM1 if index == 1 else FRA_ARM2, window_rect(900, 450, 300, 1200))


def length_label(index):
    return inside(FRA_ARM1 if index == 1 else FRA_ARM2, window_rect(240, 1800, 525, 195))


def width_label(index):
    return inside(FRA_ARM1 if index == 1 else FRA_ARM2, window_rect(890, 1800, 435, 195))


def cmd_origin(index):
    columns, rows = (950, 1300, 1650), (375, 735, 1080)
    return inside(FRA_ORIGIN, window_rect(columns[(index - 1) % 3], rows[(index - 1) // 3], 255, 255))


# --- The arm the design predicts --------------------------------------------------------------

def _round_half_even(value):
    return int(round(value))  # Python rounds halves to even, as the program must


ANCHOR_COLUMNS = (1, _round_half_even(SURFACE[2] / 2), SURFACE[2])
ANCHOR_ROWS = (1, _round_half_even(SURFACE[3] / 2), SURFACE[3])


@dataclass(frozen=True)
class Arm:
    """The state the test expects: angles in whole degrees (segment 2's as stored), lengths
    and the anchor in twips, widths in pixels."""

    angle1: int = 0
    angle2: int = 90
    rigid: bool = False
    radius1: int = 4000
    radius2: int = 1500
    width1: int = 20
    width2: int = 20
    origin_x: int = ANCHOR_COLUMNS[1]
    origin_y: int = ANCHOR_ROWS[1]

    def key(self, code):
        """One key press, named as xdotool takes it: a keysym or a raw keypad keycode."""
        if code in (KEYPAD_3, "Next"):
            return replace(self, angle1=self.angle1 + 5)
        if code in (KEYPAD_1, "End"):
            return replace(self, angle1=self.angle1 - 5)
        if code in (KEYPAD_6, "Right"):
            return replace(self, angle2=self.angle2 + 5)
        if code in (KEYPAD_4, "Left"):
            return replace(self, angle2=self.angle2 - 5)
        if code == "space":
            return self.with_mode(not self.rigid)
        return self

    def keys(self, codes):
        arm = self
        for code in codes:
            arm = arm.key(code)
        return arm

    def with_mode(self, rigid):
        if rigid == self.rigid:
            return self
        # The stored angle changes reference so that the picture stays.
        angle2 = self.angle2 - self.angle1 if rigid else self.angle2 + self.angle1
        return replace(self, rigid=rigid, angle2=angle2)

    def anchor_button(self, index):
        return replace(self, origin_x=ANCHOR_COLUMNS[(index - 1) % 3], origin_y=ANCHOR_ROWS[(index - 1) // 3])

    def segments(self):
        """Both segments' end points in surface twips: ((x0, y0), (x1, y1), (x2, y2))."""
        a1 = self.angle1 * PI / 180
        x1 = self.origin_x + self.radius1 * math.cos(a1)
        y1 = self.origin_y + self.radius1 * math.sin(a1)
        a2 = (self.angle2 + (self.angle1 if self.rigid else 0)) * PI / 180
        return ((self.origin_x, self.origin_y), (x1, y1),
                (x1 + self.radius2 * math.cos(a2), y1 + self.radius2 * math.sin(a2)))


def surface_to_window(x, y):
    return (px(SURFACE[0] + x), px(SURFACE[1] + y))


# The browser build's page: its keypad beside the window where the browser's window leaves room,
# 12 pixels in, under a 32-pixel "Keypad" toggle, in 56-pixel keys 8 apart, numeric-keypad style.
PAGE_KEYPAD_TOGGLE = (WINDOW_SIZE[0] + 40, 28)
PAGE_KEYPAD_WIDTH = 1200  # a browser window this wide leaves the page room for the keypad


def page_key(column, row):
    """The middle of the page keypad's key at column and row from its top left."""
    return WINDOW_SIZE[0] + 12 + 64 * column + 28, 12 + 32 + 12 + 64 * row + 28
