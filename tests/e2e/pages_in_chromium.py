#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Both kinds of page, written by the page writer from pictures with awkward
names (a space, '#', '%', '&', '<', an accented letter, another script) and
non-ASCII text, rendered in headless Chromium. Chromium is driven through
its DevTools protocol over a pipe: every picture must load, every link must
lead to its file and show its file name, no name may add an element, and the
title, heading and descriptions must read as typed. A screenshot of the page of images is kept in the build folder.

Usage: pages_in_chromium.py --builder <e2e_pagebuilder> --output <build folder>
"""

import argparse
import base64
import fcntl
import json
import os
import pathlib
import select
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2esupport import Failure, expect_equal, log, private_dirs, require_tools, run_main  # noqa: E402

# File name, picture colour, description (CR LF as the window's box gives it).
PICTURES = [
    ("100% sure.jpg", "rgb(200,40,40)", "Ganz sicher: 100%"),
    ("caf\u00e9.jpg", "rgb(40,160,60)", "Ein Caf\u00e9 am Markt"),
    ("my pic.jpg", "rgb(40,70,200)", "Zwei\r\nZeilen"),
    ("no #1.jpg", "rgb(220,200,30)", "Nummer #1"),
    ("salt & pepper.jpg", "rgb(120,60,160)", ""),
    ("\u6771\u4eac.jpg", "rgb(230,120,20)", "\u6771\u4eac\u30bf\u30ef\u30fc \u2013 Tokyo Tower"),
    # Names that a browser reads as another name, a missing file or a scheme
    # unless their URL is encoded, each beside the picture it would reach.
    (" x.jpg", "rgb(90,90,90)", ""),
    ("x.jpg", "rgb(100,100,100)", ""),
    ("a\tb.jpg", "rgb(110,110,110)", ""),
    ("ab.jpg", "rgb(120,120,120)", ""),
    ("new\nline.jpg", "rgb(130,130,130)", ""),
    ("newline.jpg", "rgb(140,140,140)", ""),
    ("r\rr.jpg", "rgb(150,150,150)", ""),
    ("rr.jpg", "rgb(160,160,160)", ""),
    ("a&amp.jpg", "rgb(170,170,170)", ""),
    ("a&.jpg", "rgb(180,180,180)", ""),
    ("c\\d.jpg", "rgb(190,190,190)", ""),
    ("img:1.jpg", "rgb(200,200,200)", ""),
    ("javascript:alert(1),x.jpg", "rgb(210,210,210)", ""),
    # Names that would be markup in the link text: a tag that never closes,
    # and one that runs script.
    ("a<b.jpg", "rgb(220,220,220)", ""),
    ("<img src=x onerror=alert(1)>.jpg", "rgb(230,230,230)", ""),
]
PAGE_DESCRIPTION = "Erster Tag: Gr\u00fc\u00dfe\r\naus \u6771\u4eac"
IMAGES_PAGE = "Reise nach \u6771\u4eac \u2013 Caf\u00e9"
LINKS_PAGE = "Verweise \u6771\u4eac"

PROBE = r"""(() => ({
    charset: document.characterSet,
    title: document.title,
    heading: (document.querySelector('heading') || {textContent: null}).textContent,
    text: document.body ? document.body.innerText : '',
    images: [...document.images].map(i => ({src: i.currentSrc || i.src, complete: i.complete,
                                            width: i.naturalWidth, height: i.naturalHeight})),
    links: [...document.links].map(a => ({href: a.href, text: a.textContent})),
    tags: [...new Set([...document.querySelectorAll('*')].map(e => e.tagName))].sort(),
}))()"""


class DevTools:
    """Chromium with its DevTools protocol on fds 3 (in) and 4 (out);
    messages are JSON, each ended by a NUL byte."""

    def __init__(self, binary, profile, env, log_file):
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()
        # Above 4, so that placing them at 3 and 4 cannot close one another;
        # bash, unlike dash, takes fd numbers of two digits.
        to_browser_r, from_browser_w = (self._above(fd, 10) for fd in (to_browser_r, from_browser_w))
        flags = ["--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--disable-dev-shm-usage", "--remote-debugging-pipe", "--window-size=1024,768",
                 f"--user-data-dir={profile}", "about:blank"]
        shell = f'exec "$0" "$@" 3<&{to_browser_r} 4>&{from_browser_w} {to_browser_r}<&- {from_browser_w}>&-'
        self.process = subprocess.Popen(["bash", "-c", shell, binary, *flags],
                                        pass_fds=(to_browser_r, from_browser_w), env=env,
                                        stdout=log_file, stderr=subprocess.STDOUT)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self.buffer = b""
        self.events = []
        self.next_id = 0

    @staticmethod
    def _above(fd, lowest):
        high = fcntl.fcntl(fd, fcntl.F_DUPFD_CLOEXEC, lowest)
        os.close(fd)
        return high

    def send(self, method, params=None, session=None, timeout=20):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        reply = self._wait(lambda m: m.get("id") == self.next_id, f"the reply to {method}", timeout)
        if "error" in reply:
            raise Failure(f"{method} failed: {reply['error']}")
        return reply.get("result", {})

    def wait_event(self, method, session, timeout=20):
        for event in self.events:
            if event.get("method") == method and event.get("sessionId") == session:
                self.events.remove(event)
                return event
        return self._wait(lambda m: m.get("method") == method and m.get("sessionId") == session,
                          f"the event {method}", timeout, keep=False)

    def _wait(self, wanted, what, timeout, keep=True):
        deadline = time.monotonic() + timeout
        while True:
            while b"\0" in self.buffer:
                raw, self.buffer = self.buffer.split(b"\0", 1)
                message = json.loads(raw)
                if wanted(message):
                    return message
                if keep and "method" in message:
                    self.events.append(message)
            left = deadline - time.monotonic()
            if left <= 0:
                raise Failure(f"Chromium gave no {what} within {timeout} s")
            ready, _, _ = select.select([self.from_browser], [], [], left)
            if ready:
                chunk = os.read(self.from_browser, 1 << 16)
                if not chunk:
                    raise Failure(f"Chromium ended while waiting for {what}")
                self.buffer += chunk

    def close(self):
        if self.process.poll() is None:
            try:
                os.write(self.to_browser, json.dumps({"id": 0, "method": "Browser.close"}).encode() + b"\0")
                self.process.wait(10)
            except (OSError, subprocess.TimeoutExpired):
                self.process.kill()
                self.process.wait()
        os.close(self.to_browser)
        os.close(self.from_browser)


def picture_width(index):
    """Every picture is as wide as no other, so a width tells which file loaded."""
    return 120 + 10 * index


def make_pictures(folder):
    for index, (name, colour, _) in enumerate(PICTURES):
        # convert reads "img:" and the like as a format, so it writes a plain name first.
        plain = os.path.join(folder, "made.jpg")
        subprocess.run(["convert", "-size", f"{picture_width(index)}x150", f"xc:{colour}", plain],
                       check=True, capture_output=True, timeout=30)
        os.rename(plain, os.path.join(folder, name))


def shown_text(name):
    """A file name as the browser shows it in a link's text: CR read as LF."""
    return name.replace("\r\n", "\n").replace("\r", "\n")


def build_page(builder, folder, name, kind, work):
    page_case = {
        "folder": folder,
        "pageName": name,
        "pageDescription": PAGE_DESCRIPTION,
        "pageList": [p[0] for p in PICTURES],
        "slotDescriptions": [p[2] for p in PICTURES],
        "kind": kind,
    }
    case_file = os.path.join(work, kind + ".json")
    with open(case_file, "w", encoding="utf-8") as f:
        json.dump(page_case, f, ensure_ascii=False)
    result = subprocess.run([builder, case_file], capture_output=True, timeout=30,
                            env=dict(os.environ, QT_QPA_PLATFORM="offscreen", LANG="C.UTF-8", LC_ALL="C.UTF-8"))
    if result.returncode != 0:
        raise Failure(f"the page writer failed: {result.stderr.decode(errors='replace')}")
    path = result.stdout.decode().strip()
    expect_equal("page path", path, os.path.join(folder, name + ".html"))
    return path


def local_path(url):
    parts = urllib.parse.urlsplit(url)
    if parts.scheme != "file":
        raise Failure(f"{url} is not a file URL")
    return urllib.parse.unquote(parts.path)


def render(browser, session, path):
    browser.send("Page.navigate", {"url": pathlib.Path(path).as_uri()}, session)
    browser.wait_event("Page.loadEventFired", session)
    result = browser.send("Runtime.evaluate", {"expression": PROBE, "returnByValue": True}, session)
    if "exceptionDetails" in result:
        raise Failure(f"the probe script failed: {result['exceptionDetails']}")
    return result["result"]["value"]


def check_text(kind, page, name):
    expect_equal(f"{kind}: title", page["title"], name)
    expect_equal(f"{kind}: heading", page["heading"], name)
    expected = [PAGE_DESCRIPTION] + [p[2] for p in PICTURES if p[2]]
    for text in expected:
        if text.replace("\r\n", "\n") not in page["text"]:
            raise Failure(f"{kind}: {text!r} is not shown; the page reads:\n{page['text']}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--builder", required=True)
    parser.add_argument("--output", required=True)
    args = parser.parse_args()
    require_tools({"chromium": "chromium", "convert": "imagemagick"})
    if not os.access(args.builder, os.X_OK):
        raise Failure(f"the page builder {args.builder} is not built")
    started = time.monotonic()

    with tempfile.TemporaryDirectory(prefix="kelvane-e2e-pages-") as root:
        root = os.path.realpath(root)
        dirs = private_dirs(root)
        folder = os.path.join(root, "Bilder \u6771\u4eac #1")
        os.makedirs(folder)
        make_pictures(folder)
        images_page = build_page(args.builder, folder, IMAGES_PAGE, "images", root)
        links_page = build_page(args.builder, folder, LINKS_PAGE, "links", root)
        names = [p[0] for p in PICTURES]

        log_path = os.path.join(root, "chromium.log")
        with open(log_path, "wb") as chromium_log:
            env = dict(os.environ, **dirs)
            browser = DevTools(shutil.which("chromium"), os.path.join(root, "profile"), env, chromium_log)
        try:
            target = browser.send("Target.createTarget", {"url": "about:blank"})["targetId"]
            session = browser.send("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
            browser.send("Page.enable", {}, session)
            browser.send("Emulation.setDeviceMetricsOverride",
                         {"width": 1024, "height": 768, "deviceScaleFactor": 1, "mobile": False}, session)

            page = render(browser, session, images_page)
            check_text("page of images", page, IMAGES_PAGE)
            expect_equal("page of images: pictures, in page order",
                         [local_path(i["src"]) for i in page["images"]], [os.path.join(folder, n) for n in names])
            for index, (image, name) in enumerate(zip(page["images"], names)):
                if not image["complete"] or image["width"] != picture_width(index):
                    raise Failure(f"page of images: {name!r} did not load as its own file: {image}")
            shot = browser.send("Page.captureScreenshot", {"format": "png"}, session)
            screenshot = os.path.join(os.path.abspath(args.output), "e2e-page.png")
            with open(screenshot, "wb") as f:
                f.write(base64.b64decode(shot["data"]))
            log(f"page of images ({page['charset']}): {len(names)} pictures loaded, text as typed; "
                f"screenshot: {screenshot}")

            page = render(browser, session, links_page)
            check_text("page of links", page, LINKS_PAGE)
            expect_equal("page of links: link texts", [a["text"] for a in page["links"]],
                         [shown_text(n) for n in names])
            # A name that became markup would add an element or swallow a link.
            expect_equal("page of links: elements", page["tags"], ["A", "BODY", "BR", "FONT", "HEAD", "HEADING",
                                                                    "HTML", "TITLE"])
            targets = [local_path(a["href"]) for a in page["links"]]
            expect_equal("page of links: link targets", targets, [os.path.join(folder, n) for n in names])
            for target_path in targets:
                if not os.path.isfile(target_path):
                    raise Failure(f"page of links: {target_path} does not exist")
            log(f"page of links: {len(names)} links lead to their files, text as typed")
        except BaseException:
            with open(log_path, errors="replace") as f:
                print("Chromium output:\n" + f.read()[-4000:], file=sys.stderr)
            raise
        finally:
            browser.close()
    log(f"pages checked in {time.monotonic() - started:.1f} s")


if __name__ == "__main__":
    run_main(main)
