#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader is shown of the real window: the program runs with
Qt's accessibility bridge on a private X server and a private session bus,
three pictures are put on the board by keys alone, and the AT-SPI tree is
read with pyatspi, written to e2e-accessible-tree.txt and checked: every
control that takes the focus has a name, each thumbnail is a named image,
and the board's description counts its pictures.

pyatspi is the system's Python module (python3-pyatspi); the script runs
itself again under dbus-run-session with the system's interpreter.

Usage: accessible_tree.py --program <kelvane> --output <build folder>
"""

import argparse
import ctypes
import os
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2esupport import (Failure, XServer, Xdo, close_like_window_manager, expect_equal, log,  # noqa: E402
                        private_dirs, require_tools, run_main, wait_until)

SYSTEM_PYTHON = "/usr/bin/python3"
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
PICTURES = ("a beach.jpg", "b city.jpg", "c dune.jpg")


def dump(node, depth, lines, unnamed, pyatspi):
    if node is None or depth > 20:
        return
    states = node.getState()
    focusable = states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_SHOWING)
    lines.append("%s%s %r%s%s" % ("  " * depth, node.getRoleName(), node.name,
                                  f" description={node.description!r}" if node.description else "",
                                  " focusable" if focusable else ""))
    # A list's items are named by their text; the lists themselves are checked.
    if focusable and not node.name and node.getRoleName() != "list item":
        unnamed.append(f"{node.getRoleName()} at depth {depth}")
    for child in node:
        dump(child, depth + 1, lines, unnamed, pyatspi)


def become_subreaper():
    """What a child leaves when it ends comes to this process
    (PR_SET_CHILD_SUBREAPER), not to an init that may never reap it."""
    ctypes.CDLL(None, use_errno=True).prctl(36, 1, 0, 0, 0)


def reap(group=-1, kill=None, timeout=5):
    """Waits for every child (of one process group when given) to end; past
    the timeout, kills them when it can, else gives up."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            pid, _ = os.waitpid(group, os.WNOHANG)
        except ChildProcessError:
            return
        if pid == 0:
            if time.monotonic() > deadline:
                if not kill:
                    return
                kill(signal.SIGKILL)
            time.sleep(0.05)


def end_group(process):
    """Ends a process that leads a group of its own, and everything it
    started in it: the bus launcher's dbus-daemon and what that activated."""
    def signal_group(number):
        try:
            os.killpg(process.pid, number)
        except ProcessLookupError:
            pass
    signal_group(signal.SIGTERM)
    reap(-process.pid, signal_group)


def read_tree(pyatspi):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Kelvane":
            lines, unnamed = [], []
            dump(app, 0, lines, unnamed, pyatspi)
            return lines, unnamed
    return None


def inner(args):
    import pyatspi  # noqa: E402 -- only the system's interpreter has it
    become_subreaper()

    with tempfile.TemporaryDirectory(prefix="kelvane-e2e-a11y-") as root, XServer() as x:
        root = os.path.realpath(root)
        dirs = private_dirs(root)
        pictures = os.path.join(root, "pictures")
        os.makedirs(pictures)
        for name in PICTURES:
            subprocess.run(["convert", "-size", "64x48", "xc:gray", os.path.join(pictures, name)],
                           check=True, capture_output=True, timeout=30)
        with open(os.path.join(dirs["XDG_CONFIG_HOME"], "Kelvane.INI"), "wb") as f:
            f.write(b"[Defaults]\r\nFilesDir=" + pictures.encode() + b"/\r\n")
        env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_", "WAYLAND"))}
        env.update(dirs, DISPLAY=x.display, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="C.UTF-8", LC_ALL="C.UTF-8")
        with open(os.path.join(root, "bus.log"), "wb") as out:
            # Its own group: the launcher's dbus-daemon ends with it.
            launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=env,
                                        stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
        program = None
        try:
            time.sleep(0.5)
            with open(os.path.join(root, "program.log"), "wb") as out:
                program = subprocess.Popen([args.program], env=env, cwd=dirs["HOME"], stdout=out,
                                           stderr=subprocess.STDOUT)
            xdo = Xdo(x.display)
            window = xdo.find_window("^Kelvane$")
            xdo.run("windowfocus", "--sync", window)
            wait_until("the program on the accessibility bus", lambda: read_tree(pyatspi), 15)
            # File list: all three, as ">"; then Refresh.
            xdo.key(*["Tab"] * 7, "Home", "shift+End", "Return", "Tab", "Tab", "space")

            def board_described():
                tree = read_tree(pyatspi)
                return tree if any("description='3 pictures'" in line for line in tree[0]) else None
            lines, unnamed = wait_until("the board to describe its three pictures", board_described, 15)
            path = os.path.join(args.output, "e2e-accessible-tree.txt")
            with open(path, "w", encoding="utf-8") as f:
                f.write("\n".join(lines) + "\n")
            log(f"accessible tree: {path}")
            expect_equal("focusable controls without a name", unnamed, [])
            for n, name in enumerate(PICTURES, start=1):
                if not any(line.strip() == f"image 'Picture {n}: {name}'" for line in lines):
                    raise Failure(f"no image named 'Picture {n}: {name}' in the tree")
            log("every focusable control has a name; the thumbnails are named images")
            close_like_window_manager(x.display, window)
            expect_equal("the program's exit status", program.wait(10), 0)
        finally:
            if program and program.poll() is None:
                program.kill()
                program.wait()
            end_group(launcher)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("--inner", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    args.output = os.path.abspath(args.output)
    if args.inner:
        inner(args)
        sys.exit(0)  # the outer run reports the result
    require_tools({"Xvfb": "xvfb", "xdotool": "xdotool", "convert": "imagemagick",
                   "dbus-run-session": "dbus-daemon", BUS_LAUNCHER: "at-spi2-core"})
    if subprocess.run([SYSTEM_PYTHON, "-c", "import pyatspi"], capture_output=True).returncode != 0:
        raise Failure(f"{SYSTEM_PYTHON} cannot import pyatspi (package python3-pyatspi)")
    if not os.access(args.program, os.X_OK):
        raise Failure(f"the program {args.program} is not built")
    env = {k: v for k, v in os.environ.items() if k not in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS")}
    # dbus-run-session ends its bus without waiting for it.
    become_subreaper()
    result = subprocess.run(["dbus-run-session", "--", SYSTEM_PYTHON, os.path.abspath(__file__),
                             "--program", args.program, "--output", args.output, "--inner"],
                            env=env, timeout=110)
    reap()
    if result.returncode != 0:
        sys.exit(result.returncode)


if __name__ == "__main__":
    run_main(main)
