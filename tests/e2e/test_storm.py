"""An X input storm: thousands of real key presses and some clicks at full speed, after which
the program must be alive and show the arm that the same event list predicts."""

import os
import random
import string
import time
from dataclasses import replace

import harness
from harness import (KEYPAD_1, KEYPAD_3, KEYPAD_4, KEYPAD_6, OPT_FLOATING, OPT_RIGID, SCR_ORIGIN_X, SCR_ORIGIN_Y,
                     SURFACE, Arm, centre, cmd_origin, option_selected)

EVENTS = int(os.environ.get("ARMDRAW_STORM_EVENTS", "10000"))
SEED = int(os.environ.get("ARMDRAW_STORM_SEED", "20240611"))
CHECKPOINTS = 4

TURN_KEYS = [KEYPAD_1, KEYPAD_3, KEYPAD_4, KEYPAD_6, "Next", "End", "Left", "Right"]
# Keys that turn nothing; Home, Up and Down would move a focused scroll bar if they leaked.
IDLE_KEYS = list(string.ascii_lowercase) + ["1", "5", "Home", "Up", "Down", "Prior", "Return"]

# Arrow clicks on the anchor bars: (point, coordinate, step). The arrows sit 5 pixels in from
# each end of a bar.
ARROWS = [
    ((SCR_ORIGIN_X[0] + 5, centre(SCR_ORIGIN_X)[1]), "origin_x", -10),
    ((SCR_ORIGIN_X[0] + SCR_ORIGIN_X[2] - 5, centre(SCR_ORIGIN_X)[1]), "origin_x", +10),
    ((centre(SCR_ORIGIN_Y)[0], SCR_ORIGIN_Y[1] + 5), "origin_y", -10),
    ((centre(SCR_ORIGIN_Y)[0], SCR_ORIGIN_Y[1] + SCR_ORIGIN_Y[3] - 5), "origin_y", +10),
]
LIMITS = {"origin_x": SURFACE[2], "origin_y": SURFACE[3]}


def storm(rng, count):
    """A list of ("key", keysym or keycode) and ("click", point, how the arm changes) events."""
    events = []
    for _ in range(count):
        roll = rng.random()
        if roll < 0.01:
            index = rng.randint(1, 9)
            events.append(("click", centre(cmd_origin(index)), lambda arm, i=index: arm.anchor_button(i)))
        elif roll < 0.03:
            point, field, step = rng.choice(ARROWS)

            def arrow(arm, field=field, step=step):
                moved = min(max(getattr(arm, field) + step, 1), LIMITS[field])
                return replace(arm, **{field: moved})

            events.append(("click", point, arrow))
        elif roll < 0.05:
            events.append(("key", "space"))
        elif roll < 0.85:
            events.append(("key", rng.choice(TURN_KEYS)))
        else:
            events.append(("key", rng.choice(IDLE_KEYS)))
    return events


class StormTest(harness.X11TestCase):

    def test_storm_of_real_input(self):
        events = storm(random.Random(SEED), EVENTS)
        self.app.set_num_lock(True)
        arm = Arm()
        started = time.monotonic()
        chunk = -(-len(events) // CHECKPOINTS)
        for first in range(0, len(events), chunk):
            arm = self.send(events[first:first + chunk], arm)
            with self.subTest(events=first + chunk, seed=SEED):
                self.assertArm(arm, timeout=120)
        elapsed = time.monotonic() - started

        image = self.assertArm(arm, timeout=0)
        self.assertTrue(self.app.alive())
        self.assertTrue(option_selected(image, OPT_RIGID if arm.rigid else OPT_FLOATING), f"mode of {arm}")
        self.assertFalse(option_selected(image, OPT_FLOATING if arm.rigid else OPT_RIGID), f"mode of {arm}")
        print(f"\nstorm: {len(events)} events (seed {SEED}) sent and drawn in {elapsed:.1f} s; final {arm}")

    def send(self, events, arm):
        """Sends the events in order, runs of keys in one xdotool command each."""
        keys = []
        for event in events + [("end",)]:
            if event[0] == "key":
                keys.append(event[1])
                arm = arm.key(event[1])
                continue
            self.app.keys(*keys)
            keys = []
            if event[0] == "click":
                self.app.click(event[1])
                arm = event[2](arm)
        return arm


if __name__ == "__main__":
    harness.main()
