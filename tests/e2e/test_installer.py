"""The Windows installer under Wine, each test in a new prefix of its own: a silent install, the
installed program's window, and a silent uninstall that takes away what the installer wrote and
nothing else, wherever the user installed it.

Usage: test_installer.py --setup build/windows/armdraw-<version>-win64-setup.exe [unittest options]
The staged folder beside it (package/armdraw-<version>-win64) is what should be installed."""

import filecmp
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

import harness

SETUP = None
UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\armdraw"
SETTINGS_KEY = r"Software\armdraw"
WINE_PREFIX = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "lib", "wine-prefix")
ALL_USERS_SHORTCUT = "ProgramData/Microsoft/Windows/Start Menu/Programs/armdraw.lnk"
# What gets installed is the Windows program: Wine runs it, through ARMDRAW_LAUNCHER's loader
# when given (scripts/windows-test gives the 64-bit one, so that the program is the process started).
harness.use_launcher(harness.LAUNCHER or ["wine"])


def files_under(folder):
    """Every file below folder, as paths relative to it with forward slashes."""
    return {os.path.relpath(os.path.join(root, name), folder).replace(os.sep, "/")
            for root, _, names in os.walk(folder) for name in names}


class InstallerTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        if not SETUP or not os.path.isfile(SETUP):
            raise harness.HarnessError("pass --setup PATH to the armdraw-<version>-win64-setup.exe")
        name = os.path.basename(SETUP).removesuffix("-setup.exe")
        cls.stage = os.path.join(os.path.dirname(SETUP), "package", name)
        cls.staged = files_under(cls.stage)
        if "armdraw.exe" not in cls.staged:
            raise harness.HarnessError(f"no staged folder with armdraw.exe at {cls.stage}")
        cls.workdir = tempfile.mkdtemp(prefix="armdraw-installer-")
        cls.addClassCleanup(shutil.rmtree, cls.workdir, ignore_errors=True)
        cls.display = harness.Display(cls.workdir).start()
        cls.addClassCleanup(cls.display.stop)

    def setUp(self):
        # A prefix of its own, not the cached test prefix: nothing installed before, and nothing
        # (Qt, the MinGW runtime) on WINEPATH that the installed program could load instead of its own.
        self.prefix = os.path.join(self.workdir, f"prefix-{self._testMethodName}")
        self.wine_env = {"WINEPREFIX": self.prefix, "WINEDEBUG": "-all", "WINEPATH": ""}
        self.env = dict(os.environ, DISPLAY=self.display.name, **self.wine_env)
        self.addCleanup(shutil.rmtree, self.prefix, ignore_errors=True)
        self.addCleanup(subprocess.run, ["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run([WINE_PREFIX, self.prefix], env=self.env, stdout=subprocess.DEVNULL, check=True, timeout=300)

    def wine(self, *command):
        """Runs command in the prefix and waits until all its Windows processes have ended: an NSIS
        uninstaller starts a copy of itself and returns at once."""
        run = subprocess.run(["wine", *command], env=self.env, stdin=subprocess.DEVNULL, capture_output=True,
                             timeout=300)
        self.wait_for_wine()
        if run.returncode != 0:
            raise harness.HarnessError(f"{' '.join(command)} exited with status {run.returncode}: "
                                       f"{(run.stdout + run.stderr).decode(errors='replace')[-2000:]}")

    def wait_for_wine(self):
        subprocess.run(["wineserver", "-w"], env=self.env, check=True, timeout=300)

    def drive_c(self, *parts):
        return os.path.join(self.prefix, "drive_c", *parts)

    def registry_key(self, key):
        """HKLM\\key's values as the prefix's system.reg keeps the 64-bit view, or None when it
        is not there. Wine writes the file when its server ends, which wine() waits for."""
        with open(os.path.join(self.prefix, "system.reg"), encoding="utf-8", errors="replace") as file:
            text = file.read()
        header = "\n[" + key.replace("\\", "\\\\") + "]"
        start = text.find(header)
        if start < 0:
            return None
        block = text[start + len(header):].split("\n\n", 1)[0]
        values = {}
        for name, value in re.findall(r'^"((?:[^"\\]|\\.)*)"=(.*)$', block, re.MULTILINE):
            if value.startswith('"'):
                value = re.sub(r"\\(.)", r"\1", value[1:-1])
            values[name] = value
        return values

    def shortcuts(self):
        return sorted(path for path in files_under(self.drive_c()) if path.endswith("/armdraw.lnk"))

    def assertInstalled(self, folder, windows_folder, users_files):
        installed = files_under(folder)
        self.assertEqual(installed, self.staged | {"uninstall.exe"} | set(users_files),
                         f"the files in {windows_folder}")
        for name in sorted(self.staged):
            self.assertTrue(filecmp.cmp(os.path.join(self.stage, name), os.path.join(folder, name), shallow=False),
                            f"{name} differs from the staged one")
        # Machine-wide, like the install: the all-users Start menu, not the installing user's.
        self.assertEqual(self.shortcuts(), [ALL_USERS_SHORTCUT])
        with open(self.drive_c(ALL_USERS_SHORTCUT), "rb") as file:
            self.assertIn(f"{windows_folder}\\armdraw.exe".encode(), file.read(), "the shortcut's target")
        entry = self.registry_key(UNINSTALL_KEY)
        self.assertIsNotNone(entry, "no uninstall entry in the 64-bit registry view")
        self.assertEqual(entry.get("UninstallString"), f'"{windows_folder}\\uninstall.exe"')
        self.assertEqual(entry.get("DisplayName"), "armdraw")
        self.assertIsNone(self.registry_key(UNINSTALL_KEY.replace("Software", r"Software\Wow6432Node")),
                          "an uninstall entry in the 32-bit view")
        self.assertEqual(self.registry_key(SETTINGS_KEY), {"InstallDir": windows_folder})

    def assertUninstalled(self):
        self.assertEqual(self.shortcuts(), [], "shortcuts left")
        self.assertIsNone(self.registry_key(UNINSTALL_KEY), "the uninstall entry left")
        self.assertIsNone(self.registry_key(SETTINGS_KEY), "the install folder's key left")

    def test_a_chosen_folder_keeps_the_users_files(self):
        tools = self.drive_c("Tools")
        users_files = {"notes.txt": b"the user's own notes\r\n", "other.exe": b"MZ another program"}
        os.makedirs(tools)
        for name, content in users_files.items():
            with open(os.path.join(tools, name), "wb") as file:
                file.write(content)

        self.wine(SETUP, "/S", r"/D=C:\Tools")  # /D goes last and unquoted
        self.assertInstalled(tools, r"C:\Tools", users_files)
        print(f"\nC:\\Tools after install: {len(files_under(tools))} files", file=sys.stderr)

        # It runs from there on its own DLLs: the first picture is the arm.
        app = harness.App(self.display, os.path.join(tools, "armdraw.exe"), self.workdir,
                          env=self.wine_env)
        try:
            app.wait_for_arm(harness.Arm())
        finally:
            app.stop()
        self.wait_for_wine()  # until the program is gone, as a user would close it before uninstalling

        self.wine(r"C:\Tools\uninstall.exe", "/S")
        left = files_under(tools)
        print(f"C:\\Tools after uninstall: {', '.join(sorted(left))}", file=sys.stderr)
        self.assertEqual(left, set(users_files), "what is left in C:\\Tools")
        self.assertEqual(sorted(os.listdir(tools)), sorted(users_files), "no folder left in C:\\Tools either")
        for name, content in users_files.items():
            with open(os.path.join(tools, name), "rb") as file:
                self.assertEqual(file.read(), content, f"{name} changed")
        self.assertUninstalled()

    def test_the_default_folder_goes_entirely(self):
        folder = self.drive_c("Program Files", "armdraw")
        self.wine(SETUP, "/S")
        self.assertInstalled(folder, r"C:\Program Files\armdraw", {})
        self.wine(r"C:\Program Files\armdraw\uninstall.exe", "/S")
        self.assertFalse(os.path.exists(folder), "C:\\Program Files\\armdraw is still there")
        self.assertUninstalled()


if __name__ == "__main__":
    args = sys.argv[1:]
    if len(args) >= 2 and args[0] == "--setup":
        SETUP = os.path.abspath(args[1])
        args = args[2:]
    unittest.main(argv=[sys.argv[0], *args], verbosity=2)
