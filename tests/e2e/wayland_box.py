#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A message box under weston (its X11 backend in a private Xvfb), the
program on Wayland: the empty name's box is asked to maximise by a click where
a toolkit-drawn title bar has its maximise button and by a double click on its
title. The program lives, the box unchanged; OK closes it, closing the window
stores the folder. weston-debug's scene graph tells where the windows are.
Usage: wayland_box.py --program <kelvane> --source <repository> --output <build folder>"""

import argparse
import os
import re
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2esupport import (ControlTable, Failure, XServer, Xdo, desktop_env, expect_equal, picture_folder,  # noqa
                        private_dirs, report_failure, require_tools, run_main, screenshot_file, wait_until)

# A toolkit-drawn title bar: buttons 15 pixels down, close and maximise 17
# and 40 pixels from the right edge.
TITLE, CLOSE, MAXIMISE = 15, 17, 40


def road(args, xdo, scene, program, pictures):
    def windows(count):
        pattern = r"xdg_toplevel, PID %d,.*\n\s*position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)" % program.pid

        def found():
            shown = [tuple(map(int, m.groups())) for m in re.finditer(pattern, scene())]
            return program.poll() is None and len(shown) == count and shown
        return wait_until(f"{count} window(s)", found, 15)

    def lives(after):
        xdo.move(bl + 40, bb - 26)  # over OK, which draws the box again: a refused state shows at its commit
        xdo.move(br - 54, bb - 26)
        time.sleep(1)
        if program.poll() is not None:
            raise Failure(f"the program ended with status {program.returncode} after {after}")

    (left, top, right, _), = windows(1)
    x, y = args.table.centre("cmdBuild")
    xdo.move(1250, 790)  # weston follows the pointer once it has entered weston's window
    xdo.click(left + 3 + x, top + 30 + y)
    box = bl, bt, br, bb = windows(2)[0]
    screenshot_file(xdo.env["DISPLAY"], args.screenshot)
    xdo.click(br - MAXIMISE, bt + TITLE)
    lives("a click on the maximise button")
    xdo.move(bl + 60, bt + TITLE)
    xdo.run("click", "--repeat", 2, "--delay", 80, 1)
    lives("a double click on the title")
    expect_equal("the box after the tries to maximise it", windows(2)[0], box)
    xdo.click(br - 54, bb - 26)  # OK
    windows(1)
    xdo.click(right - CLOSE, top + TITLE)
    expect_equal("the program's exit status", program.wait(10), 0)
    with open(os.path.join(args.dirs["XDG_CONFIG_HOME"], "Kelvane.INI"), "rb") as f:
        expect_equal("the settings file", f.read(), b"[Defaults]\r\nFilesDir=" + pictures.encode() + b"/\r\n")


def main():
    parser = argparse.ArgumentParser()
    for name in ("--program", "--source", "--output"):
        parser.add_argument(name, required=True)
    args = parser.parse_args()
    require_tools({"Xvfb": "xvfb", "xdotool": "xdotool", "convert": "imagemagick", "weston": "weston"})
    args.table = ControlTable(os.path.join(args.source, "src", "app", "controltable.cpp"))
    args.screenshot = os.path.join(os.path.abspath(args.output), "e2e-wayland-box.png")
    with tempfile.TemporaryDirectory(prefix="kelvane-e2e-wayland-") as root, XServer() as x:
        args.dirs = private_dirs(os.path.realpath(root))
        pictures = picture_folder(os.path.realpath(root), args.dirs, {"a.jpg": (220, 30, 30)})
        with open(os.path.join(root, "weston.ini"), "w") as f:
            f.write("[core]\nidle-time=0\n[shell]\npanel-position=none\nlocking=false\n")
        wenv = {k: v for k, v in os.environ.items() if not k.startswith(("WAYLAND", "XDG_"))}
        wenv.update(DISPLAY=x.display, XDG_RUNTIME_DIR=args.dirs["XDG_RUNTIME_DIR"], WAYLAND_DISPLAY="kelvane-e2e")
        weston = subprocess.Popen(["weston", "--config=" + os.path.join(root, "weston.ini"), "--use-pixman",
                                   "--backend=x11-backend.so", "--width=1200", "--height=760", "--debug",
                                   "--socket=kelvane-e2e"], env=wenv, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.STDOUT)

        def scene():
            if weston.poll() is not None:
                raise Failure(f"weston ended with status {weston.returncode}")
            return subprocess.run(["weston-debug", "scene-graph"], env=wenv, capture_output=True, text=True,
                                  timeout=10).stdout
        env = desktop_env(args.dirs, "", QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY="kelvane-e2e")
        del env["DISPLAY"]
        program, log = None, os.path.join(root, "program.log")
        try:
            wait_until("weston", lambda: "Output 0" in scene(), 20)
            with open(log, "ab") as out:
                program = subprocess.Popen([os.path.abspath(args.program)], env=env, cwd=args.dirs["HOME"],
                                           stdout=out, stderr=subprocess.STDOUT)
            road(args, Xdo(x.display), scene, program, pictures)
        except BaseException:
            report_failure(x.display, os.path.join(os.path.abspath(args.output), "e2e-wayland-box-failure.png"), log)
            raise
        finally:
            for process in (program, weston):
                if process and process.poll() is None:
                    process.kill()
                    process.wait()


if __name__ == "__main__":
    run_main(main)
