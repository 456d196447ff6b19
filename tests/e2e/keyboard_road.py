#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The road of one page by keyboard alone, in the real window on a private X
server: only key events reach the program, no click and no pointer motion.

First Tab goes once round the window: each stop must show the focus ring
around one control, but the file box, which lies under the file list, none,
and the stops must follow the window's tab order. Then
Enter in the file list moves the pictures to the page list, Delete in the
page list sends one back, Space presses "Refresh", Page Down walks the
thumbnails while their descriptions are typed, Enter stores the last one,
and Space on "Build HTML of Images" writes the page, compared byte for byte.

Usage: keyboard_road.py --program <kelvane> --source <repository> --output <build folder>
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2esupport import (ControlTable, Failure, Screen, XServer, Xdo, close_like_window_manager,  # noqa: E402
                        desktop_env, expect_equal, log, picture_folder, private_dirs,
                        report_failure, require_tools, run_main, screenshot_file, wait_until)

PICTURES = {"a beach.jpg": (220, 30, 30), "b city.jpg": (30, 170, 30), "c dune.jpg": (30, 60, 220)}


def tab_order(source_file):
    """The stops of the window's tab order, read from the program's table."""
    with open(source_file, encoding="utf-8") as f:
        block = re.search(r"tabOrder\(\)\s*\{.*?\{(.*?)\};", f.read(), re.S)
    if not block:
        raise Failure(f"no tab order in {source_file}")
    return re.findall(r'"(\w+)"', block.group(1))


def is_highlight(colour):
    r, _, b = colour
    return b - r > 60


class Window:
    def __init__(self, args, display, env, cwd):
        self.table = args.table
        self.xdo = Xdo(display)
        self.display = display
        with open(args.log, "ab") as out:
            self.process = subprocess.Popen([args.program], env=env, cwd=cwd, stdout=out, stderr=subprocess.STDOUT)
        self.id = self.xdo.find_window("^Kelvane$")
        self.x, self.y, _, _ = self.xdo.geometry(self.id)
        # No window manager gives the window the keyboard: ask the X server.
        self.xdo.run("windowfocus", "--sync", self.id)

    def rect(self, name, index=-1, inset=3):
        x, y, w, h = self.table.rect(name, index)
        return self.x + x + inset, self.y + y + inset, w - 2 * inset, h - 2 * inset

    def ringed(self, screen):
        """The controls with the focus ring: lit just outside their left and
        top edges."""
        found = []
        for (name, index) in self.table.rows:
            x, y, w, h = self.rect(name, index, inset=0)
            if is_highlight(screen.pixel(x - 1, y + h // 2)) and is_highlight(screen.pixel(x + w // 2, y - 1)):
                found.append((name, index))
        return found

    def ink(self, name):
        return Screen(self.display).ink_rows(*self.rect(name))

    def slot_colour(self, n):
        x, y, w, h = self.table.slot_rect(n)
        return Screen(self.display).pixel(self.x + x + w // 2, self.y + y + h // 2)


def walk_focus(window, expected):
    """Tab once round the window; a radio group counts as one stop however
    many of its buttons take the focus. The file box, which lies under the
    file list, takes its stop without a ring."""
    stops = []
    previous = None
    for _ in range(3 * len(expected)):
        if len(stops) < len(expected) and expected[len(stops)] == "File1":
            time.sleep(0.5)
            expect_equal("rings on the file box's stop", window.ringed(Screen(window.display)), [])
            stops.append("File1")
            previous = []
            window.xdo.key("Tab")
            continue
        def one_ring():
            found = window.ringed(Screen(window.display))
            return found if len(found) == 1 and found != previous else None
        previous = wait_until(f"one focus ring after {len(stops)} tabs", one_ring, 5)
        name = previous[0][0]
        if not stops or stops[-1] != name or name != "optFilter":
            stops.append(name)
        if len(stops) > len(expected):
            break
        window.xdo.key("Tab")
    expect_equal("focus stops, each with a visible ring but the file box", stops, expected + ["cmdBuild"])


def road(args, window, pictures):
    xdo = window.xdo
    wait_until("the stored folder's files in the file list", lambda: len(window.ink("List1")) >= 3, 10)
    walk_focus(window, tab_order(args.table_source))
    log("every stop of the tab order shows its focus ring, the file box none")

    xdo.key(*["Tab"] * 7, "Home", "shift+End", "Return")  # List1: all three, as ">"
    wait_until("the file list emptied by Enter", lambda: not window.ink("List1"), 10)
    xdo.key("Tab", "End", "Delete")  # List2: the last one back, as "<"
    wait_until("one name back in the file list", lambda: len(window.ink("List1")) == 1, 10)
    xdo.key("Tab", "space")  # Refresh
    wait_until("two thumbnails", lambda: window.slot_colour(1)[0] > 150 and window.slot_colour(2)[1] > 120, 15)
    log("pictures chosen and shown by keys")

    xdo.key("Tab")
    xdo.type("Keys")
    xdo.key(*["shift+Tab"] * 6)
    xdo.type("By hand")
    xdo.key(*["shift+Tab"] * 5, "Next")  # the description box; slot 1
    xdo.type("Red beach")
    xdo.key("Next")
    xdo.type("Green city")
    xdo.key("Return", "Tab", "space")  # store it; Build HTML of Images

    page_path = os.path.join(pictures, "Keys.html")
    wait_until(f"{page_path} to be written", lambda: os.path.exists(page_path), 10)
    with open(page_path, "rb") as f:
        page = f.read()
    expect_equal("page of images", page, "".join(line + "\r\n" for line in [
        "<Title>Keys</Title>", "<Font Size=4>", "<Heading>Keys</Heading><BR><BR>", "</Font>", "<Font Size=3>",
        "By hand<BR><BR>", "Red beach<BR><BR>", '<img src="a beach.jpg"><P><BR>',
        "Green city<BR><BR>", '<img src="b city.jpg"><P><BR>', "</Font>"]).encode())
    log("page written from keys alone")
    screenshot_file(window.display, args.screenshot)
    log(f"screenshot: {args.screenshot}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--output", required=True)
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    require_tools({"Xvfb": "xvfb", "xdotool": "xdotool", "import": "imagemagick", "convert": "imagemagick"})
    if not os.access(args.program, os.X_OK):
        raise Failure(f"the program {args.program} is not built")
    args.table_source = os.path.join(args.source, "src", "app", "controltable.cpp")
    args.table = ControlTable(args.table_source)
    args.screenshot = os.path.join(os.path.abspath(args.output), "e2e-keyboard.png")

    with tempfile.TemporaryDirectory(prefix="kelvane-e2e-keys-") as root, XServer() as x:
        root = os.path.realpath(root)
        dirs = private_dirs(root)
        pictures = picture_folder(root, dirs, PICTURES)
        env = desktop_env(dirs, x.display)
        args.log = os.path.join(root, "program.log")
        window = None
        try:
            window = Window(args, x.display, env, dirs["HOME"])
            road(args, window, pictures)
            close_like_window_manager(x.display, window.id)
            expect_equal("the program's exit status", window.process.wait(10), 0)
        except BaseException:
            report_failure(x.display, os.path.join(os.path.abspath(args.output), "e2e-keyboard-failure.png"), args.log)
            raise
        finally:
            if window and window.process.poll() is None:
                window.process.kill()
                window.process.wait()


if __name__ == "__main__":
    run_main(main)
