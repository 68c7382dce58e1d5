#!/usr/bin/python3
"""An AT-SPI client of its own, independent of the library, that tells the
tests what the accessibility bus itself reports.

  atspi_reader.py wait-app NAME SECONDS   exits 0 once an application NAME is on the bus
  atspi_reader.py extents NAME WORD       prints "x y width height": the screen extents
                                          of the first WORD in NAME's multi-line text, or
                                          "none" when the application gives none (exit 3)
  atspi_reader.py text NAME               prints the text of NAME's multi-line text
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402


def application(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == name:
            return app
    return None


def multi_line_text(node, depth=0):
    """The first editable multi-line text object under node."""
    if node is None or depth > 30:
        return None
    try:
        states = node.get_state_set()
        # Browsers give a text area the role of an entry that holds lines;
        # a word processor's document holds a text object per paragraph.
        if (node.get_role() in (Atspi.Role.TEXT, Atspi.Role.ENTRY, Atspi.Role.PARAGRAPH)
                and states.contains(Atspi.StateType.MULTI_LINE)
                and states.contains(Atspi.StateType.EDITABLE)):
            return node
        count = node.get_child_count()
    except Exception:
        return None
    for i in range(count):
        found = multi_line_text(node.get_child_at_index(i), depth + 1)
        if found is not None:
            return found
    return None


def text_object(name):
    app = application(name)
    if app is None:
        sys.exit("reader: no application %s on the bus" % name)
    text = multi_line_text(app)
    if text is None:
        sys.exit("reader: %s has no multi-line text" % name)
    return text


def main(argv):
    if len(argv) >= 3 and argv[0] == "wait-app":
        deadline = time.monotonic() + float(argv[2])
        while time.monotonic() < deadline:
            if application(argv[1]) is not None:
                return 0
            time.sleep(0.1)
        return 1
    if len(argv) >= 3 and argv[0] == "extents":
        text = text_object(argv[1])
        content = Atspi.Text.get_text(text, 0, -1)
        start = content.find(argv[2])
        if start < 0:
            sys.exit("reader: %r is not in the text %r" % (argv[2], content))
        # Character offsets: the text is what AT-SPI counts in.
        try:
            rect = Atspi.Text.get_range_extents(text, start, start + len(argv[2]), Atspi.CoordType.SCREEN)
        except GLib.GError:
            # Toolkits that don't implement range extents (GTK 4.8) answer
            # with an error.
            print("none")
            return 3
        print(rect.x, rect.y, rect.width, rect.height)
        return 0
    if len(argv) >= 2 and argv[0] == "text":
        print(Atspi.Text.get_text(text_object(argv[1]), 0, -1))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
