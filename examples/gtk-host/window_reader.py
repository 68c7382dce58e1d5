#!/usr/bin/python3
"""Reads the GTK host's window back over the accessibility bus, as an
assistive tool would: the host names its widgets with accessible ids.

  window_reader.py show APP ID               prints what the widget shows: a label's
                                             text, a field's text, a list's rows one a line
  window_reader.py wait APP ID TEXT SECONDS  exits 0 once the widget shows TEXT (a part
                                             of it); else prints what it shows, exits 1
  window_reader.py center APP ID             prints "x y", the widget's middle on screen
  window_reader.py screenshot X Y W H FILE   saves that part of the screen as PNG
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


def find(node, accessible_id, depth=0):
    if node is None or depth > 30:
        return None
    if node.get_accessible_id() == accessible_id:
        return node
    for i in range(node.get_child_count()):
        found = find(node.get_child_at_index(i), accessible_id, depth + 1)
        if found is not None:
            return found
    return None


def rows(node, depth=0):
    """The texts of the labels under node, in order."""
    if node is None or depth > 30:
        return []
    if node.get_role() == Atspi.Role.LABEL:
        return [node.get_name()]
    found = []
    for i in range(node.get_child_count()):
        found += rows(node.get_child_at_index(i), depth + 1)
    return found


def shown(app_name, accessible_id):
    """What the widget shows, or None while the application or the widget
    isn't there (yet)."""
    try:
        widget = find(application(app_name), accessible_id)
        if widget is None:
            return None
        role = widget.get_role()
        if role == Atspi.Role.LABEL:
            return widget.get_name()
        if role == Atspi.Role.TEXT:
            return Atspi.Text.get_text(widget, 0, -1)
        return "\n".join(rows(widget))
    except GLib.GError:
        # An object that went away while it was read: read again.
        return None


def widget_or_exit(app_name, accessible_id):
    widget = find(application(app_name), accessible_id)
    if widget is None:
        sys.exit("reader: no widget %s in %s" % (accessible_id, app_name))
    return widget


def screenshot(x, y, width, height, path):
    gi.require_version("Gdk", "3.0")
    from gi.repository import Gdk  # noqa: E402

    Gdk.init([])
    pixbuf = Gdk.pixbuf_get_from_window(Gdk.get_default_root_window(), x, y, width, height)
    if pixbuf is None:
        sys.exit("reader: the screen could not be read")
    pixbuf.savev(path, "png", ["compression"], ["9"])


def main(argv):
    if len(argv) == 3 and argv[0] == "show":
        text = shown(argv[1], argv[2])
        if text is None:
            sys.exit("reader: no widget %s in %s" % (argv[2], argv[1]))
        print(text)
        return 0
    if len(argv) == 5 and argv[0] == "wait":
        deadline = time.monotonic() + float(argv[4])
        while True:
            text = shown(argv[1], argv[2])
            if text is not None and argv[3] in text:
                return 0
            if time.monotonic() >= deadline:
                print("%s shows: %r" % (argv[2], text))
                return 1
            time.sleep(0.1)
    if len(argv) == 3 and argv[0] == "center":
        rect = Atspi.Component.get_extents(widget_or_exit(argv[1], argv[2]), Atspi.CoordType.SCREEN)
        print(rect.x + rect.width // 2, rect.y + rect.height // 2)
        return 0
    if len(argv) == 6 and argv[0] == "screenshot":
        screenshot(*(int(v) for v in argv[1:5]), argv[5])
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
