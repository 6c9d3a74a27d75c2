"""The Windows installer under Wine, each test in a new prefix of its own: a silent install, the
installed program's window, and a silent uninstall that takes away what the installer wrote and
nothing else, wherever the user installed it.

Usage: test_installer.py --setup build/windows/armdraw-<version>-win64-setup.exe
                         [--launcher wine:LOADER] [unittest options]
The zip beside it (armdraw-<version>-win64.zip, holding the folder armdraw-<version>-win64) is what
should be installed. The installer, the uninstaller and the installed program run under the
launcher (by default `wine`; give Wine's 64-bit loader, so that the program is the process
started, and so that a machine without 32-bit support runs them)."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

import harness

UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\armdraw"
SETTINGS_KEY = r"Software\armdraw"
WINE_PREFIX = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "lib", "wine-prefix")
ALL_USERS_SHORTCUT = "ProgramData/Microsoft/Windows/Start Menu/Programs/armdraw.lnk"


def shipped_files(zip_path, folder):
    """The files in the zip's folder: {path relative to it: content}."""
    with zipfile.ZipFile(zip_path) as archive:
        return {info.filename.removeprefix(f"{folder}/"): archive.read(info) for info in archive.infolist()
                if not info.is_dir() and info.filename.startswith(f"{folder}/")}


def files_under(folder):
    """Every file below folder, as paths relative to it with forward slashes."""
    return {os.path.relpath(os.path.join(root, name), folder).replace(os.sep, "/")
            for root, _, names in os.walk(folder) for name in names}


class InstallerTest(unittest.TestCase):
    setup = None  # the installer, and what the installed program runs under: set by main()
    launcher = harness.Wine()

    @classmethod
    def setUpClass(cls):
        if not cls.setup or not os.path.isfile(cls.setup):
            raise harness.HarnessError("pass --setup PATH to the armdraw-<version>-win64-setup.exe")
        name = os.path.basename(cls.setup).removesuffix("-setup.exe")
        cls.shipped = shipped_files(os.path.join(os.path.dirname(cls.setup), f"{name}.zip"), name)
        if "armdraw.exe" not in cls.shipped:
            raise harness.HarnessError(f"no armdraw.exe in {name}.zip beside {cls.setup}")
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
        run = subprocess.run(self.launcher.command(*command), env=self.env, stdin=subprocess.DEVNULL, capture_output=True,
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
        self.assertEqual(installed, self.shipped.keys() | {"uninstall.exe"} | set(users_files),
                         f"the files in {windows_folder}")
        for name, content in sorted(self.shipped.items()):
            with open(os.path.join(folder, name), "rb") as file:
                self.assertTrue(file.read() == content, f"{name} differs from the zip's")
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

        self.wine(self.setup, "/S", r"/D=C:\Tools")  # /D goes last and unquoted
        self.assertInstalled(tools, r"C:\Tools", users_files)
        print(f"\nC:\\Tools after install: {len(files_under(tools))} files", file=sys.stderr)

        # It runs from there on its own DLLs: the first picture is the arm.
        app = harness.App(self.display, os.path.join(tools, "armdraw.exe"), self.workdir,
                          env=self.wine_env, launcher=self.launcher)
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
        self.wine(self.setup, "/S")
        self.assertInstalled(folder, r"C:\Program Files\armdraw", {})
        self.wine(r"C:\Program Files\armdraw\uninstall.exe", "/S")
        self.assertFalse(os.path.exists(folder), "C:\\Program Files\\armdraw is still there")
        self.assertUninstalled()


if __name__ == "__main__":
    parser = argparse.ArgumentParser(allow_abbrev=False, add_help=False)
    parser.add_argument("--setup", type=os.path.abspath)
    parser.add_argument("--launcher", type=harness.launcher, default=InstallerTest.launcher)
    options, rest = parser.parse_known_args()
    InstallerTest.setup, InstallerTest.launcher = options.setup, options.launcher
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)
