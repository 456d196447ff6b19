#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The road of one page on Windows: the installer and the installed program
under Wine, in a private X server, driven by real clicks and key presses.

The installer runs silently. The installed program starts in the user's
folder on drive C; the drive box moves it to drive D, a folder of the test's
own, and the folder box opens the folder of pictures there. Two pictures go
to the page list (click, Ctrl+click, ">"), "Refresh" shows them, one of them
gets a description, a name with spaces around it and a two-line page
description are typed, and "Build HTML of Images" writes the page, compared
byte for byte: UTF-8 without a byte-order mark, CR LF, bare picture names.
"View In Browser", with ".htm" files associated with a program that records
its arguments, must hand that program the page's path as one argument and
leave no probe file behind. Closing the window by the close button of its
title bar, which Wine draws as Windows does, must store the folder, with
a backslash appended, in the UTF-16 settings file. The silent uninstaller
must then remove the installed files and leave the settings file and the
page as they were.

The caller gives a Wine prefix of the run's own (WINEPREFIX and a HOME
inside it), made by wineboot, with no Wine process running.

Usage: wine_road.py --wine <wine64> --wineserver <wineserver> --setup <setup.exe>
                    --recorder <argumentrecorder.exe> --source <repository> --output <folder>
"""

import argparse
import glob
import os
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2esupport import (ControlTable, Failure, Screen, XServer, Xdo, bind_characters, expect_equal,  # noqa: E402
                        log, report_failure, require_tools, run_main, screenshot_file, wait_until)
import window_road  # noqa: E402
from window_road import FIRST_FOLDER, crlf, make_pictures, read_bytes  # noqa: E402

# The client area; Wine draws the frame and title bar around it.
CLIENT_SIZE = window_road.WINDOW_SIZE
DRIVE = "D:"
FOLDER = "My pictures"  # a space, which the browser must receive inside its one argument
PAGE_LIST = ("a beach.jpg", "d forest.jpg")
DESCRIPTION = (2, "Yellow for\u00eat")


# The Linux road's page for the same inputs; the picture names are bare, so
# only the folder of the page differs.
EXPECTED_PAGE = crlf([
    "<Title>Trip</Title>",
    "<Font Size=4>",
    "<Heading>Trip</Heading><BR><BR>",
    "</Font>",
    "<Font Size=3>",
    "Day one<BR>sunny<BR><BR>",
    "<BR><BR>",
    '<img src="a beach.jpg"><P><BR>',
    "Yellow for\u00eat<BR><BR>",
    '<img src="d forest.jpg"><P><BR>',
    "</Font>",
])


class Wine:
    def __init__(self, args, display):
        self.wine = args.wine
        self.wineserver = args.wineserver
        self.prefix = os.environ["WINEPREFIX"]
        self.env = dict(os.environ, DISPLAY=display)
        for name in list(self.env):
            if name.startswith(("QT_", "WAYLAND")):
                del self.env[name]
        users = os.path.join(self.prefix, "drive_c", "users")
        names = [n for n in sorted(os.listdir(users)) if n != "Public" and not os.path.islink(os.path.join(users, n))]
        if not names:
            raise Failure(f"no user folder in {users}")
        self.user = os.path.join(users, names[0])

    def run(self, *command, timeout=60):
        result = subprocess.run([self.wine, *command], env=self.env, capture_output=True, timeout=timeout)
        if result.returncode != 0:
            raise Failure(f"wine {' '.join(command)} ended with {result.returncode}:\n"
                          + result.stderr.decode(errors="replace"))
        return result.stdout.decode(errors="replace")

    def start(self, command, cwd, log_path):
        with open(log_path, "ab") as out:
            return subprocess.Popen([self.wine, *command], env=self.env, cwd=cwd,
                                    stdout=out, stderr=subprocess.STDOUT)

    def stop(self):
        subprocess.run([self.wineserver, "-k"], env=self.env, capture_output=True, timeout=30)

    def windows_path(self, unix_path):
        return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


class WineWindow(window_road.Window):
    """The installed program's window. Wine draws the frame, so the client
    area lies inside the X window: equal borders left, right and below, and
    the title bar above."""

    def __init__(self, args, wine, cwd, log_path):
        self.display = args.display
        self.table = args.table
        self.xdo = Xdo(args.display)
        self.log_path = log_path
        self.process = wine.start([args.installed_program], cwd, log_path)
        self.id = self.xdo.find_window("^Kelvane$", timeout=60)
        left, top, width, height = self.xdo.geometry(self.id)
        border = (width - CLIENT_SIZE[0]) // 2
        if border < 0 or height - CLIENT_SIZE[1] - border < 0:
            raise Failure(f"window of {width}x{height} cannot hold a client area of {CLIENT_SIZE}")
        self.x = left + border
        self.y = top + height - CLIENT_SIZE[1] - border
        self.frame = (left, top, width, height)
        self.border = border

    def close(self):
        """A click on the close button, the rightmost of the title bar, as
        a user closes the window."""
        left, top, width, _ = self.frame
        self.xdo.click(left + width - self.border - 10, (top + self.y) // 2)
        try:
            code = self.process.wait(10)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end within 10 s of a click on its close button") from None
        expect_equal("the program's exit status", code, 0)


def install(args, wine):
    wine.run(args.setup, "/S", timeout=120)
    installed = os.path.join(wine.user, "AppData", "Local", "Programs", "Kelvane")
    program = os.path.join(installed, "kelvane.exe")
    wait_until("the installed program", lambda: os.path.exists(program), 30)
    return installed


def map_drive(wine, letter, folder):
    """Gives the folder a drive letter, as a mapped drive."""
    link = os.path.join(wine.prefix, "dosdevices", letter.lower())
    if os.path.lexists(link):
        raise Failure(f"drive {letter} is already mapped in the Wine prefix")
    os.symlink(folder, link)


def associate_htm(wine, recorder):
    """Makes ".htm" files open with the recorder, for every user: Wine's
    shell reads associations from HKEY_CLASSES_ROOT only."""
    wine.run("reg", "add", r"HKCR\.htm", "/ve", "/d", "Kelvane.RoadPage", "/f")
    wine.run("reg", "add", r"HKCR\Kelvane.RoadPage\shell\open\command", "/ve",
             "/d", f'"{wine.windows_path(recorder)}" "%1"', "/f")


def probes(wine):
    """Probe files, and the private folders made for them in a temporary
    folder, anywhere on drive C: the program's folder and the temporary
    folders among them."""
    drive_c = glob.escape(os.path.join(wine.prefix, "drive_c"))
    # Folders only: the program's own kelvane-decoder.exe is no probe.
    return sorted(glob.glob(os.path.join(drive_c, "**", "test.htm"), recursive=True)
                  + [path for path in glob.glob(os.path.join(drive_c, "**", "kelvane-*"), recursive=True)
                     if os.path.isdir(path)])


def choose_folder(window, x):
    """Drive D by the drive box's list, then its one folder by the folder box."""
    left, top, width, _ = window.screen_rect("Dir1")

    def under_drive_box():
        # The drive box's list opens over the folder box's first rows.
        screen = Screen(x.display)
        return [screen.pixel(px, py) for px in range(left, left + width, 2) for py in range(top, top + 40, 2)]
    before = under_drive_box()
    window.click_control("Drive1")
    wait_until("the drive box's list to open", lambda: under_drive_box() != before, 10)
    window.xdo.key("d", "Return")

    def two_rows():
        # Drive C's user folder fills the box; drive D's root shows itself
        # and its one folder, in the box's first 50 pixels.
        bands = Screen(x.display).ink_rows(*window.screen_rect("Dir1"))
        return bands and bands[-1][1] < top + 50
    wait_until("drive D's root and its folder in the folder box", two_rows, 15)
    window.xdo.click(left + width // 2, top + 4)
    window.xdo.key("End", "Return")
    wait_until("the folder's pictures in the file list",
               lambda: len(Screen(x.display).ink_rows(*window.screen_rect("List1"))) >= 4, 15)


def build_page(args, window, x, page_path):
    names = sorted(FIRST_FOLDER)
    rows = [names.index(name) for name in PAGE_LIST]
    origin, pitch = window.select_rows("List1", rows, "ctrl")
    window.wait_for_selection("List1", origin, pitch, rows)
    window.click_control("cmdAdd")
    window.click_control("cmdRefresh")
    window.wait_for_thumbnails([FIRST_FOLDER[name] for name in PAGE_LIST])
    log(f"{time.monotonic() - args.started:.1f} s: thumbnails shown")
    window.xdo.move(1, 1)  # no tool tip in the picture
    time.sleep(0.3)
    screenshot_file(x.display, args.screenshot)
    log(f"screenshot: {args.screenshot}")

    slot, text = DESCRIPTION
    window.click_slot(slot)
    window.click_control("txtItemDesc")
    window.xdo.type(text)
    window.click_slot(1)  # stores the text on the slot described
    window.click_control("txtName")
    window.xdo.type("  Trip ")
    window.click_control("txtDesc")
    window.xdo.type("Day one")
    window.xdo.key("Return")
    window.xdo.type("sunny")
    window.click_control("cmdBuild")
    page = wait_until(f"{page_path} to be written", lambda: os.path.exists(page_path) and read_bytes(page_path), 15)
    expect_equal("page of images", page, EXPECTED_PAGE)
    log(f"{time.monotonic() - args.started:.1f} s: page of images written as typed")
    return page


def view_in_browser(args, window, wine, page_windows_path):
    record = os.path.splitext(args.recorder)[0] + ".args"
    if os.path.exists(record):
        os.remove(record)
    window.click_control("cmdViewInBrowser")
    lines = wait_until("the recorder's record of its start", lambda: os.path.exists(record) and read_bytes(record), 30)
    arguments = lines.decode("utf-8").split("\n")[1:-1]
    expect_equal("the arguments the browser received", arguments, [page_windows_path])
    # The probe is deleted once the shell has started the browser.
    wait_until("no probe file left", lambda: not probes(wine), 10)
    log(f"{time.monotonic() - args.started:.1f} s: the browser received the page's path as one argument; no probe left")


def uninstall(wine, installed):
    # The uninstaller copies itself to the temporary folder and works from
    # there, so its first process ends at once.
    wine.run(os.path.join(installed, "uninstall.exe"), "/S", timeout=120)
    wait_until("the installed files to be removed", lambda: not os.path.exists(installed), 60)


def main():
    # A timeout's SIGTERM ends the road through its clean-up: the program,
    # Wine and the X server stop.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(124))
    parser = argparse.ArgumentParser()
    for option in ("wine", "wineserver", "setup", "recorder", "source", "output"):
        parser.add_argument("--" + option, required=True)
    args = parser.parse_args()
    require_tools({"Xvfb": "xvfb", "xdotool": "xdotool", "import": "imagemagick", "convert": "imagemagick"})
    if "WINEPREFIX" not in os.environ:
        raise Failure("WINEPREFIX names no Wine prefix of the run's own")
    for path in (args.wine, args.setup, args.recorder):
        if not os.path.exists(path):
            raise Failure(f"{path} is not built")
    args.recorder = os.path.abspath(args.recorder)
    args.output = os.path.abspath(args.output)
    args.screenshot = os.path.join(args.output, "e2e-wine-road.png")
    args.table = ControlTable(os.path.join(args.source, "src", "app", "controltable.cpp"))
    args.started = time.monotonic()
    window = None
    with tempfile.TemporaryDirectory(prefix="kelvane-e2e-wine-") as root, XServer() as x:
        args.display = x.display
        args.log = os.path.join(root, "program.log")
        drive = os.path.join(root, "drive")
        pictures = os.path.join(drive, FOLDER)
        make_pictures(pictures, FIRST_FOLDER)
        page_windows_path = f"{DRIVE}\\{FOLDER}\\Trip.html"
        page_path = os.path.join(pictures, "Trip.html")
        wine = Wine(args, x.display)
        ini = os.path.join(wine.user, "AppData", "Roaming", "Kelvane.INI")
        bind_characters(x.display, DESCRIPTION[1])
        try:
            # Wine draws the frame and title bar, as Windows does; without
            # a window manager none would be drawn.
            wine.run("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Decorated", "/d", "N", "/f")
            map_drive(wine, DRIVE, drive)
            associate_htm(wine, args.recorder)
            installed = install(args, wine)
            args.installed_program = os.path.join(installed, "kelvane.exe")
            log(f"{time.monotonic() - args.started:.1f} s: installed silently in {installed}")

            window = WineWindow(args, wine, wine.user, args.log)
            log(f"{time.monotonic() - args.started:.1f} s: window shown, frame {window.frame}")
            choose_folder(window, x)
            page = build_page(args, window, x, page_path)
            view_in_browser(args, window, wine, page_windows_path)
            window.close()
            window = None
            stored = read_bytes(ini)
            expect_equal("settings file", stored,
                         ("\ufeff[Defaults]\r\nFilesDir=" + f"{DRIVE}\\{FOLDER}\\" + "\r\n").encode("utf-16-le"))
            log(f"{time.monotonic() - args.started:.1f} s: the settings file names the folder with a backslash")

            uninstall(wine, installed)
            expect_equal("settings file after the uninstall", read_bytes(ini), stored)
            expect_equal("page after the uninstall", read_bytes(page_path), page)
            log(f"{time.monotonic() - args.started:.1f} s: uninstalled; the settings file and the page stay")
        except BaseException:
            report_failure(x.display, os.path.join(args.output, "e2e-wine-road-failure.png"), args.log)
            raise
        finally:
            if window:
                window.kill()
            wine.stop()
    log(f"road walked in {time.monotonic() - args.started:.1f} s")


if __name__ == "__main__":
    run_main(main)
