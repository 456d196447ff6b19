# SPDX-License-Identifier: GPL-3.0-or-later
"""What the end-to-end tests share: tool checks, a private X server, real
input through xdotool, screenshots read as pixels, closing a window the way a
window manager does, and the window's control table in pixels."""

import ctypes
import ctypes.util
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time


class Failure(Exception):
    """A check that did not hold; the message says what was seen."""


def log(text):
    print(text, flush=True)


def require_tools(tools):
    """tools: {program: Debian package}. Every missing one is named at once."""
    missing = [f"{tool} (package {package})" for tool, package in tools.items() if shutil.which(tool) is None]
    if missing:
        raise Failure("missing tools: " + ", ".join(missing) + ". Install the packages and run again.")


def wait_until(what, check, timeout, interval=0.1):
    """Polls check() until it gives something true; fails naming `what`."""
    deadline = time.monotonic() + timeout
    while True:
        result = check()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


def expect_equal(what, actual, expected):
    if actual != expected:
        raise Failure(f"{what}:\n  expected {expected!r}\n  actual   {actual!r}")


def private_dirs(root):
    """HOME and the XDG folders of one run, all inside `root`."""
    dirs = {
        "HOME": os.path.join(root, "home"),
        "XDG_CONFIG_HOME": os.path.join(root, "config"),
        "XDG_DATA_HOME": os.path.join(root, "data"),
        "XDG_CACHE_HOME": os.path.join(root, "cache"),
        "XDG_RUNTIME_DIR": os.path.join(root, "runtime"),
    }
    for path in dirs.values():
        os.makedirs(path, mode=0o700, exist_ok=True)
        os.chmod(path, 0o700)
    return dirs


def picture_folder(root, dirs, colours):
    """A folder of flat 320x240 JPEGs, named and coloured as `colours` says,
    remembered in the run's settings file as the folder to open."""
    pictures = os.path.join(root, "pictures")
    os.makedirs(pictures)
    for name, (r, g, b) in colours.items():
        subprocess.run(["convert", "-size", "320x240", f"xc:rgb({r},{g},{b})", os.path.join(pictures, name)],
                       check=True, capture_output=True, timeout=30)
    with open(os.path.join(dirs["XDG_CONFIG_HOME"], "Kelvane.INI"), "wb") as f:
        f.write(b"[Defaults]\r\nFilesDir=" + pictures.encode() + b"/\r\n")
    return pictures


def desktop_env(dirs, display, **extra):
    """The environment of a program on `display` with the run's own folders
    and none of the caller's Qt, XDG, Wayland or session settings."""
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("QT_", "XDG_", "WAYLAND", "DBUS_SESSION")) and k != "SESSION_MANAGER"}
    env.update(dirs, DISPLAY=display, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8", LC_ALL="C.UTF-8")
    env.update(extra)
    return env


class XServer:
    """Xvfb on a display number it picks itself (-displayfd), so parallel
    runs never collide. No access control file: only this machine's clients
    can reach it, over the Unix socket."""

    def __init__(self, width=1280, height=800, timeout=15):
        read_end, write_end = os.pipe()
        self.log = tempfile.TemporaryFile()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=self.log, stderr=subprocess.STDOUT)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + timeout
        try:
            os.set_blocking(read_end, False)
            while not number.endswith(b"\n"):
                if self.process.poll() is not None:
                    raise Failure("Xvfb ended before it was ready:\n" + self.output())
                if time.monotonic() > deadline:
                    raise Failure("Xvfb did not report its display within %d s" % timeout)
                try:
                    chunk = os.read(read_end, 16)
                except BlockingIOError:
                    time.sleep(0.05)
                    continue
                if not chunk:
                    raise Failure("Xvfb closed its display pipe:\n" + self.output())
                number += chunk
        except BaseException:
            self.stop()
            raise
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()
        self.width = width
        self.height = height

    def output(self):
        self.log.seek(0)
        return self.log.read().decode(errors="replace")

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()


class Screen:
    """A screenshot of the whole root window, as RGB bytes."""

    def __init__(self, display):
        data = subprocess.run(["import", "-display", display, "-window", "root", "-depth", "8", "ppm:-"],
                              check=True, capture_output=True, timeout=20).stdout
        # Binary PPM: "P6", width, height, maxval, each followed by white space.
        fields = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
        if not fields or fields.group(3) != b"255":
            raise Failure("import gave no 8-bit PPM image")
        self.width = int(fields.group(1))
        self.height = int(fields.group(2))
        self.pixels = data[fields.end():]

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return tuple(self.pixels[at:at + 3])

    def ink_rows(self, left, top, width, height, threshold=110):
        """Bands of rows within the rectangle that hold dark pixels, as
        (first, last) screen rows."""
        bands = []
        for y in range(top, top + height):
            dark = any(sum(self.pixel(x, y)) < 3 * threshold for x in range(left, left + width))
            if dark and bands and bands[-1][1] == y - 1:
                bands[-1][1] = y
            elif dark:
                bands.append([y, y])
        return [tuple(band) for band in bands]


def screenshot_file(display, path):
    subprocess.run(["import", "-display", display, "-window", "root", path],
                   check=True, capture_output=True, timeout=20)


def report_failure(display, shot_path, program_log):
    """After a failed run: a screenshot of the screen and the program's output."""
    try:
        screenshot_file(display, shot_path)
        print(f"screen at the failure: {shot_path}", file=sys.stderr)
    except Exception as error:
        print(f"no screenshot of the failure: {error}", file=sys.stderr)
    if os.path.exists(program_log):
        with open(program_log, errors="replace") as f:
            print("program output:\n" + f.read(), file=sys.stderr)


def _xlib():
    name = ctypes.util.find_library("X11")
    if not name:
        raise Failure("libX11 not found (package libx11-6)")
    xlib = ctypes.CDLL(name)
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return xlib


def _open_display(xlib, display):
    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        raise Failure(f"cannot open display {display}")
    return connection


def bind_characters(display, characters):
    """Gives each character that the keyboard map lacks a keycode of its own.
    xdotool would otherwise bind a spare keycode for the moment of each key
    press and unbind it right after, and a program that reads the event late
    sees a key without a symbol: the character is lost. Call it before the
    program starts, so that it reads the full map once."""
    xlib = _xlib()
    xlib.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
    xlib.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
    xlib.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int, ctypes.POINTER(ctypes.c_int)]
    xlib.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                            ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
    xlib.XFree.argtypes = [ctypes.c_void_p]

    def keysym(character):
        code = ord(character)
        return code if 0x20 <= code <= 0x7E or 0xA0 <= code <= 0xFF else 0x01000000 | code

    connection = _open_display(xlib, display)
    try:
        low, high = ctypes.c_int(), ctypes.c_int()
        xlib.XDisplayKeycodes(connection, ctypes.byref(low), ctypes.byref(high))
        per_code = ctypes.c_int()
        count = high.value - low.value + 1
        table = xlib.XGetKeyboardMapping(connection, low.value, count, ctypes.byref(per_code))
        if not table:
            raise Failure("cannot read the keyboard map")
        try:
            mapped = {table[i] for i in range(count * per_code.value)}
            free = [low.value + c for c in range(count)
                    if not any(table[c * per_code.value + k] for k in range(per_code.value))]
        finally:
            xlib.XFree(table)
        for character in dict.fromkeys(characters):
            symbol = keysym(character)
            if symbol in mapped:
                continue
            if not free:
                raise Failure("no free keycode left for " + character)
            symbols = (ctypes.c_ulong * 2)(symbol, symbol)
            xlib.XChangeKeyboardMapping(connection, free.pop(0), 2, symbols, 1)
            mapped.add(symbol)
        xlib.XSync(connection, 0)
    finally:
        xlib.XCloseDisplay(connection)


def close_like_window_manager(display, window):
    """Sends WM_DELETE_WINDOW, as a window manager does when the user closes
    a window. Without one, xdotool can only destroy the X window (windowclose)
    or kill the client (windowkill), and neither runs the program's close
    handling; so the message is sent straight through libX11."""
    xlib = _xlib()

    class ClientMessageData(ctypes.Union):
        _fields_ = [("b", ctypes.c_char * 20), ("s", ctypes.c_short * 10), ("l", ctypes.c_long * 5)]

    class XClientMessageEvent(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                    ("message_type", ctypes.c_ulong), ("format", ctypes.c_int), ("data", ClientMessageData)]

    class XEvent(ctypes.Union):
        _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]

    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(XEvent)]
    connection = _open_display(xlib, display)
    try:
        event = XEvent()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = xlib.XInternAtom(connection, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data.l[0] = xlib.XInternAtom(connection, b"WM_DELETE_WINDOW", 0)
        event.xclient.data.l[1] = 0  # CurrentTime
        if not xlib.XSendEvent(connection, window, 0, 0, ctypes.byref(event)):
            raise Failure("XSendEvent refused the WM_DELETE_WINDOW message")
        xlib.XSync(connection, 0)
    finally:
        xlib.XCloseDisplay(connection)


class TopLevelMoves:
    """Records where the screen's top-level windows (a window manager's
    frames among them) are created, mapped and moved, from the moment it is
    made. moves(window) gives where the window's frame was mapped, and
    where it moved after that: the moves a user sees."""

    class _Event(ctypes.Structure):
        # The fields that XCreateWindowEvent, XMapEvent and XConfigureEvent
        # share, then x and y where the first and last have them.
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                    ("x", ctypes.c_int), ("y", ctypes.c_int), ("pad", ctypes.c_long * 20)]

    def __init__(self, display):
        self.display = display
        self.xlib = _xlib()
        self.xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.xlib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.xlib.XPending.argtypes = [ctypes.c_void_p]
        self.xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(self._Event)]
        self.connection = _open_display(self.xlib, display)
        self.xlib.XSelectInput(self.connection, self.xlib.XDefaultRootWindow(self.connection), 1 << 19)
        self.xlib.XSync(self.connection, 0)
        self.events = []

    def moves(self, window):
        self.xlib.XSync(self.connection, 0)
        while self.xlib.XPending(self.connection):
            event = self._Event()
            self.xlib.XNextEvent(self.connection, ctypes.byref(event))
            self.events.append((event.type, event.window, event.x, event.y))
        frame = frame_window(self.display, window)
        mapped_at, where, moved = None, None, []
        for kind, which, x, y in self.events:
            if which != frame:
                continue
            if kind == 19:  # MapNotify
                mapped_at = mapped_at or where
            elif kind in (16, 22):  # CreateNotify, ConfigureNotify
                if mapped_at and (x, y) != where:
                    moved.append((x, y))
                where = (x, y)
        return mapped_at, moved

    def close(self):
        self.xlib.XCloseDisplay(self.connection)


def frame_window(display, window):
    """The window's ancestor just below the root: the window manager's frame,
    or without one the window itself."""
    xlib = _xlib()
    ulong_p = ctypes.POINTER(ctypes.c_ulong)
    xlib.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ulong_p, ulong_p,
                                ctypes.POINTER(ulong_p), ctypes.POINTER(ctypes.c_uint)]
    xlib.XFree.argtypes = [ctypes.c_void_p]
    connection = _open_display(xlib, display)
    try:
        top = window
        while True:
            root, parent, children, count = ctypes.c_ulong(), ctypes.c_ulong(), ulong_p(), ctypes.c_uint()
            if not xlib.XQueryTree(connection, top, ctypes.byref(root), ctypes.byref(parent),
                                   ctypes.byref(children), ctypes.byref(count)):
                raise Failure(f"cannot query the window tree of {top:#x}")
            if children:
                xlib.XFree(children)
            if parent.value in (0, root.value):
                return top
            top = parent.value
    finally:
        xlib.XCloseDisplay(connection)


def frame_geometry(display, window):
    """(x, y, width, height) of the outer edge of the window's frame: the
    window's ancestor just below the root, borders included. Without a
    window manager that is the window itself."""
    top = frame_window(display, window)
    xlib = _xlib()
    ulong_p = ctypes.POINTER(ctypes.c_ulong)
    xlib.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ulong_p] + \
        [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
    connection = _open_display(xlib, display)
    try:
        root, x, y = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
        width, height, border, depth = ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()
        if not xlib.XGetGeometry(connection, top, ctypes.byref(root), ctypes.byref(x), ctypes.byref(y),
                                 ctypes.byref(width), ctypes.byref(height), ctypes.byref(border),
                                 ctypes.byref(depth)):
            raise Failure(f"cannot read the geometry of {top:#x}")
        return x.value, y.value, width.value + 2 * border.value, height.value + 2 * border.value
    finally:
        xlib.XCloseDisplay(connection)


class Xdo:
    """Real input through the X server's XTEST extension."""

    def __init__(self, display):
        self.env = dict(os.environ, DISPLAY=display)

    def run(self, *args, timeout=20):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                                text=True, timeout=timeout)
        if result.returncode != 0:
            raise Failure(f"xdotool {' '.join(map(str, args))} failed: {result.stderr.strip()}")
        return result.stdout

    def find_window(self, name_pattern, timeout=20):
        try:
            out = self.run("search", "--sync", "--onlyvisible", "--name", name_pattern, timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"no visible window named {name_pattern} within {timeout} s") from None
        return int(out.split()[0])

    def geometry(self, window):
        out = self.run("getwindowgeometry", window)
        position = re.search(r"Position: (-?\d+),(-?\d+)", out)
        size = re.search(r"Geometry: (\d+)x(\d+)", out)
        if not position or not size:
            raise Failure("unexpected getwindowgeometry output: " + out)
        return tuple(int(v) for v in position.groups() + size.groups())

    def click(self, x, y, modifier=None):
        if modifier:
            self.run("mousemove", "--sync", x, y, "keydown", modifier, "click", "1", "keyup", modifier)
        else:
            self.run("mousemove", "--sync", x, y, "click", "1")

    def type(self, text):
        self.run("type", "--delay", "20", "--", text)

    def key(self, *keys):
        self.run("key", "--delay", "20", *keys)

    def move(self, x, y):
        self.run("mousemove", "--sync", x, y)


def twips_to_pixels(twips):
    # The program rounds halves away from zero (std::lround).
    return int(math.copysign(math.floor(abs(twips) / 15 + 0.5), twips))


class ControlTable:
    """The window's controls as the program's own table places them, read
    from its source so the tests follow a change of the layout."""

    ROW = re.compile(r'\{"(\w+)",\s*(-?\d+),\s*T::\w+,\s*(\{\}|"\w+"),\s*([\d.]+),\s*([\d.]+),\s*([\d.]+),\s*([\d.]+),')

    def __init__(self, source_file):
        with open(source_file, encoding="utf-8") as f:
            text = f.read()
        self.rows = {}
        for m in self.ROW.finditer(text):
            name, index, container = m.group(1), int(m.group(2)), m.group(3).strip('"{}')
            left, top, width, height = (float(v) for v in m.group(4, 5, 6, 7))
            self.rows[(name, index)] = (container, left, top, width, height)
        for needed in ("cmdAdd", "cmdRefresh", "cmdBuild", "txtName", "txtDesc", "List1", "Frame2"):
            if (needed, -1) not in self.rows:
                raise Failure(f"control {needed} not found in {source_file}")

    def rect(self, name, index=-1):
        """(left, top, width, height) in pixels, relative to the window."""
        container, left, top, width, height = self.rows[(name, index)]
        x, y = twips_to_pixels(left), twips_to_pixels(top)
        while container:
            parent = self.rows[(container, -1)]
            x += twips_to_pixels(parent[1])
            y += twips_to_pixels(parent[2])
            container = parent[0]
        return x, y, twips_to_pixels(width), twips_to_pixels(height)

    def centre(self, name, index=-1):
        x, y, w, h = self.rect(name, index)
        return x + w // 2, y + h // 2

    def slot_rect(self, n):
        """Board slot n (from 1), with the board scrolled to the top: four to
        a row from the template's place, one template size apart."""
        container, left, top, width, height = self.rows[("imgView", 0)]
        row, column = divmod(n - 1, 4)
        x, y = twips_to_pixels(column * width + left), twips_to_pixels(row * height + top)
        while container:
            parent = self.rows[(container, -1)]
            x += twips_to_pixels(parent[1])
            y += twips_to_pixels(parent[2])
            container = parent[0]
        return x, y, twips_to_pixels(width), twips_to_pixels(height)


def run_main(main):
    """Runs a test's main(); a Failure ends it with its message and status 1."""
    try:
        main()
    except Failure as failure:
        print("FAIL: " + str(failure), file=sys.stderr, flush=True)
        sys.exit(1)
    print("PASS", flush=True)
