#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a blind user hears: the screen reader Orca runs beside the real
window on a private X server, a private session bus and a private
accessibility bus, with no speech server and its debug log on. The keyboard
road is walked with real keys, and after each stop the lines that Orca would
have spoken ("SPEECH OUTPUT: '...'") are read from its log.

Checked: the window is read as a window; Refresh is followed by the number
of pictures, of 3 and, in a window of its own, of 200; the filter group and
the board's scroll bar say their names; the picture description box its
keys, whose announcements name the picture's number and file, then its
description once (an empty one not as "blank"), and at either end of the
board that it is the last or the first.
Everything said is written to e2e-screen-reader.txt, stop by stop, and
Orca's whole log to e2e-screen-reader-orca-debug.out.

Orca and pyatspi are the system's (packages orca, python3-pyatspi); the
script runs itself again under dbus-run-session with the system's
interpreter.

Usage: screen_reader.py --program <kelvane> --output <build folder>
"""

import argparse
import json
import os
import re
import shutil
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
ORCA = "/usr/bin/orca"
PICTURES = ("a beach.jpg", "b city.jpg", "c dune.jpg")

# Orca's own command, with three changes. Orca refuses to start while
# another Orca of the same user runs, and names its process "orca" so that
# others find it: a run beside a user's own screen reader, or beside another
# test, must neither stop nor be stopped, so both are left out. And its
# debug log is written a line at a time, to be read while Orca runs.
ORCA_LAUNCHER = """
import builtins, functools, runpy, sys
sys.argv = [%r] + sys.argv[1:]
orca = runpy.run_path(%r, run_name="orca_under_test")
orca["main"].__globals__.update(setProcessName=lambda name: False, otherOrcas=lambda: [],
                                open=functools.partial(builtins.open, buffering=1))
sys.exit(orca["main"]())
""" % (ORCA, ORCA)

SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'")


def write_orca_settings(prefs):
    """Speech on, so that Orca composes and logs everything it would say,
    but with no speech server: Orca then speaks to nobody, and never waits
    on speech-dispatcher and a sound card that a test machine lacks. No
    braille display and no sounds either."""
    os.makedirs(prefs)
    profile = ["Default", "default"]
    with open(os.path.join(prefs, "user-settings.conf"), "w", encoding="utf-8") as f:
        json.dump({"general": {"enableSpeech": True, "speechServerFactory": "", "enableBraille": False,
                               "enableSound": False, "startingProfile": profile, "activeProfile": profile},
                   "profiles": {"default": {"profile": profile, "pronunciations": {}, "keybindings": {}}},
                   "pronunciations": {}, "keybindings": {}}, f)


class Group:
    """A process started in a process group of its own; stop() ends the
    whole group, with the helpers it started (the accessibility bus's
    dbus-daemon, the registry)."""

    def __init__(self, command, env, log_path, cwd=None):
        with open(log_path, "wb") as out:
            self.process = subprocess.Popen(command, env=env, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                                            start_new_session=True)

    def stop(self):
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(self.process.pid, sig)
            except ProcessLookupError:
                break  # the whole group is gone
            try:
                self.process.wait(3)
                # Helpers that outlive the leader get the second signal.
                time.sleep(0.2)
            except subprocess.TimeoutExpired:
                pass
        if self.process.poll() is None:
            self.process.wait()


class SpeechLog:
    """The lines Orca would have spoken, read from its debug log."""

    def __init__(self, path):
        self.path = path
        self.mark = 0

    def lines(self):
        try:
            with open(self.path, encoding="utf-8", errors="replace") as f:
                text = f.read()
        except FileNotFoundError:
            return []
        return SPOKEN.findall(text)

    def since_mark(self):
        return self.lines()[self.mark:]

    def set_mark(self):
        self.mark = len(self.lines())


class Road:
    def __init__(self, speech, xdo, transcript):
        self.speech = speech
        self.xdo = xdo
        self.transcript = transcript

    def stop(self, what, keys, expected, action=None):
        """Presses the keys (or runs the action), then waits until every
        expected line has been spoken, in order, after them."""
        self.speech.set_mark()
        if action:
            action()
        else:
            self.xdo.key(*keys)

        def heard():
            spoken = self.speech.since_mark()
            at = 0
            for line in expected:
                while at < len(spoken) and line not in spoken[at]:
                    at += 1
                if at == len(spoken):
                    return None
                at += 1
            return spoken
        try:
            spoken = wait_until(f"Orca to speak {expected!r} at {what}", heard, 10)
        except Failure as failure:
            raise Failure(f"{failure}; it spoke {self.speech.since_mark()!r}") from None
        # Whatever follows at once belongs to this stop as well.
        time.sleep(0.3)
        spoken = self.speech.since_mark()
        self.transcript.append((what, " ".join(keys), spoken))
        log(f"{what}: {spoken!r}")
        return spoken


def inner(args):
    with tempfile.TemporaryDirectory(prefix="kelvane-e2e-orca-") as root, XServer() as x:
        root = os.path.realpath(root)
        dirs = private_dirs(root)
        pictures = os.path.join(root, "pictures")
        os.makedirs(pictures)
        for name in PICTURES:
            subprocess.run(["convert", "-size", "64x48", "xc:gray", os.path.join(pictures, name)],
                           check=True, capture_output=True, timeout=30)
        with open(os.path.join(dirs["XDG_CONFIG_HOME"], "Kelvane.INI"), "wb") as f:
            f.write(b"[Defaults]\r\nFilesDir=" + pictures.encode() + b"/\r\n")
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "XDG_", "WAYLAND", "GTK_", "GSETTINGS")) and k != "SESSION_MANAGER"}
        env.update(dirs, DISPLAY=x.display, LANG="C.UTF-8", LC_ALL="C.UTF-8",
                   GSETTINGS_BACKEND="memory")
        orca_log = os.path.join(root, "orca-debug.out")
        helpers = []
        program = None
        transcript = []
        try:
            helpers.append(Group([BUS_LAUNCHER, "--launch-immediately"], env, os.path.join(root, "bus.log")))
            prefs = os.path.join(root, "orca-prefs")
            write_orca_settings(prefs)
            helpers.append(Group([SYSTEM_PYTHON, "-c", ORCA_LAUNCHER, "--user-prefs", prefs, "--debug-file", orca_log],
                                 env, os.path.join(root, "orca.log"), cwd=dirs["HOME"]))
            speech = SpeechLog(orca_log)

            def orca_ready():
                try:
                    with open(orca_log, encoding="utf-8", errors="replace") as f:
                        return "ORCA: Starting registry" in f.read()
                except FileNotFoundError:
                    return False
            wait_until("Orca to start", orca_ready, 20)
            time.sleep(0.5)

            program_env = dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
            with open(os.path.join(root, "program.log"), "wb") as out:
                program = subprocess.Popen([args.program], env=program_env, cwd=dirs["HOME"], stdout=out,
                                           stderr=subprocess.STDOUT)
            xdo = Xdo(x.display)
            window = xdo.find_window("^Kelvane$")
            road = Road(speech, xdo, transcript)
            try:
                road.stop("the window gets the keyboard", [], ["Kelvane frame", "Build HTML of Images"],
                          action=lambda: xdo.run("windowfocus", "--sync", window))
                # A list the program fills at start has not the keyboard: were it
                # said to, Orca could speak its item instead of the window.
                with open(orca_log, encoding="utf-8", errors="replace") as f:
                    log_text = f.read()
                before_window = log_text[:max(log_text.find("Dequeued window:activate"), 0)]
                claimed = re.findall(r"Dequeued object:state-changed:focused \[list item \| ([^\]]*)\] \(1,",
                                     before_window)
                if claimed:
                    raise Failure(f"before the window was active, list items {claimed} were said to have the focus")
                walk(road)
            finally:
                path = os.path.join(args.output, "e2e-screen-reader.txt")
                with open(path, "w", encoding="utf-8") as f:
                    for what, keys, spoken in transcript:
                        f.write(f"{what} [{keys}]\n" + "".join(f"    {line!r}\n" for line in spoken))
                log(f"what Orca said: {path}")
            close_like_window_manager(x.display, window)
            expect_equal("the program's exit status", program.wait(10), 0)
            refresh_of_many(x, speech, root, program_env, args.program)
        finally:
            if program and program.poll() is None:
                program.kill()
                program.wait()
            for helper in reversed(helpers):
                helper.stop()
            # Orca's own account of every event, for a failure or a reader.
            for name in ("orca-debug.out", "orca.log", "program.log", "bus.log"):
                path = os.path.join(root, name)
                if os.path.exists(path):
                    shutil.copyfile(path, os.path.join(args.output, "e2e-screen-reader-" + name))


def walk(road):
    road.stop("the file list", ["Tab"] * 7, ["File list"])
    road.stop("all three pictures to the page list, then to Refresh", ["Home", "shift+End", "Return", "Tab", "Tab"],
              ["Refresh push button"])
    road.stop("Refresh", ["space"], ["3 pictures"])
    road.stop("the filter buttons", ["Tab"] * 4, ["File type", "jpg"])
    road.stop("View In Browser", ["Tab"], ["View In Browser"])
    road.stop("the board's scroll bar", ["Tab"], ["Thumbnail rows scroll bar"])
    road.stop("the picture description box", ["Tab"],
              ["Picture Description (click on a pic)", "Page Down and Page Up describe the next"])
    road.stop("Page Down to the first picture", ["Next"], ["Picture Description for Pic 1, Picture 1: a beach.jpg"])
    # Typed as a person types, the box's last echo heard before the next key.
    road.stop("a description typed", [], ["b ", "e ", "a ", "c ", "h "], action=lambda: road.xdo.type("Gray beach"))
    spoken = road.stop("Page Down to the second picture, its description empty", ["Next"],
                       ["Picture Description for Pic 2, Picture 2: b city.jpg"])
    if any(line.startswith("blank") for line in spoken):
        raise Failure(f"an empty description was read as blank: {spoken!r}")
    road.stop("Page Up back to the first", ["Prior"], ["Picture Description for Pic 1, Picture 1: a beach.jpg",
                                                       "Gray beach"])
    road.stop("Page Up on the first", ["Prior"], ["Picture 1: a beach.jpg is the first picture"])
    spoken = road.stop("Enter on the first", ["Return"], ["Picture Description for Pic 1", "Gray beach"])
    expect_equal("times the stored text was read after Enter", sum("Gray beach" in line for line in spoken), 1)
    road.stop("Page Down to the second again", ["Next"], ["Picture Description for Pic 2, Picture 2: b city.jpg"])
    road.stop("Page Down to the last", ["Next"], ["Picture Description for Pic 3, Picture 3: c dune.jpg"])
    road.stop("Page Down on the last", ["Next"], ["Picture 3: c dune.jpg is the last picture"])


def refresh_of_many(x, speech, root, env, program, count=200):
    """A refresh of 200 pictures, in a window of its own: the count is heard
    after the board's own events, which would flood the screen reader."""
    folder = os.path.join(root, "many")
    os.makedirs(folder)
    first = os.path.join(folder, "p0000.jpg")
    subprocess.run(["convert", "-size", "64x48", "xc:gray", first], check=True, capture_output=True, timeout=30)
    for i in range(1, count):
        shutil.copyfile(first, os.path.join(folder, f"p{i:04}.jpg"))
    config = os.path.join(root, "many-config")
    os.makedirs(config)
    with open(os.path.join(config, "Kelvane.INI"), "wb") as f:
        f.write(b"[Defaults]\r\nFilesDir=" + folder.encode() + b"/\r\n")
    with open(os.path.join(root, "program.log"), "ab") as out:
        process = subprocess.Popen([program], env=dict(env, XDG_CONFIG_HOME=config), cwd=env["HOME"], stdout=out,
                                   stderr=subprocess.STDOUT)
    try:
        xdo = Xdo(x.display)
        window = xdo.find_window("^Kelvane$")
        road = Road(speech, xdo, [])
        road.stop(f"a window on {count} pictures gets the keyboard", [], ["Build HTML of Images"],
                  action=lambda: xdo.run("windowfocus", "--sync", window))
        road.stop(f"all {count} to the page list, then to Refresh",
                  ["Tab"] * 7 + ["Home", "shift+End", "Return", "Tab", "Tab"], ["Refresh push button"])
        road.stop(f"Refresh of {count}", ["space"], [f"{count} pictures"])
        close_like_window_manager(x.display, window)
        expect_equal("the exit status of the program on many pictures", process.wait(10), 0)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


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
                   "dbus-run-session": "dbus-daemon", BUS_LAUNCHER: "at-spi2-core", ORCA: "orca"})
    if subprocess.run([SYSTEM_PYTHON, "-c", "import pyatspi"], capture_output=True).returncode != 0:
        raise Failure(f"{SYSTEM_PYTHON} cannot import pyatspi (package python3-pyatspi)")
    if not os.access(args.program, os.X_OK):
        raise Failure(f"the program {args.program} is not built")
    env = {k: v for k, v in os.environ.items() if k not in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS")}
    result = subprocess.run(["dbus-run-session", "--", SYSTEM_PYTHON, os.path.abspath(__file__),
                             "--program", args.program, "--output", args.output, "--inner"],
                            env=env, timeout=110)
    if result.returncode != 0:
        sys.exit(result.returncode)


if __name__ == "__main__":
    run_main(main)
