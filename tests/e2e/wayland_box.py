#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Under weston the empty name's box is asked to maximise (button, double click on the title): the
program lives, the box as it was; OK closes it, closing the window stores the folder. Args: PROGRAM SOURCE OUTPUT"""

import os
import re
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2esupport import (ControlTable, Failure, XServer, Xdo, desktop_env, expect_equal, picture_folder,  # noqa
                        private_dirs, report_failure, require_tools, run_main, wait_until)

TITLE, CLOSE, MAXIMISE = 15, 17, 40  # a toolkit-drawn title bar's buttons: down, and from the right edge
WINDOW = r"xdg_toplevel, PID %d,.*\n\s*position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)"


def road(xdo, scene, program, build_button, dirs, pictures):
    def windows(count):  # each (left, top, right, bottom), topmost first, as weston's scene graph gives them
        def shown():
            found = [tuple(map(int, m.groups())) for m in re.finditer(WINDOW % program.pid, scene())]
            return program.poll() is None and len(found) == count and found
        return wait_until(f"{count} window(s)", shown, 15)

    (left, top, right, _), = windows(1)
    xdo.move(1250, 790)  # weston follows the pointer once it has entered weston's window
    xdo.click(left + 3 + build_button[0], top + 30 + build_button[1])
    box = bl, bt, br, bb = windows(2)[0]
    for clicks, x, what in ((1, br - MAXIMISE, "a click on the maximise button"),
                            (2, bl + 60, "a double click on the title")):
        xdo.move(x, bt + TITLE)
        xdo.run("click", "--repeat", clicks, "--delay", 80, 1)
        xdo.move(bl + 40, bb - 26)  # over OK, drawn again: a refused state shows at its commit
        xdo.move(br - 54, bb - 26)
        time.sleep(1)
        if program.poll() is not None:
            raise Failure(f"the program ended with status {program.returncode} after {what}")
    expect_equal("the box after the tries to maximise it", windows(2)[0], box)
    xdo.click(br - 54, bb - 26)  # OK
    windows(1)
    xdo.click(right - CLOSE, top + TITLE)
    expect_equal("the program's exit status", program.wait(10), 0)
    with open(os.path.join(dirs["XDG_CONFIG_HOME"], "Kelvane.INI"), "rb") as f:
        expect_equal("the settings file", f.read(), b"[Defaults]\r\nFilesDir=" + pictures.encode() + b"/\r\n")


def main():
    program, source, output = map(os.path.abspath, sys.argv[1:4])
    require_tools({"Xvfb": "xvfb", "xdotool": "xdotool", "convert": "imagemagick", "weston": "weston"})
    with tempfile.TemporaryDirectory(prefix="kelvane-e2e-wayland-") as root, XServer() as x:
        dirs = private_dirs(os.path.realpath(root))
        pictures = picture_folder(os.path.realpath(root), dirs, {"a.jpg": (220, 30, 30)})
        wenv = {k: v for k, v in os.environ.items() if not k.startswith(("WAYLAND", "XDG_"))}
        wenv.update(DISPLAY=x.display, XDG_RUNTIME_DIR=dirs["XDG_RUNTIME_DIR"], WAYLAND_DISPLAY="kelvane-e2e")
        with open(os.path.join(root, "weston.ini"), "w") as f:  # no panel over the windows' title bars
            f.write("[core]\nidle-time=0\n[shell]\npanel-position=none\nlocking=false\n")
        weston = subprocess.Popen(["weston", "--config=" + os.path.join(root, "weston.ini"), "--use-pixman", "--debug",
                                   "--width=1200", "--height=760", "--backend=x11-backend.so", "--socket=kelvane-e2e"],
                                  env=wenv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        scene = lambda: subprocess.run(["weston-debug", "scene-graph"], env=wenv, capture_output=True,  # noqa: E731
                                       text=True).stdout
        env = dict(desktop_env(dirs, "", QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY="kelvane-e2e"), DISPLAY="")
        # The sanitizer build: the Wayland client library and the toolkit's
        # Wayland plugins, unloaded at exit, leave allocations of their own
        # behind now and then; the X11 runs check the program's own.
        env["ASAN_OPTIONS"] = ":".join(filter(None, [env.get("ASAN_OPTIONS"), "detect_leaks=0"]))
        kelvane, log = None, os.path.join(root, "program.log")
        try:
            wait_until("weston", lambda: "Output 0" in scene(), 20)
            with open(log, "ab") as out:
                kelvane = subprocess.Popen([program], env=env, cwd=dirs["HOME"], stdout=out, stderr=out)
            build_button = ControlTable(os.path.join(source, "src", "app", "controltable.cpp")).centre("cmdBuild")
            road(Xdo(x.display), scene, kelvane, build_button, dirs, pictures)
        except BaseException:
            report_failure(x.display, os.path.join(output, "e2e-wayland-box-failure.png"), log)
            raise
        finally:
            for process in (kelvane, weston):
                if process and process.poll() is None:
                    process.kill()


if __name__ == "__main__":
    run_main(main)
