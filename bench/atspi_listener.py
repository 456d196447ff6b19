#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A screen reader's share of board_refresh's accessible case: listens to
every object, window and focus event, as a screen reader does, so that the
program's accessibility bridge sends them all, and answers commands read
from its standard input, one a line:

  ready   prints "ready" (the listeners are registered by then)
  counts  prints "events=N" and the count of each event type since the last
          counts, most frequent first
  walk    finds the board ("Thumbnails") in the application named by its
          argument and reads each child's name, role, state and index, as a
          flat review does; prints "walked children=N seconds=S"

It ends at the end of its input."""

import collections
import sys
import time

import gi
gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402

APPLICATION = sys.argv[1] if len(sys.argv) > 1 else "board_refresh"
counts = collections.Counter()


def on_event(event):
    counts[event.type] += 1


def board():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == APPLICATION:
            return pyatspi.findDescendant(app, lambda node: node is not None and node.name == "Thumbnails")
    return None


def walk():
    start = time.monotonic()
    frame = board()
    children = 0
    if frame is not None:
        for child in frame:
            child.name
            child.getRole()
            child.getState()
            child.getIndexInParent()
            children += 1
    return children, time.monotonic() - start


def command(source, condition):
    line = sys.stdin.readline()
    if not line:
        pyatspi.Registry.stop()
        return False
    what = line.strip()
    if what == "ready":
        print("ready", flush=True)
    elif what == "counts":
        total = sum(counts.values())
        kinds = " ".join(f"{kind}={n}" for kind, n in counts.most_common())
        print(f"events={total} {kinds}", flush=True)
        counts.clear()
    elif what == "walk":
        children, seconds = walk()
        print(f"walked children={children} seconds={seconds:.3f}", flush=True)
    return True


pyatspi.Registry.registerEventListener(on_event, "object:", "window:", "focus:")
GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, command)
pyatspi.Registry.start()
