#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The road of one page, in the real window on a private X server, driven by
real mouse clicks and key presses.

First run: the stored folder opens; three of four pictures go to the page
list (click, Ctrl+click, ">"); "Refresh" shows them; each thumbnail gets a
description; a name with spaces around it and a two-line page description
are typed; "Build HTML of Images" writes the page, which is compared byte for
byte. The folder box then opens a subfolder and the window is closed; the
settings file must name that subfolder, every other line kept.

Second run: the window must open in the subfolder. Its two pictures go on a
page of links, which proves where the window opened.

Third and fourth runs, under window managers (twm, openbox) that put a title
bar and borders around the window: the window must be centred on that outer
frame, and move at most once after it is shown under twm, not at all under
openbox, which announces its frame before.

Fifth run, over large pictures: a click in the file list and five quick
presses of Down must show the picked picture; then, with previews and
thumbnails still being decoded, the program must end promptly once its
window is closed. Both times are printed.

Usage: window_road.py --program <kelvane> --source <repository> --output <build folder>
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2esupport import (ControlTable, Failure, Screen, TopLevelMoves, XServer, Xdo, bind_characters,  # noqa: E402
                        close_like_window_manager, expect_equal, frame_geometry, log, private_dirs, report_failure,
                        require_tools, run_main, screenshot_file, twips_to_pixels, wait_until)

WINDOW_SIZE = (999, 595)

# Pictures of one flat colour each, so a thumbnail is known by its colour.
FIRST_FOLDER = {
    "a beach.jpg": (220, 30, 30),
    "b city.jpg": (30, 170, 30),
    "c dune.jpg": (30, 60, 220),
    "d forest.jpg": (230, 210, 20),
}
# What the first run types on each thumbnail.
DESCRIPTIONS = ((1, "Red beach"), (2, "Blue dune & <sea>"), (3, "Yellow for\u00eat"))
SUBFOLDER = "mehr \u00e9 \u6771\u4eac"
SECOND_FOLDER = {
    "e orange.jpg": (240, 140, 20),
    "f #2 purple.jpg": (140, 40, 160),
}


def make_pictures(folder, pictures):
    os.makedirs(folder, exist_ok=True)
    for name, (r, g, b) in pictures.items():
        subprocess.run(["convert", "-size", "320x240", f"xc:rgb({r},{g},{b})", "-quality", "95",
                        os.path.join(folder, name)], check=True, capture_output=True, timeout=30)


def close_to(colour, expected, tolerance=40):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def is_highlight(colour):
    r, _, b = colour
    return b - r > 60


class Window:
    """One run of the program and its window."""

    def __init__(self, args, display, env, cwd, log_path, arguments=()):
        self.display = display
        self.table = args.table
        self.xdo = Xdo(display)
        self.log_path = log_path
        with open(log_path, "ab") as out:
            self.process = subprocess.Popen([args.program, *arguments], env=env, cwd=cwd, stdout=out, stderr=subprocess.STDOUT)
        self.id = self.xdo.find_window("^Kelvane$")
        self.x, self.y, width, height = self.xdo.geometry(self.id)
        expect_equal("window size", (width, height), WINDOW_SIZE)

    def at(self, point):
        return self.x + point[0], self.y + point[1]

    def click_control(self, name, index=-1, modifier=None):
        self.xdo.click(*self.at(self.table.centre(name, index)), modifier=modifier)

    def screen_rect(self, name, index=-1, inset=3):
        x, y, w, h = self.table.rect(name, index)
        return self.x + x + inset, self.y + y + inset, w - 2 * inset, h - 2 * inset

    def list_rows(self, name):
        """The screen rows of a list's highlighted items, one band each."""
        left, _, width, _ = self.screen_rect(name)
        # Every row of the list, frame included: the frame is never lit.
        _, top, _, height = self.screen_rect(name, inset=0)
        screen = Screen(self.display)
        bands = []
        for y in range(top, top + height):
            hits = sum(is_highlight(screen.pixel(x, y)) for x in range(left, left + width, 4))
            lit = hits * 4 > width // 2
            if lit and bands and bands[-1][1] == y - 1:
                bands[-1][1] = y
            elif lit:
                bands.append([y, y])
        return [tuple(band) for band in bands]

    def select_rows(self, name, rows, modifier):
        """Clicks the first row, learns the row height from its highlight,
        then clicks the others with the modifier held."""
        left, top, width, _ = self.screen_rect(name)
        x = left + width // 3
        self.xdo.click(x, top + 2)
        first = wait_until(f"the first row of {name} to be selected", lambda: self.list_rows(name), 10)
        pitch = first[0][1] - first[0][0] + 1
        for row in rows[1:]:
            self.xdo.click(x, first[0][0] + row * pitch + pitch // 2, modifier=modifier)
        return first[0][0], pitch

    def wait_for_selection(self, name, origin, pitch, rows):
        expected = [(origin + r * pitch, origin + (r + 1) * pitch - 1) for r in rows]

        def merged(bands):
            # Neighbouring selected rows show as one band.
            spans = []
            for first, last in expected:
                if spans and spans[-1][1] == first - 1:
                    spans[-1] = (spans[-1][0], last)
                else:
                    spans.append((first, last))
            return bands == spans

        wait_until(f"rows {rows} of {name} to be selected", lambda: merged(self.list_rows(name)), 10)

    def slot_centre(self, n):
        x, y, w, h = self.table.slot_rect(n)
        return self.x + x + w // 2, self.y + y + h // 2

    def wait_for_thumbnails(self, colours):
        def shown():
            screen = Screen(self.display)
            return all(close_to(screen.pixel(*self.slot_centre(n)), colour)
                       for n, colour in enumerate(colours, start=1))
        wait_until(f"{len(colours)} thumbnails in page-list order", shown, 15)

    def click_slot(self, n):
        self.xdo.click(*self.slot_centre(n))

    def close(self):
        close_like_window_manager(self.display, self.id)
        try:
            code = self.process.wait(10)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end within 10 s of WM_DELETE_WINDOW") from None
        expect_equal("the program's exit status", code, 0)

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def wait_for_file(path, timeout=10):
    wait_until(f"{path} to be written", lambda: os.path.exists(path), timeout)
    return read_bytes(path)


def crlf(lines):
    return "".join(line + "\r\n" for line in lines).encode("utf-8")


def first_run(args, x, env, home, pictures):
    window = Window(args, x.display, env, home, args.log)
    args.current = window
    expected_left = (x.width - WINDOW_SIZE[0]) // 2
    expected_top = (x.height - WINDOW_SIZE[1]) // 2
    if abs(window.x - expected_left) > 1 or abs(window.y - expected_top) > 1:
        raise Failure(f"window at {window.x},{window.y}, not centred near {expected_left},{expected_top}")

    # a beach, c dune and d forest: the first, third and fourth names.
    wait_until("the stored folder's files in the file list",
               lambda: Screen(x.display).ink_rows(*window.screen_rect("List1")), 10)
    origin, pitch = window.select_rows("List1", [0, 2, 3], "ctrl")
    window.wait_for_selection("List1", origin, pitch, [0, 2, 3])
    window.click_control("cmdAdd")
    window.click_control("cmdRefresh")
    colours = [FIRST_FOLDER[n] for n in ("a beach.jpg", "c dune.jpg", "d forest.jpg")]
    window.wait_for_thumbnails(colours)
    log(f"{time.monotonic() - args.started:.1f} s: thumbnails shown")

    # Each thumbnail click stores the box's text on the slot described
    # before it. A thumbnail takes no focus, so the box is clicked to type.
    for slot, text in DESCRIPTIONS:
        window.click_slot(slot)
        window.click_control("txtItemDesc")
        window.xdo.type(text)
    window.click_slot(3)
    log(f"{time.monotonic() - args.started:.1f} s: descriptions typed")

    window.click_control("txtName")
    window.xdo.type("  Trip ")
    window.click_control("txtDesc")
    window.xdo.type("Day one")
    window.xdo.key("Return")
    window.xdo.type("sunny")
    window.click_control("cmdBuild")

    page = wait_for_file(os.path.join(pictures, "Trip.html"))
    expect_equal("page of images", page, crlf([
        "<Title>Trip</Title>",
        "<Font Size=4>",
        "<Heading>Trip</Heading><BR><BR>",
        "</Font>",
        "<Font Size=3>",
        "Day one<BR>sunny<BR><BR>",
        "Red beach<BR><BR>",
        '<img src="a beach.jpg"><P><BR>',
        "Blue dune & <sea><BR><BR>",
        '<img src="c dune.jpg"><P><BR>',
        "Yellow for\u00eat<BR><BR>",
        '<img src="d forest.jpg"><P><BR>',
        "</Font>",
    ]))
    log("page of images written as typed")

    # The picture shows the trimmed name back in the name box. The pointer
    # leaves the window first, so that no tool tip covers anything.
    window.xdo.move(1, 1)
    time.sleep(0.3)
    screenshot_file(x.display, args.screenshot)
    log(f"screenshot: {args.screenshot}")

    # Open the only subfolder: select the folder box's first row, go to its
    # last (the subfolder), and press Return.
    left, top, width, _ = window.screen_rect("Dir1")
    window.xdo.click(left + width // 2, top + 4)
    window.xdo.key("End", "Return")

    def two_rows():
        # Ink in the second row of names and none in the third.
        bands = Screen(x.display).ink_rows(*window.screen_rect("List1"))
        return bands and origin + pitch <= bands[-1][1] < origin + 2 * pitch
    wait_until("the subfolder's two pictures in the file list", two_rows, 10)
    window.close()
    args.current = None


def second_run(args, x, env, home, subfolder):
    window = Window(args, x.display, env, home, args.log)
    args.current = window
    wait_until("the stored folder's files in the file list",
               lambda: Screen(x.display).ink_rows(*window.screen_rect("List1")), 10)
    origin, pitch = window.select_rows("List1", [0, 1], "shift")
    window.wait_for_selection("List1", origin, pitch, [0, 1])
    window.click_control("cmdAdd")
    window.click_control("cmdRefresh")
    window.wait_for_thumbnails([SECOND_FOLDER[n] for n in sorted(SECOND_FOLDER)])
    window.click_control("txtName")
    window.xdo.type("Second")
    window.click_control("cmdBuildLinks")

    page = wait_for_file(os.path.join(subfolder, "Second.html"))
    expect_equal("page of links", page, crlf([
        "<Title>Second</Title>",
        "<Font Size=4>",
        "<Heading>Second</Heading><BR><BR>",
        "</Font>",
        "<Font Size=3>",
        '<A HREF="e orange.jpg">e orange.jpg</A>&nbsp&nbsp ',
        "<BR><BR>",
        '<A HREF="f %232 purple.jpg">f #2 purple.jpg</A>&nbsp&nbsp ',
        "<BR><BR>",
        "</Font>",
    ]))
    log("second run opened in the stored subfolder and wrote its page of links")
    window.close()
    args.current = None


def centred_offset(screen_pixels, window_pixels):
    """The program's centring, in twips: the difference rounded to an
    integer, then halved toward zero."""
    difference = round(15 * screen_pixels - 15 * window_pixels)
    return int(difference / 2)


def window_manager(name, display, home):
    """The command that starts a window manager, and the moves of the shown
    window it allows: twm cannot tell its frame before the window is shown,
    so the window is centred once more when the frame is known; openbox
    answers _NET_REQUEST_FRAME_EXTENTS, so the window appears in its place."""
    if name == "twm":
        # Xvfb has no font files; "fixed" is built into the server.
        config = os.path.join(home, "twmrc")
        with open(config, "w") as f:
            f.write("".join(f'{kind}Font "fixed"\n' for kind in ("Title", "Resize", "Menu", "Icon", "IconManager")))
        return ["twm", "-display", display, "-f", config], 1
    return ["openbox", "--sm-disable"], 0


def framed_run(args, x, env, home, name):
    command, allowed_moves = window_manager(name, x.display, home)
    wm_log = os.path.join(home, name + ".log")
    with open(wm_log, "wb") as out:
        wm = subprocess.Popen(command, env=dict(env, DISPLAY=x.display), stdout=out, stderr=subprocess.STDOUT)
    try:
        time.sleep(1)  # the window manager must own the screen before the window maps
        if wm.poll() is not None:
            with open(wm_log, errors="replace") as f:
                raise Failure(f"{name} ended at once:\n" + f.read())
        moves = TopLevelMoves(x.display)
        window = Window(args, x.display, env, home, args.log)
        args.current = window

        def expected(frame):
            return (twips_to_pixels(centred_offset(x.width, frame[2])),
                    twips_to_pixels(centred_offset(x.height, frame[3])))

        def centred():
            frame = frame_geometry(x.display, window.id)
            return frame[3] > WINDOW_SIZE[1] and frame[:2] == expected(frame)
        try:
            wait_until(f"the window framed by {name} to be centred on its frame", centred, 10)
        except Failure:
            frame = frame_geometry(x.display, window.id)
            raise Failure(f"frame (x, y, width, height) {frame}: not at {expected(frame)}") from None
        log(f"under {name} the frame {frame_geometry(x.display, window.id)} is centred")
        time.sleep(0.5)  # a late move would come now
        mapped_at, moved = moves.moves(window.id)
        moves.close()
        log(f"the frame was mapped at {mapped_at} and moved {len(moved)} time(s) after: {moved}")
        if len(moved) > allowed_moves:
            raise Failure(f"the shown window moved {len(moved)} times under {name}: {moved}")
        window.close()
        args.current = None
    finally:
        wm.terminate()
        wm.wait(5)


# Pictures whose decode takes a while: progressive JPEGs of noise.
LARGE_SIZE = (6000, 4000)
LARGE_COUNT = 16
# The bound on the program's end after its window closed while decodes run.
# The program ends within half a second even on a busy machine; left to
# finish its decodes, it took over ten.
EXIT_BOUND_S = 2.0


def make_large_pictures(folder):
    """LARGE_COUNT names for one noisy picture: each name is a picture of its
    own to the program and to its thumbnail cache."""
    os.makedirs(folder, exist_ok=True)
    width, height = LARGE_SIZE
    raw = os.path.join(folder, "noise.rgb")
    with open(raw, "wb") as f:
        f.write(os.urandom(width * height * 3))
    first = os.path.join(folder, "p01.jpg")
    subprocess.run(["convert", "-size", f"{width}x{height}", "-depth", "8", f"rgb:{raw}", "-quality", "85",
                    "-interlace", "Plane", first], check=True, capture_output=True, timeout=120)
    os.remove(raw)
    for i in range(2, LARGE_COUNT + 1):
        os.link(first, os.path.join(folder, f"p{i:02}.jpg"))


def busy_exit_run(args, x, root):
    folder = os.path.join(root, "large")
    make_large_pictures(folder)
    log(f"{time.monotonic() - args.started:.1f} s: {LARGE_COUNT} large pictures made")
    # A cache and settings of its own: nothing decoded before helps here.
    dirs = private_dirs(os.path.join(root, "busy"))
    env = dict(args.env, **dirs)
    window = Window(args, x.display, env, dirs["HOME"], args.log, [folder])
    args.current = window
    wait_until("the large pictures in the file list", lambda: Screen(x.display).ink_rows(*window.screen_rect("List1")), 10)
    centre = window.at(window.table.centre("imgView2"))
    empty = Screen(x.display).pixel(*centre)

    # A click on the first name and five presses of Down, 20 ms apart.
    window.select_rows("List1", [0], None)
    window.xdo.key(*["Down"] * 5)
    picked = time.monotonic()
    wait_until("the picked picture in the preview", lambda: not close_to(Screen(x.display).pixel(*centre), empty), 90)
    log(f"picked picture shown {time.monotonic() - picked:.1f} s after the last of six picks")

    # Ten more previews by key, the last four names selected, moved to the
    # page list by Enter, and "Refresh": previews and thumbnails of pictures
    # not decoded yet.
    window.xdo.key(*["Down"] * 7, *["shift+Down"] * 3, "Return")
    window.click_control("cmdRefresh")
    time.sleep(0.5)
    closed = time.monotonic()
    close_like_window_manager(x.display, window.id)
    try:
        code = window.process.wait(60)
    except subprocess.TimeoutExpired:
        raise Failure("the program did not end within 60 s of WM_DELETE_WINDOW") from None
    ended = time.monotonic() - closed
    log(f"program ended {ended:.2f} s after its window was closed with decodes running")
    expect_equal("the program's exit status", code, 0)
    if ended > EXIT_BOUND_S:
        raise Failure(f"the program ended {ended:.2f} s after its window closed, not within {EXIT_BOUND_S:g} s")
    args.current = None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--output", required=True)
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    args.output = os.path.abspath(args.output)
    require_tools({"Xvfb": "xvfb", "xdotool": "xdotool", "import": "imagemagick", "convert": "imagemagick",
                   "twm": "twm", "openbox": "openbox"})
    if not os.access(args.program, os.X_OK):
        raise Failure(f"the program {args.program} is not built")
    args.table = ControlTable(os.path.join(args.source, "src", "app", "controltable.cpp"))
    args.screenshot = os.path.join(args.output, "e2e-road.png")
    args.current = None
    args.started = started = time.monotonic()

    with tempfile.TemporaryDirectory(prefix="kelvane-e2e-road-") as root, XServer() as x:
        # The folder box shows real paths; so must the expected pages and
        # settings, also when the temporary folder lies behind a link.
        root = os.path.realpath(root)
        dirs = private_dirs(root)
        pictures = os.path.join(root, "pictures")
        subfolder = os.path.join(pictures, SUBFOLDER)
        make_pictures(pictures, FIRST_FOLDER)
        make_pictures(subfolder, SECOND_FOLDER)
        # Not a picture and not "*.jpg": the file list must leave it out.
        with open(os.path.join(pictures, "notes.txt"), "w") as f:
            f.write("not a picture\n")

        ini = os.path.join(dirs["XDG_CONFIG_HOME"], "Kelvane.INI")
        kept_before = b"; written by hand\r\n[Defaults]\r\n"
        kept_after = b"Other=1\r\n\r\n[Elsewhere]\r\nFilesDir=/nowhere/\r\n"
        with open(ini, "wb") as f:
            f.write(kept_before + b"FilesDir=" + pictures.encode() + b"/\r\n" + kept_after)

        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "XDG_", "WAYLAND", "DBUS_SESSION")) and k != "SESSION_MANAGER"}
        env.update(dirs, DISPLAY=x.display, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8", LC_ALL="C.UTF-8")
        args.log = os.path.join(root, "program.log")
        args.env = env
        bind_characters(x.display, "".join(text for _, text in DESCRIPTIONS))
        try:
            first_run(args, x, env, dirs["HOME"], pictures)
            expect_equal("settings file after the first run", read_bytes(ini),
                         kept_before + b"FilesDir=" + subfolder.encode() + b"/\r\n" + kept_after)
            log("settings file names the subfolder; its other lines are unchanged")
            second_run(args, x, env, dirs["HOME"], subfolder)
            expect_equal("settings file after the second run", read_bytes(ini),
                         kept_before + b"FilesDir=" + subfolder.encode() + b"/\r\n" + kept_after)
            for name in ("twm", "openbox"):
                framed_run(args, x, env, dirs["HOME"], name)
            busy_exit_run(args, x, root)
        except BaseException:
            report_failure(x.display, os.path.join(args.output, "e2e-road-failure.png"), args.log)
            raise
        finally:
            if args.current:
                args.current.kill()
    log(f"road walked in {time.monotonic() - started:.1f} s")


if __name__ == "__main__":
    run_main(main)
