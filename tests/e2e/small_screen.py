#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A window larger than its screen, in the real program on a private X
server: 1920 x 1080 pixels at QT_SCALE_FACTOR=2, where the layout needs
1998 x 1190. The window opens at that size, centred with its edges off the
screen; it is then made 1900 x 1000 and moved onto the screen, as a user
does with the window manager. From there the page is made by keys alone:
each Tab stop far from the top left (the board's scroll bar, the picture
description box) and the way back to the first stop must scroll its control
into view, its focus ring whole inside the window. The page built is
compared byte for byte.

Then, under openbox (its bottom margin a panel), 20 pt on 1920 x 1080 and
11 pt on a 1366 x 768 laptop with a 44-pixel panel grow the layout only as
far as the frame stays in the work area; QT_FONT_DPI=192 on 1280 x 1024 is
the designed size at Qt's scale 2, its frame off the screen at the top left.

Usage: small_screen.py --program <kelvane> --source <repository> --output <build folder>
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2esupport import (ControlTable, Failure, Screen, XServer, Xdo, close_like_window_manager,  # noqa: E402
                        desktop_env, expect_equal, frame_geometry, log, picture_folder, private_dirs,
                        report_failure, require_tools, run_main, screenshot_file, wait_until)

SCALE = 2
SCREEN = (1920, 1080)
SMALLER = (1900, 1000)
PICTURES = {"a beach.jpg": (220, 30, 30), "b city.jpg": (30, 170, 30)}
RING = 2  # the focus ring's width around a control, in logical pixels


def find_ring(screen, colour, width, height, right_side=True):
    """(x, y) of a rectangle's outline of exactly this colour and size, RING
    logical pixels thick, or None; without its right side where the
    control's container cuts the ring there. Other things drawn in the same
    colour (a selected list item) are not outlines of that size."""
    pattern = bytes(colour)
    thick = RING * SCALE

    def lit(x, y):
        return 0 <= x < screen.width and 0 <= y < screen.height and screen.pixel(x, y) == colour
    at = screen.pixels.find(pattern)
    while at >= 0:
        if at % 3 == 0:
            x, y = (at // 3) % screen.width, (at // 3) // screen.width
            right, bottom = x + width - 1, y + height - 1
            middle_x, middle_y = (x + right) // 2, (y + bottom) // 2
            outline = all(lit(*p) for p in ((right, y), (x, bottom), (right, bottom), (middle_x, y),
                                            (middle_x, bottom), (x, middle_y), (x + thick - 1, y + thick - 1)))
            ends = not any(lit(*p) for p in ((x - 1, y), (x, y - 1), (right + 1, y), (x, bottom + 1),
                                             (x + thick, y + thick)))
            if outline and ends and lit(right, middle_y) == right_side:
                return x, y
        at = screen.pixels.find(pattern, at + 1)
    return None


def ring_in_view(xdo, display, window, table, colour, name):
    """Waits for the control's focus ring, as whole as its container lets it
    be, inside the window on the screen."""
    x, y, w, h = table.rect(name)
    left, top, right, bottom = x - RING, y - RING, x + w + RING, y + h + RING
    container = table.rows[(name, -1)][0]
    if container:  # the ring is cut where its container ends
        cx, cy, cw, ch = table.rect(container)
        left, top, right, bottom = max(left, cx), max(top, cy), min(right, cx + cw), min(bottom, cy + ch)
    size = ((right - left) * SCALE, (bottom - top) * SCALE)
    wx, wy, ww, wh = xdo.geometry(window)

    def whole_ring():
        corner = find_ring(Screen(display), colour, *size, right_side=right == x + w + RING)
        return corner if corner and corner[0] + size[0] <= min(wx + ww, SCREEN[0]) \
            and corner[1] + size[1] <= min(wy + wh, SCREEN[1]) else None
    log(f"{name} in view, its ring at {wait_until(f'the focus ring of {name} in view', whole_ring, 5)}")


def road(args, display, window, pictures):
    xdo = Xdo(display)
    x, y, width, height = xdo.geometry(window)
    log(f"window opened at {x},{y}, {width} x {height}")
    expect_equal("the window's size at scale 2", (width, height), (999 * SCALE, 595 * SCALE))
    if x >= 0 or y >= 0:
        raise Failure(f"the centred window should start with its edges off the screen, not at {x},{y}")
    xdo.run("windowsize", "--sync", window, *SMALLER)
    xdo.run("windowmove", "--sync", window, 0, 0)
    xdo.run("windowfocus", "--sync", window)
    wait_until("the window moved and made smaller", lambda: xdo.geometry(window) == (0, 0, *SMALLER) or None, 5)

    # The first stop, "Build HTML of Images", has the focus: its ring's colour.
    bx, by, _, bh = args.table.rect("cmdBuild")
    colour = wait_until("the focus ring on the first stop", lambda: (lambda c: c if c[2] - c[0] > 60 else None)(
        Screen(display).pixel((bx - 1) * SCALE, (by + bh // 2) * SCALE)), 10)

    def in_view(name):
        ring_in_view(xdo, display, window, args.table, colour, name)
    xdo.key(*["Tab"] * 7, "Home", "shift+End", "Return", "Tab", "Tab", "space")  # both pictures, Refresh
    sx, sy, sw, sh = args.table.slot_rect(2)
    wait_until("two thumbnails", lambda: Screen(display).pixel((sx + sw // 2) * SCALE, (sy + sh // 2) * SCALE)[1] > 120,
               15)
    xdo.key("Tab")
    xdo.type("Keys")
    xdo.key(*["Tab"] * 5)
    in_view("VScroll1")
    xdo.key("Tab")
    in_view("txtItemDesc")
    xdo.key("Next")  # slot 1
    xdo.type("Red beach")
    xdo.key("Next")
    xdo.type("Green city")
    xdo.key("Return", "Tab")  # store it; round to the first stop
    in_view("cmdBuild")
    xdo.key("space")

    page_path = os.path.join(pictures, "Keys.html")
    wait_until(f"{page_path} to be written", lambda: os.path.exists(page_path), 10)
    with open(page_path, "rb") as f:
        page = f.read()
    expect_equal("page of images", page, "".join(line + "\r\n" for line in [
        "<Title>Keys</Title>", "<Font Size=4>", "<Heading>Keys</Heading><BR><BR>", "</Font>", "<Font Size=3>",
        "Red beach<BR><BR>", '<img src="a beach.jpg"><P><BR>',
        "Green city<BR><BR>", '<img src="b city.jpg"><P><BR>', "</Font>"]).encode())
    log("page written from the smaller window")
    screenshot_file(display, args.screenshot)


def text_size_run(args, root, name, screen, panel, env_extra):
    dirs = private_dirs(os.path.join(root, name))
    with XServer(*screen) as x:
        env = desktop_env(dirs, x.display, **env_extra)
        if "FONT" in env:  # Qt's own KDE theme reads the font from kdeglobals
            with open(os.path.join(dirs["XDG_CONFIG_HOME"], "kdeglobals"), "w") as f:
                f.write(f"[General]\nfont=Sans Serif,{env.pop('FONT')},-1,5,50,0,0,0,0,0\n")
            env.update(XDG_CURRENT_DESKTOP="KDE", KDE_SESSION_VERSION="5")
        os.makedirs(os.path.join(dirs["XDG_CONFIG_HOME"], "openbox"))
        with open("/etc/xdg/openbox/rc.xml") as f, \
                open(os.path.join(dirs["XDG_CONFIG_HOME"], "openbox", "rc.xml"), "w") as rc:
            rc.write(f.read().replace("<bottom>0</bottom>", f"<bottom>{panel}</bottom>", 1))
        wm = subprocess.Popen(["openbox", "--sm-disable"], env=env, stderr=subprocess.DEVNULL)
        time.sleep(1)  # the window manager must own the screen before the window maps
        program = subprocess.Popen([args.program], env=env, cwd=dirs["HOME"], stderr=subprocess.DEVNULL)
        try:
            xdo = Xdo(x.display)
            window = xdo.find_window("^Kelvane$")
            wait_until("the window framed", lambda: frame_geometry(x.display, window)[2] > xdo.geometry(window)[2], 10)
            time.sleep(0.5)
            size, frame = xdo.geometry(window)[2:], frame_geometry(x.display, window)
            log(f"{name}: window {size[0]} x {size[1]}, frame (x, y, width, height) {frame}")
            screenshot_file(x.display, os.path.join(args.output, f"e2e-text-size-{name}.png"))
            left, top, width, height = frame
            inside = min(left, top) >= 0 and left + width <= screen[0] and top + height <= screen[1] - panel
            if not ((size == (1998, 1190) and max(left, top) < 0) if name == "dpi192" else size[0] > 999 and inside):
                raise Failure(f"{name}: window {size}, frame {frame}")
            close_like_window_manager(x.display, window)
            expect_equal("the program's exit status", program.wait(10), 0)
        finally:
            for process in (program, wm):
                if process.poll() is None:
                    process.kill()
                    process.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--output", required=True)
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    require_tools({"Xvfb": "xvfb", "xdotool": "xdotool", "import": "imagemagick", "convert": "imagemagick",
                   "openbox": "openbox"})
    if not os.access(args.program, os.X_OK):
        raise Failure(f"the program {args.program} is not built")
    args.table = ControlTable(os.path.join(args.source, "src", "app", "controltable.cpp"))
    args.screenshot = os.path.join(os.path.abspath(args.output), "e2e-small-screen.png")

    with tempfile.TemporaryDirectory(prefix="kelvane-e2e-small-") as root, XServer(*SCREEN) as x:
        root = os.path.realpath(root)
        dirs = private_dirs(root)
        pictures = picture_folder(root, dirs, PICTURES)
        env = desktop_env(dirs, x.display, QT_SCALE_FACTOR=str(SCALE))
        args.log = os.path.join(root, "program.log")
        program = None
        try:
            with open(args.log, "ab") as out:
                program = subprocess.Popen([args.program], env=env, cwd=dirs["HOME"], stdout=out,
                                           stderr=subprocess.STDOUT)
            window = Xdo(x.display).find_window("^Kelvane$")
            road(args, x.display, window, pictures)
            close_like_window_manager(x.display, window)
            expect_equal("the program's exit status", program.wait(10), 0)
        except BaseException:
            report_failure(x.display, os.path.join(os.path.abspath(args.output), "e2e-small-screen-failure.png"),
                           args.log)
            raise
        finally:
            if program and program.poll() is None:
                program.kill()
                program.wait()
        for case in [("20pt", (1920, 1080), 0, {"FONT": "20"}), ("laptop", (1366, 768), 44, {"FONT": "11"}),
                     ("dpi192", (1280, 1024), 0, {"QT_FONT_DPI": "192"})]:
            text_size_run(args, root, *case)


if __name__ == "__main__":
    run_main(main)
