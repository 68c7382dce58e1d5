#!/usr/bin/python3
"""A paste handled late, for the clipboard tests (clipboard_run.sh).

    late_paster.py GO_FILE

It prints "watching" once it knows the CLIPBOARD's owner, and waits until
the CLIPBOARD has an owner other than the one it finds at
start (the replacement's text going on the clipboard), takes the server's
time at that moment, as a key pressed then would carry it, and prints
"stamped". Once GO_FILE exists (the replacement is over and the user's
content is back) it asks the owner for UTF8_STRING with that time and
prints "late TEXT", or "late refused"; then asks again with the current
time and prints "now TEXT" or "now refused". Every wait is bounded (20 s).
"""
import os
import sys
import time

from Xlib import X, Xatom, display


def main():
    go = sys.argv[1]
    d = display.Display()
    clipboard = d.intern_atom("CLIPBOARD")
    utf8 = d.intern_atom("UTF8_STRING")
    into = d.intern_atom("AXTRACK_LATE")
    w = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent, event_mask=X.PropertyChangeMask)

    def server_time():
        w.change_property(d.intern_atom("AXTRACK_STAMP"), Xatom.STRING, 8, b"")
        while True:
            e = d.next_event()
            if e.type == X.PropertyNotify:
                return e.time

    def until(condition, step=0.005):
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            if condition():
                return True
            time.sleep(step)
        return False

    first = d.get_selection_owner(clipboard)
    print("watching", flush=True)
    if not until(lambda: d.get_selection_owner(clipboard) not in (first, 0)):
        sys.exit("the clipboard never changed owner")
    stamp = server_time()
    print("stamped", flush=True)
    if not until(lambda: os.path.exists(go), 0.05):
        sys.exit("never told to paste")

    def ask(at):
        w.convert_selection(clipboard, utf8, into, at)
        d.flush()
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            while d.pending_events():
                e = d.next_event()
                if e.type == X.SelectionNotify:
                    if e.property == X.NONE:
                        return "refused"
                    got = w.get_full_property(into, X.AnyPropertyType)
                    return got.value.decode() if got else "refused"
            time.sleep(0.01)
        return "unanswered"

    print("late " + ask(stamp), flush=True)
    print("now " + ask(X.CurrentTime), flush=True)


main()
