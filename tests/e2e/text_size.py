#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window at a larger text size under a real window manager (openbox),
on a private X server. The layout grows with the text only as far as the
window's frame, centred on the screen, stays inside the work area that the
window manager publishes; at the designed size nothing is fitted, and a
screen smaller than the window leaves its edges off the screen.

  - 20 pt (a KDE desktop's font) on 1920 x 1080: grown, every frame edge on
    the screen;
  - 11 pt on a 1366 x 768 laptop whose panel takes the lowest 44 pixels
    (openbox's margin, _NET_WORKAREA 1366 x 724): grown, clear of the panel;
  - QT_FONT_DPI=192 on 1280 x 1024: Qt draws everything twice as large, the
    layout keeps its designed size, 1998 x 1190, and the frame's top and
    left lie off the screen.

A screenshot of each is written to e2e-text-size-<case>.png.

Usage: text_size.py --program <kelvane> --output <build folder>
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2esupport import (Failure, XServer, Xdo, close_like_window_manager, desktop_env, expect_equal,  # noqa: E402
                        frame_geometry, log, private_dirs, report_failure, require_tools, run_main,
                        screenshot_file, wait_until)

DESIGNED = (999, 595)
# name, screen, panel below, text size in points or None, extra environment
CASES = [
    ("20pt", (1920, 1080), 0, 20, {}),
    ("laptop", (1366, 768), 44, 11, {}),
    ("dpi192", (1280, 1024), 0, None, {"QT_FONT_DPI": "192"}),
]


def openbox_config(config_home, panel):
    """openbox's own configuration with a margin below, where a panel would be."""
    with open("/etc/xdg/openbox/rc.xml", encoding="utf-8") as f:
        rc = f.read()
    plain = "<margins>\n  <top>0</top>\n  <bottom>0</bottom>"
    if plain not in rc:
        raise Failure("the system's openbox rc.xml has no margins section to change")
    os.makedirs(os.path.join(config_home, "openbox"))
    with open(os.path.join(config_home, "openbox", "rc.xml"), "w", encoding="utf-8") as f:
        f.write(rc.replace(plain, f"<margins>\n  <top>0</top>\n  <bottom>{panel}</bottom>"))


def run_case(args, root, name, screen, panel, points, extra):
    dirs = private_dirs(os.path.join(root, name))
    with XServer(*screen) as x:
        env = desktop_env(dirs, x.display, **extra)
        if points:
            # Qt's own KDE theme reads the desktop's font from kdeglobals.
            with open(os.path.join(dirs["XDG_CONFIG_HOME"], "kdeglobals"), "w") as f:
                f.write(f"[General]\nfont=Sans Serif,{points},-1,5,50,0,0,0,0,0\n")
            env.update(XDG_CURRENT_DESKTOP="KDE", KDE_SESSION_VERSION="5", KDE_FULL_SESSION="true")
        openbox_config(dirs["XDG_CONFIG_HOME"], panel)
        program_log = os.path.join(root, name + ".log")
        with open(program_log, "ab") as out:
            wm = subprocess.Popen(["openbox", "--sm-disable"], env=env, stdout=out, stderr=subprocess.STDOUT)
        program = None
        try:
            time.sleep(1)  # the window manager must own the screen before the window maps
            if wm.poll() is not None:
                raise Failure("openbox ended at once")
            with open(program_log, "ab") as out:
                program = subprocess.Popen([args.program], env=env, cwd=dirs["HOME"], stdout=out,
                                           stderr=subprocess.STDOUT)
            xdo = Xdo(x.display)
            window = xdo.find_window("^Kelvane$")
            # Framed and centred: the frame is larger than the window.
            wait_until("the window's frame", lambda: frame_geometry(x.display, window)[2] > xdo.geometry(window)[2],
                       10)
            time.sleep(0.5)
            width, height = xdo.geometry(window)[2:]
            frame = frame_geometry(x.display, window)
            log(f"{name}: window {width} x {height}, frame (x, y, width, height) {frame}")
            screenshot_file(x.display, os.path.join(args.output, f"e2e-text-size-{name}.png"))
            if points:
                if width <= DESIGNED[0] or height <= DESIGNED[1]:
                    raise Failure(f"{name}: the layout did not grow with the text: {width} x {height}")
                fx, fy, fw, fh = frame
                work = (0, 0, screen[0], screen[1] - panel)
                if fx < 0 or fy < 0 or fx + fw > work[2] or fy + fh > work[3]:
                    raise Failure(f"{name}: frame {frame} leaves the work area {work}")
            else:
                expect_equal(f"{name}: the window at its designed size, twice as large", (width, height),
                             (2 * DESIGNED[0], 2 * DESIGNED[1]))
                if frame[0] >= 0 or frame[1] >= 0:
                    raise Failure(f"{name}: the frame {frame} should start off the screen")
            close_like_window_manager(x.display, window)
            expect_equal("the program's exit status", program.wait(10), 0)
        except BaseException:
            report_failure(x.display, os.path.join(args.output, f"e2e-text-size-{name}-failure.png"), program_log)
            raise
        finally:
            if program and program.poll() is None:
                program.kill()
                program.wait()
            wm.terminate()
            wm.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--output", required=True)
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    args.output = os.path.abspath(args.output)
    require_tools({"Xvfb": "xvfb", "xdotool": "xdotool", "import": "imagemagick", "openbox": "openbox"})
    if not os.access(args.program, os.X_OK):
        raise Failure(f"the program {args.program} is not built")
    with tempfile.TemporaryDirectory(prefix="kelvane-e2e-text-size-") as root:
        for case in CASES:
            run_case(args, os.path.realpath(root), *case)


if __name__ == "__main__":
    run_main(main)
