"""What the program under test runs under: nothing for the Linux build, Wine for the Windows one,
and a browser for the browser's, whose program is a page to open rather than an executable."""

import functools
import http.server
import os
import re
import threading
import time

from .design import WINDOW_TITLE
from .errors import HarnessError

CHROMIUM = "/usr/lib/chromium/chromium"  # not the /usr/bin wrapper, which starts a shell first

# Serves a page's folder and opens the page in a browser sized as the window (tests/e2e/browser).
BROWSER_SCRIPT = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "browser")


class Native:
    """The program run as itself."""

    opens_page = False

    def __init__(self):
        self.prefix = []

    def command(self, program, *arguments):
        return [*self.prefix, program, *arguments]

    def window_name(self):
        """A regular expression matching the whole name of the program's X window."""
        return f"^{re.escape(WINDOW_TITLE)}$"

    def check(self, program):
        if not (os.path.isfile(program) if self.opens_page else os.access(program, os.X_OK)):
            raise HarnessError(f"no {'page' if self.opens_page else 'executable'} to run at {program}")


class Wine(Native):
    """A Windows program through Wine's loader. Give the 64-bit one (/usr/lib/wine/wine64) for a
    64-bit program: once wine32 is installed, Debian's `wine` starts it as a second process that
    outlives the one stopped."""

    def __init__(self, loader="wine"):
        self.prefix = [loader]


class Browser(Native):
    """A page opened in Chromium, Firefox ESR or WebKitGTK's MiniBrowser, served from its folder
    (tests/e2e/browser)."""

    NAMES = ("chromium", "firefox", "webkit")
    opens_page = True

    def __init__(self, name):
        if name not in self.NAMES:
            raise HarnessError(f"no browser called {name!r} (one of {', '.join(self.NAMES)})")
        self.name = name
        self.prefix = [BROWSER_SCRIPT, name]

    def window_name(self):
        # The page's title, to which Firefox adds its own name; Chromium and MiniBrowser add nothing.
        return f"^{re.escape(WINDOW_TITLE)}{' — Mozilla Firefox' if self.name == 'firefox' else ''}$"


def launcher(spec):
    """The launcher a --launcher SPEC names: none or "native", "wine[:LOADER]", "browser:NAME"."""
    kind, _, argument = (spec or "native").partition(":")
    if kind == "native" and not argument:
        return Native()
    if kind == "wine":
        return Wine(argument or "wine")
    if kind == "browser" and argument:
        return Browser(argument)
    raise HarnessError(f"unknown launcher {spec!r}: native, wine[:LOADER] or browser:{'|'.join(Browser.NAMES)}")


class _Server(http.server.ThreadingHTTPServer):
    daemon_threads = True


def serve_folder(folder, port=0, log_path=None):
    """Serves folder on 127.0.0.1:port (any free port for 0) until shutdown(); log_path gets a line
    for each request answered."""
    class Handler(http.server.SimpleHTTPRequestHandler):
        def log_message(self, format, *args):
            if log_path:
                with open(log_path, "a") as log:
                    log.write(f"{time.monotonic():.3f} {self.command} {self.path} {args[1] if len(args) > 1 else ''}\n")

    server = _Server(("127.0.0.1", port), functools.partial(Handler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server
