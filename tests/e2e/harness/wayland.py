"""A Wayland session: a private headless sway, a virtual keyboard speaking the Wayland wire
format itself, and the program's window under them, captured with grim."""

import ctypes
import ctypes.util
import json
import os
import pwd
import re
import shutil
import socket
import struct
import subprocess
import tempfile
import time

from .design import APP_ID, WINDOW_SIZE
from .errors import HarnessError
from .launchers import Native
from .pictures import Image
from .program import _Window, die_with_parent, stop_group


SWAY_CONFIG = f"""\
output HEADLESS-1 resolution 1280x1024
xwayland disable
default_border none
default_floating_border none
for_window [app_id="{APP_ID}"] floating enable
"""

# Wayland key codes are the evdev ones, 8 below X's; the harness names keys as xdotool does.
X_KEYCODES = {"End": 115, "Next": 117, "Left": 113, "Right": 114, "space": 65}
NUM_LOCK_MASK = 1 << 4  # Mod2, where the standard keymap puts Num Lock


class Compositor:
    """A private headless sway: its own runtime directory (so its own Wayland socket and IPC
    socket), software rendering, no X server, and no input device but the harness's keyboard."""

    def __init__(self, workdir):
        self.workdir = workdir
        self.process = None
        self.runtime = None
        self.socket = None

    def start(self, timeout=20):
        self.runtime = tempfile.mkdtemp(prefix="armdraw-sway-")
        config = os.path.join(self.runtime, "config")
        with open(config, "w") as out:
            out.write(SWAY_CONFIG)
        self.ipc = os.path.join(self.runtime, "ipc.sock")
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime, HOME=self.runtime, SWAYSOCK=self.ipc,
                   WLR_BACKENDS="headless", WLR_RENDERER="pixman")
        for variable in ("DISPLAY", "WAYLAND_DISPLAY"):
            env.pop(variable, None)
        command = ["sway", "-c", config]
        if os.geteuid() == 0:
            # sway refuses to run as root: run it as nobody, in a runtime directory of its own.
            nobody = pwd.getpwnam("nobody")
            for path in (self.runtime, config):
                os.chown(path, nobody.pw_uid, nobody.pw_gid)
            command = ["setpriv", f"--reuid={nobody.pw_uid}", f"--regid={nobody.pw_gid}", "--clear-groups",
                       "--pdeathsig", "TERM", *command]
        self.log_path = os.path.join(self.workdir, "sway.log")
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                            start_new_session=True, preexec_fn=die_with_parent)
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise HarnessError(f"sway exited with status {self.process.returncode}; its log:\n{self.log()}")
            sockets = [name for name in os.listdir(self.runtime) if re.fullmatch(r"wayland-\d+", name)]
            if sockets and os.path.exists(self.ipc):
                try:
                    self.msg("get_version", timeout=max(0.1, deadline - time.monotonic()))
                    self.socket = os.path.join(self.runtime, sockets[0])
                    return self
                except (HarnessError, subprocess.TimeoutExpired):
                    pass
            time.sleep(0.05)
        self.stop()
        raise HarnessError(f"sway did not come up within {timeout} s; its log:\n{self.log()}")

    def log(self):
        with open(self.log_path, "rb") as log:
            return log.read().decode(errors="replace").strip()[-3000:]

    def client_env(self, workdir):
        """A client's environment: the socket by its full path, so that the client keeps a
        runtime directory of its own user."""
        env = dict(os.environ, WAYLAND_DISPLAY=self.socket, XDG_RUNTIME_DIR=workdir)
        env.pop("DISPLAY", None)
        return env

    def msg(self, kind, timeout=10):
        result = subprocess.run(["swaymsg", "-s", self.ipc, "-r", "-t", kind], capture_output=True, text=True,
                                timeout=timeout)
        if result.returncode != 0:
            raise HarnessError(f"swaymsg -t {kind} failed: {result.stderr.strip()}")
        return json.loads(result.stdout)

    def stop(self):
        stop_group(self.process)
        self.process = None
        if self.runtime:
            shutil.rmtree(self.runtime, ignore_errors=True)


class _XkbRuleNames(ctypes.Structure):
    _fields_ = [(name, ctypes.c_char_p) for name in ("rules", "model", "layout", "variant", "options")]


def standard_keymap():
    """The text of the evdev pc105 "us" keymap, compiled by libxkbcommon as a desktop would."""
    xkb = ctypes.CDLL(ctypes.util.find_library("xkbcommon") or "libxkbcommon.so.0")
    xkb.xkb_context_new.restype = ctypes.c_void_p
    xkb.xkb_keymap_new_from_names.restype = ctypes.c_void_p
    xkb.xkb_keymap_new_from_names.argtypes = [ctypes.c_void_p, ctypes.POINTER(_XkbRuleNames), ctypes.c_int]
    xkb.xkb_keymap_get_as_string.restype = ctypes.c_void_p
    xkb.xkb_keymap_get_as_string.argtypes = [ctypes.c_void_p, ctypes.c_int]
    context = xkb.xkb_context_new(2)  # XKB_CONTEXT_NO_ENVIRONMENT_NAMES: these names, not the user's
    keymap = xkb.xkb_keymap_new_from_names(context, ctypes.byref(_XkbRuleNames(b"evdev", b"pc105", b"us", b"", b"")),
                                           0) if context else None
    text = xkb.xkb_keymap_get_as_string(keymap, 1) if keymap else None
    if not text:
        raise HarnessError("libxkbcommon could not compile the evdev pc105 us keymap (is xkb-data installed?)")
    return ctypes.string_at(text)


def _wl_string(text):
    data = text.encode() + b"\0"
    return struct.pack("=I", len(data)) + data + b"\0" * (-len(data) % 4)


class VirtualKeyboard:
    """A keyboard on the compositor's seat through the virtual-keyboard protocol, speaking the
    Wayland wire format itself: raw key codes in the standard keymap, and Num Lock as a locked
    modifier, as a real keyboard gives them. Keep it for the compositor's life: a seat that loses
    its last keyboard makes clients drop theirs."""

    def __init__(self, compositor):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.settimeout(10)
        self.sock.connect(compositor.socket)
        self.buffer = b""
        self.next_id = 2  # 1 is wl_display
        self.start = time.monotonic()
        registry = self._new_id()
        self._send(1, 1, struct.pack("=I", registry))  # wl_display.get_registry
        found = {}

        def on_global(obj, opcode, body):
            if obj == registry and opcode == 0:
                name, length = struct.unpack_from("=II", body)
                found[body[8:8 + length - 1].decode()] = name

        self._roundtrip(on_global)
        missing = {"wl_seat", "zwp_virtual_keyboard_manager_v1"} - found.keys()
        if missing:
            raise HarnessError(f"the compositor offers no {', '.join(sorted(missing))}")
        seat, manager = (self._bind(registry, found, name) for name in ("wl_seat", "zwp_virtual_keyboard_manager_v1"))
        self.keyboard = self._new_id()
        self._send(manager, 0, struct.pack("=II", seat, self.keyboard))  # create_virtual_keyboard
        keymap = standard_keymap() + b"\0"
        fd = os.memfd_create("keymap")
        try:
            os.write(fd, keymap)
            self._send(self.keyboard, 0, struct.pack("=II", 1, len(keymap)), fd)  # keymap, format xkb_v1
        finally:
            os.close(fd)
        self._roundtrip()

    def _new_id(self):
        self.next_id += 1
        return self.next_id - 1

    def _bind(self, registry, found, interface):
        new = self._new_id()  # wl_registry.bind, at version 1
        self._send(registry, 0, struct.pack("=I", found[interface]) + _wl_string(interface)
                   + struct.pack("=II", 1, new))
        return new

    def _send(self, obj, opcode, args=b"", fd=None):
        message = struct.pack("=II", obj, (8 + len(args)) << 16 | opcode) + args
        ancillary = [(socket.SOL_SOCKET, socket.SCM_RIGHTS, struct.pack("=i", fd))] if fd is not None else []
        self.sock.sendmsg([message], ancillary)

    def _roundtrip(self, handler=None):
        """Returns once the compositor has handled every request sent so far."""
        callback = self._new_id()
        self._send(1, 0, struct.pack("=I", callback))  # wl_display.sync
        while True:
            while len(self.buffer) >= 8:
                obj, word = struct.unpack_from("=II", self.buffer)
                if len(self.buffer) < word >> 16:
                    break
                body, self.buffer = self.buffer[8:word >> 16], self.buffer[word >> 16:]
                if obj == callback:
                    return
                if obj == 1 and word & 0xFFFF == 0:  # wl_display.error
                    raise HarnessError(f"Wayland protocol error: {body[12:].rstrip(bytes(1)).decode(errors='replace')}")
                if handler:
                    handler(obj, word & 0xFFFF, body)
            try:
                data = self.sock.recv(65536)
            except socket.timeout:
                raise HarnessError("the compositor did not answer the virtual keyboard within 10 s") from None
            if not data:
                raise HarnessError("the compositor closed the virtual keyboard's connection")
            self.buffer += data

    def set_num_lock(self, on):
        self._send(self.keyboard, 2, struct.pack("=IIII", 0, 0, NUM_LOCK_MASK if on else 0, 0))
        self._roundtrip()

    def keys(self, *keys):
        """Presses and releases each key: an xdotool keysym name of X_KEYCODES or a raw X keycode."""
        for key in keys:
            code = X_KEYCODES.get(key) or int(key)
            for state in (1, 0):
                elapsed = int((time.monotonic() - self.start) * 1000)
                self._send(self.keyboard, 1, struct.pack("=III", elapsed, code - 8, state))
        self._roundtrip()

    def close(self):
        self.sock.close()


class WaylandApp(_Window):
    """The armdraw window under a Wayland compositor, typed at through the virtual keyboard."""

    def __init__(self, compositor, keyboard, binary, workdir, timeout=20):
        self.compositor, self.keyboard, self.rect = compositor, keyboard, None
        # The client's protocol log shows the keyboard state the window received.
        env = dict(compositor.client_env(workdir), QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="client")
        self._launch(Native(), binary, env, workdir, timeout)

    def _wait_for_window(self, timeout):
        """Waits until the compositor shows the window with the keyboard focus, and takes its
        place on the screen from the compositor's tree."""
        deadline = time.monotonic() + timeout
        seen = None
        while time.monotonic() < deadline:
            self._check_alive()
            pending = [self.compositor.msg("get_tree")]
            while pending:
                node = pending.pop()
                pending += node.get("nodes", []) + node.get("floating_nodes", [])
                if node.get("app_id") == APP_ID and node.get("visible") and node.get("focused"):
                    seen = node["rect"]
                    # Until the window has taken its size the compositor's frame may differ.
                    if (seen["width"], seen["height"]) == WINDOW_SIZE:
                        self.rect = seen
                        return
            time.sleep(0.05)
        self._check_alive()
        if seen:
            raise HarnessError(f"the window is {seen['width']}x{seen['height']}, not {WINDOW_SIZE}: "
                               "a frame or title bar around it?")
        raise HarnessError(f"no focused window with app id {APP_ID} within {timeout} s")

    def capture(self):
        self._check_alive()
        r = self.rect
        data = subprocess.run(["grim", "-g", f"{r['x']},{r['y']} {r['width']}x{r['height']}", "-t", "ppm", "-"],
                              env=self.env, capture_output=True, check=True, timeout=20).stdout
        return Image.from_ppm(data)

    def keys(self, *keys):
        self._check_alive()
        self.keyboard.keys(*keys)

    def set_num_lock(self, on, timeout=10):
        """Locks or unlocks Num Lock and waits until the window has received that state."""
        self.keyboard.set_num_lock(on)
        deadline = time.monotonic() + timeout
        while True:
            states = re.findall(r"wl_keyboard@\d+\.modifiers\(\d+, \d+, \d+, (\d+), \d+\)", self.log())
            if states and bool(int(states[-1]) & NUM_LOCK_MASK) == on:
                return
            if time.monotonic() > deadline:
                raise HarnessError(f"the window did not get Num Lock {'on' if on else 'off'}: "
                                   f"its locked modifiers went {states[-5:]}")
            time.sleep(0.05)

