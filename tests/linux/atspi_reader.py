#!/usr/bin/python3
"""An AT-SPI client of its own, independent of the library, that tells the
tests what the accessibility bus itself reports.

  atspi_reader.py wait-app NAME SECONDS   exits 0 once an application NAME is on the bus
  atspi_reader.py extents NAME WORD       prints "x y width height": the screen extents
                                          of the first WORD in NAME's multi-line text, or
                                          "none" when the application gives none (exit 3)
  atspi_reader.py window-extents NAME WORD prints "x y width height": the box of the first and
                                          the last character of the first WORD, relative to
                                          their window (for toolkits that give no range
                                          extents on the screen)
  atspi_reader.py char-extents NAME OFFSET prints "x y width height": the screen extents of
                                          the character at OFFSET of NAME's multi-line text
  atspi_reader.py text NAME               prints the text of NAME's multi-line text
  atspi_reader.py focus NAME              gives NAME's multi-line text the focus
  atspi_reader.py caret NAME OFFSET       takes its selection away and puts the caret at OFFSET
  atspi_reader.py editable NAME           exits 0 when NAME's multi-line text offers EditableText
  atspi_reader.py active NAME             exits 0 when a window of NAME is the active one, as
                                          its toolkit says (the compositor told it so)
  atspi_reader.py select NAME WORD        selects the first WORD in NAME's multi-line text; a
                                          request that gets no answer counts as made (GTK 4.8)

NAME/editable in place of NAME names the application's rich-text editor (an
editable section or document, as a page's contenteditable element is) in
place of its multi-line text.
  atspi_reader.py expect NAME SECONDS [text=T] [caret=N] [selection=S:E|none] [selected] [focused]
                                          exits 0 once NAME's multi-line text is in that
                                          state (offsets in characters, as AT-SPI counts;
                                          "selected": some of it is; "focused": it, or
                                          what holds it, has the focus), asked again
                                          until SECONDS have passed; else prints what it
                                          saw last (exit 1)
  atspi_reader.py insert NAME OFFSET TEXT inserts TEXT at OFFSET through EditableText
  atspi_reader.py delete NAME START END   deletes the characters START..END the same way
  atspi_reader.py listen NAME SECONDS     prints "listening", then for SECONDS one line per
                                          focus, caret, selection or window activation
                                          ("activate") event of NAME:
                                          "TIME KIND ROLE [OFFSET]" (TIME in seconds since
                                          the epoch, as the test host stamps its events)

What this client reads is the tests' own view of the application, which
tells a precondition the keys or the window manager didn't meet from a
fault of the library's.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402


def application(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        # An application that quits while the list is walked (a launcher's
        # helper process, say) raises here; it isn't the one sought.
        try:
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name:
                return app
        except GLib.GError:
            continue
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


EDITOR_ROLES = (Atspi.Role.SECTION, Atspi.Role.DOCUMENT_WEB, Atspi.Role.DOCUMENT_EMAIL)


def editor(node, depth=0):
    """The first editable section or document under node: a rich-text editor."""
    if node is None or depth > 40:
        return None
    try:
        if node.get_role() in EDITOR_ROLES and node.get_state_set().contains(Atspi.StateType.EDITABLE):
            return node
        count = node.get_child_count()
    except Exception:
        return None
    for i in range(count):
        found = editor(node.get_child_at_index(i), depth + 1)
        if found is not None:
            return found
    return None


def text_object(name):
    wanted_editor = name.endswith("/editable")
    if wanted_editor:
        name = name[: -len("/editable")]
    app = application(name)
    if app is None:
        sys.exit("reader: no application %s on the bus" % name)
    text = editor(app) if wanted_editor else multi_line_text(app)
    if text is None:
        sys.exit("reader: %s has no %s" % (name, "rich-text editor" if wanted_editor else "multi-line text"))
    return text


def text_state(name):
    """The multi-line text's state: text, caret, selection (or None), focused."""
    text = text_object(name)
    content = Atspi.Text.get_text(text, 0, -1)
    caret = Atspi.Text.get_caret_offset(text)
    selection = None
    if Atspi.Text.get_n_selections(text) > 0:
        r = Atspi.Text.get_selection(text, 0)
        if r.end_offset != r.start_offset:
            selection = (r.start_offset, r.end_offset)
    focused = False
    node, depth = text, 0
    while node is not None and depth < 30:
        try:
            if node.get_state_set().contains(Atspi.StateType.FOCUSED):
                focused = True
                break
            if node.get_role() in (Atspi.Role.FRAME, Atspi.Role.APPLICATION):
                break
            node = node.get_parent()
        except Exception:
            break
        depth += 1
    return content, caret, selection, focused


def describe(state):
    content, caret, selection, focused = state
    return "text %r, caret %d, selection %s, %s" % (
        content, caret, "%d:%d" % selection if selection else "none",
        "focused" if focused else "not focused")


def expect(name, seconds, wants):
    deadline = time.monotonic() + seconds
    seen = "nothing"
    while True:
        try:
            state = text_state(name)
            content, caret, selection, focused = state
            ok = True
            for want in wants:
                key, _, value = want.partition("=")
                if key == "text":
                    ok = ok and content == value
                elif key == "caret":
                    ok = ok and caret == int(value)
                elif key == "selection":
                    if value == "none":
                        ok = ok and selection is None
                    else:
                        start, _, end = value.partition(":")
                        ok = ok and selection == (int(start), int(end))
                elif key == "selected":
                    ok = ok and selection is not None
                elif key == "focused":
                    ok = ok and focused
                else:
                    sys.exit("reader: can't expect %r" % want)
            seen = describe(state)
            if ok:
                return 0
        except SystemExit as e:
            if isinstance(e.code, str) and e.code.startswith("reader: can't"):
                raise
            seen = str(e.code)
        except GLib.GError as e:
            seen = "error: %s" % e.message
        if time.monotonic() >= deadline:
            print(seen)
            return 1
        time.sleep(0.1)


def listen(name, seconds):
    kinds = {
        "object:state-changed:focused": "focus",
        "object:text-caret-moved": "caret",
        "object:text-selection-changed": "selection",
        "window:activate": "activate",
    }

    def heard(event):
        try:
            app = event.source.get_application()
            if app is None or app.get_name() != name:
                return
            kind = kinds.get(event.type)
            if kind is None:
                return
            if kind == "focus" and event.detail1 != 1:
                return
            role = event.source.get_role_name().replace(" ", "-")
            extra = " %d" % event.detail1 if kind == "caret" else ""
            print("%.6f %s %s%s" % (time.time(), kind, role, extra), flush=True)
        except Exception:
            pass

    listener = Atspi.EventListener.new(heard)
    for kind in kinds:
        listener.register(kind)
    print("listening", flush=True)
    GLib.timeout_add(int(seconds * 1000), lambda: (Atspi.event_quit(), False)[1])
    Atspi.event_main()
    return 0


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
    if len(argv) == 3 and argv[0] == "window-extents":
        text = text_object(argv[1])
        start = Atspi.Text.get_text(text, 0, -1).find(argv[2])
        if start < 0 or not argv[2]:
            sys.exit("reader: %r is not in the text" % argv[2])
        boxes = [Atspi.Text.get_character_extents(text, offset, Atspi.CoordType.WINDOW)
                 for offset in (start, start + len(argv[2]) - 1)]
        left = min(b.x for b in boxes)
        top = min(b.y for b in boxes)
        right = max(b.x + b.width for b in boxes)
        bottom = max(b.y + b.height for b in boxes)
        print(left, top, right - left, bottom - top)
        return 0
    if len(argv) == 3 and argv[0] == "char-extents":
        rect = Atspi.Text.get_character_extents(text_object(argv[1]), int(argv[2]), Atspi.CoordType.SCREEN)
        print(rect.x, rect.y, rect.width, rect.height)
        return 0
    if len(argv) >= 3 and argv[0] == "expect":
        return expect(argv[1], float(argv[2]), argv[3:])
    if len(argv) == 4 and argv[0] == "insert":
        text = text_object(argv[1])
        data = argv[3]
        if not Atspi.EditableText.insert_text(text, int(argv[2]), data, len(data.encode("utf-8"))):
            sys.exit("reader: %s refused the insertion" % argv[1])
        return 0
    if len(argv) == 4 and argv[0] == "delete":
        if not Atspi.EditableText.delete_text(text_object(argv[1]), int(argv[2]), int(argv[3])):
            sys.exit("reader: %s refused the deletion" % argv[1])
        return 0
    if len(argv) >= 3 and argv[0] == "listen":
        return listen(argv[1], float(argv[2]))
    if len(argv) == 2 and argv[0] == "focus":
        if not Atspi.Component.grab_focus(text_object(argv[1])):
            sys.exit("reader: %s refused the focus" % argv[1])
        return 0
    if len(argv) == 2 and argv[0] == "active":
        app = application(argv[1])
        if app is None:
            return 1
        for i in range(app.get_child_count()):
            window = app.get_child_at_index(i)
            if window is not None and window.get_state_set().contains(Atspi.StateType.ACTIVE):
                return 0
        return 1
    if len(argv) == 3 and argv[0] == "select":
        text = text_object(argv[1])
        start = Atspi.Text.get_text(text, 0, -1).find(argv[2])
        if start < 0:
            sys.exit("reader: %r is not in the text" % argv[2])
        end = start + len(argv[2])
        Atspi.set_timeout(2000, 2000)
        try:
            if Atspi.Text.get_n_selections(text) > 0:
                done = Atspi.Text.set_selection(text, 0, start, end)
            else:
                done = Atspi.Text.add_selection(text, start, end)
        except GLib.Error:
            done = True
        return 0 if done else 1
    if len(argv) == 2 and argv[0] == "editable":
        return 0 if text_object(argv[1]).get_editable_text_iface() is not None else 1
    if len(argv) == 3 and argv[0] == "caret":
        text = text_object(argv[1])
        for i in reversed(range(Atspi.Text.get_n_selections(text))):
            Atspi.Text.remove_selection(text, i)
        if not Atspi.Text.set_caret_offset(text, int(argv[2])):
            sys.exit("reader: %s refused the caret" % argv[1])
        return 0
    if len(argv) >= 2 and argv[0] == "text":
        print(Atspi.Text.get_text(text_object(argv[1]), 0, -1))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
