"""The keyboard-less path end to end: the real armdraw on a private Xvfb display, read and
driven through AT-SPI (pyatspi), as a screen reader or a switch-access tool reaches it.

Run inside its own D-Bus session: dbus-run-session -- python3 test_atspi.py --armdraw PATH
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

from harness import Display, stop_group  # tests/e2e, on PYTHONPATH

DEADLINE = 15  # seconds for anything to appear or change


def wait_for(what, probe):
    """Polls probe() until it returns something true; fails the run after the deadline."""
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        try:
            value = probe()
        except Exception:  # the tree is still being built
            value = None
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting for {what}")


class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def run(self, name, check):
        try:
            check()
        except (AssertionError, ValueError) as error:
            self.failed += 1
            print(f"FAIL {name}: {error}", flush=True)
        else:
            self.passed += 1
            print(f"PASS {name}", flush=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--armdraw", required=True)
    args = parser.parse_args()
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        sys.exit("run me inside dbus-run-session")

    workdir = tempfile.mkdtemp(prefix="armdraw-atspi-")
    display = Display(workdir)
    launcher = program = None
    try:
        os.environ["DISPLAY"] = display.start().name
        launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                    start_new_session=True)
        environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                           XDG_RUNTIME_DIR=workdir)
        program = subprocess.Popen([args.armdraw], env=environment, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        return run_checks()
    finally:
        stop_group(program)
        stop_group(launcher)
        display.stop()
        shutil.rmtree(workdir, ignore_errors=True)


def run_checks():
    import pyatspi  # only now: it connects to the accessibility bus of this session and display

    def application():
        return next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "armdraw"), None)

    app = wait_for("armdraw on the accessibility bus", application)

    def find(name):
        return wait_for(f"a control named {name!r}",
                        lambda: pyatspi.findDescendant(app, lambda x: x is not None and x.name == name))

    drawing = find("Drawing")

    def description_contains(text):
        return wait_for(f"the drawing's description to contain {text!r}",
                        lambda: text in drawing.description and drawing.description)

    checks = Checks()

    def drawing_is_described():
        assert drawing.getRole() == pyatspi.ROLE_CANVAS, drawing.getRoleName()
        assert drawing.description.startswith(
            "Red arm 1: angle 0 degrees, pointing 0 degrees clockwise from right, length 4000 twips, "
            "width 20 pixels."), drawing.description

    def window_is_a_frame():
        window = app.getChildAtIndex(0)
        assert window.getRole() == pyatspi.ROLE_FRAME, window.getRoleName()

    def length_caption_labels_its_bar():
        relations = find("Arm 1 length").getRelationSet()
        labels = [relation.getTarget(i).name for relation in relations
                  if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                  for i in range(relation.getNTargets())]
        assert labels == ["Length"], labels

    def length_bar_tells_the_classic_value():
        value = find("Arm 1 length").queryValue()
        assert (value.currentValue, value.minimumValue, value.maximumValue) == (4000, 1, 10000), \
            (value.currentValue, value.minimumValue, value.maximumValue)

    def setting_a_length_redraws_the_arm():
        value = find("Arm 1 length").queryValue()
        value.currentValue = 6000
        assert value.currentValue == 6000, value.currentValue
        description_contains("length 6000 twips")
        description_contains("Tip at X 11302, Y 6322 twips.")

    def anchor_button_press_moves_the_anchor():
        action = find("Anchor: bottom right").queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        assert "Press" in names, names
        action.doAction(names.index("Press"))
        description_contains("Anchor at X 10605, Y 9645 twips.")
        assert find("Anchor X").queryValue().currentValue == 10605

    def mode_button_press_switches_to_rigid():
        # An option button offers its one action as a toggle.
        action = find("Rigid").queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        assert "Toggle" in names, names
        action.doAction(names.index("Toggle"))
        description_contains("Mode: Rigid.")

    checks.run("drawing is described", drawing_is_described)
    checks.run("window is a frame", window_is_a_frame)
    checks.run("length caption labels its bar", length_caption_labels_its_bar)
    checks.run("length bar tells the classic value", length_bar_tells_the_classic_value)
    checks.run("setting a length redraws the arm", setting_a_length_redraws_the_arm)
    checks.run("anchor button press moves the anchor", anchor_button_press_moves_the_anchor)
    checks.run("mode button press switches to rigid", mode_button_press_switches_to_rigid)
    print(f"{checks.passed} passed, {checks.failed} failed", flush=True)
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
