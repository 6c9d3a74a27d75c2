"""Runs the real armdraw window on a private Xvfb display, drives it with real X input
(xdotool), reads its pixels (xwd) and predicts the picture from the window's design numbers.
The same window runs under a private headless Wayland compositor (sway) too, typed at through
the virtual-keyboard protocol and captured with grim; and under Wine or in a browser through a
launcher.

Every position here comes from the design, in twips (15 to a pixel), never from the program.

  design     the window's geometry and the arm it must show
  pictures   Image, and the checks of its pixels against the arm
  program    the process under test and its window's pictures
  x11        Display, SessionBus and App: the X11 session
  wayland    Compositor, VirtualKeyboard and WaylandApp: the Wayland session
  launchers  Native, Wine and Browser: what the program runs under
  devtools   DevToolsPage: the browser build's page in headless Chromium, as a phone too
  testcase   X11TestCase, PageTestCase, WaylandTestCase, DevToolsTestCase and main(), the test files' entry
"""

from .design import (ANCHOR_COLUMNS, ANCHOR_ROWS, APP_ID, BLACK, BLUE, FRA_ARM1, FRA_ARM2, FRA_ARM2_MODE,
                     FRA_HOVER_HELP, FRA_ORIGIN, GREY, KEYPAD_1, KEYPAD_3, KEYPAD_4, KEYPAD_6, KEYPAD_TURNS,
                     LBL_HOVER_CONTROLS, LBL_INFO, LIGHT_BLUE, LIGHT_GREY, LIGHT_RED, NAVIGATION_TURNS, OPT_FLOATING,
                     OPT_RIGID, PAGE_KEYPAD_TOGGLE, PAGE_KEYPAD_WIDTH, PI, PICTURE1, RED, SCR_ORIGIN_X, SCR_ORIGIN_Y, SURFACE, TWIPS_PER_PIXEL, WHITE,
                     WINDOW_SIZE, WINDOW_TITLE, Arm, centre, cmd_origin, inside, length_label, px, scr_radius,
                     page_key, scr_width, surface_to_window, width_label, window_rect)
from .errors import HarnessError
from .launchers import Browser, Native, Wine, launcher
from .pictures import Image, close, expected_colours, expected_items, option_selected, picture_mismatches
from .program import DESKTOP_VARIABLES, die_with_parent, stop_group
from .devtools import DevToolsPage
from .testcase import DevToolsTestCase, PageTestCase, WaylandTestCase, X11TestCase, artifacts_dir, main
from .wayland import NUM_LOCK_MASK, X_KEYCODES, Compositor, VirtualKeyboard, WaylandApp, standard_keymap
from .x11 import App, Display, SessionBus
