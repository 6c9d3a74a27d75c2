"""One look on every desktop: under any platform theme, style or desktop font setting, at start
and after the desktop changes its theme, the window is pixel for pixel the one on no desktop."""

import os
import tempfile
import time

import harness
from harness import BLACK, KEYPAD_3, PICTURE1, Arm

# Plasma's settings: a dark colour scheme and an italic, underlined, struck-out system font.
KDE_DARK = """[General]
font=DejaVu Serif,14,-1,5,50,1,1,1,0,0,Regular
[Colors:Window]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:View]
BackgroundNormal=35,38,41
ForegroundNormal=239,240,241
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
"""
KDE_PLAIN = "[General]\nfont=DejaVu Sans,10,-1,5,50,0,0,0,0,0\n"
# GNOME's font rendering settings, once as fontconfig reads them and once as X resources.
FONTCONFIG_RGB = """<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><match target="font"><edit name="hintstyle" mode="assign"><const>hintfull</const></edit>
<edit name="rgba" mode="assign"><const>rgb</const></edit></match></fontconfig>
"""
XFT_RGB = "Xft.hintstyle:\thintfull\nXft.rgba:\trgb\n"


def config_home(path, text):
    """An XDG_CONFIG_HOME holding one file."""
    home = tempfile.mkdtemp(prefix="config-", dir=ThemeTest.workdir)
    write(os.path.join(home, path), text)
    return home


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as out:
        out.write(text)


class ThemeTest(harness.X11TestCase):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        try:
            app = harness.App(cls.display, cls.armdraw, cls.workdir)
            try:
                cls.plain = app.capture()
                app.focus()
                app.keys(KEYPAD_3)
                cls.plain_turned = app.wait_for_arm(Arm().key(KEYPAD_3))
            finally:
                app.stop()
        except BaseException:
            cls.tearDownClass()
            raise

    def setUp(self):
        pass  # each test starts the program on its own desktop

    def start(self, env):
        # Painted once the surface is not the X server's black, so a dark surface counts too. The
        # caller stops the program before the next starts: the window search would find it.
        self.app = harness.App(self.display, self.armdraw, self.workdir, env=env,
                               painted=lambda image: image.pixel(PICTURE1[0] + 2, PICTURE1[1] + 2) != BLACK)
        return self.app

    def assertLooksPlain(self, plain, timeout=3):
        # Equal at once in practice; the wait rides out a paint still under way.
        deadline = time.monotonic() + timeout
        while True:
            image = self.app.capture()
            count, box = image.differences(plain)
            if count == 0:
                return
            if time.monotonic() > deadline:
                self.fail(f"{count} pixels differ from the window on no desktop, within {box} "
                          f"(picture: {self.keep(image)})")
            time.sleep(0.05)

    def test_start_up_looks_the_same_on_every_desktop(self):
        desktops = {
            "gtk3 dark": {"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark"},
            "gtk3 light": {"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita"},
            "style override": {"QT_STYLE_OVERRIDE": "Windows"},
            "GNOME font settings": {"XDG_CURRENT_DESKTOP": "GNOME", "GTK_THEME": "Adwaita:dark",
                                    "XDG_CONFIG_HOME": config_home("fontconfig/fonts.conf", FONTCONFIG_RGB)},
        }
        for name, env in desktops.items():
            with self.subTest(name):
                self.display.set_resources(XFT_RGB if "XDG_CURRENT_DESKTOP" in env else None)
                try:
                    self.start(env)
                    self.assertLooksPlain(self.plain)
                finally:
                    self.app.stop()
                    self.display.set_resources(None)

    def test_kde_look_at_start_and_after_a_colour_scheme_change(self):
        # Plasma announces a new colour scheme on the session bus; Qt's KDE theme then reads its
        # settings again and raises a theme change.
        bus = harness.SessionBus()
        self.addCleanup(bus.stop)
        home = config_home("kdeglobals", KDE_DARK)
        self.addCleanup(self.start({"XDG_CURRENT_DESKTOP": "KDE", "KDE_SESSION_VERSION": "5",
                                    "XDG_CONFIG_HOME": home, "DBUS_SESSION_BUS_ADDRESS": bus.address,
                                    "QT_LOGGING_RULES": "qt.qpa.theme.dbus=true"}).stop)
        self.assertLooksPlain(self.plain)

        write(os.path.join(home, "kdeglobals"), KDE_PLAIN)
        bus.send_signal("/org/freedesktop/portal/desktop", "org.freedesktop.portal.Settings.SettingChanged",
                        "string:org.kde.kdeglobals.General", "string:ColorScheme", "variant:string:Breeze")
        deadline = time.monotonic() + 15
        while "KDE global theme changed" not in self.app.log():
            if time.monotonic() > deadline:
                raise harness.HarnessError(f"the program never heard of the new colour scheme:\n{self.app.log()}")
            time.sleep(0.05)
        # The theme change is queued ahead of any later input: once a key has turned the arm, the
        # change has been handled and painted.
        self.app.focus()
        self.app.keys(KEYPAD_3)
        self.assertArm(Arm().key(KEYPAD_3))
        self.assertLooksPlain(self.plain_turned)


if __name__ == "__main__":
    harness.main()
