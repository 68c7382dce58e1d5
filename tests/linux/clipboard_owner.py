#!/usr/bin/python3
"""A clipboard owner that behaves as badly as some applications do, for the
clipboard tests (clipboard_run.sh).

    clipboard_owner.py [--delay S] [--silent] [--formats N] [--no-multiple]
                       [--refuse-multiple] [--incr CLAIM PIECES]

It takes the CLIPBOARD selection and serves N targets (default 1):
UTF8_STRING with the text "owner text", and for N > 1 also
application/x-axtrack-test-1 ... -(N-1), each holding "format K". Every
request is answered S seconds after the owner gets to it (default 0), one
after another, as an application whose main loop is busy answers; with
--silent it never answers at all. It lists and serves MULTIPLE unless
--no-multiple. It prints "ready" once it owns the clipboard, "lost" when it
learns it no longer does, and a line "answered TARGET" per answer. With
--refuse-multiple it lists MULTIPLE but refuses every such request. Requests
it received while it still owned the clipboard are answered with the
content, as any owner that handles its events in order does; later ones are
refused. With --incr it also serves application/x-axtrack-big in pieces
(INCR), saying the whole is CLAIM bytes: PIECES pieces "piece 0;",
"piece 1;" ..., or with PIECES -1 pieces of 128 KiB each without end (it then
serves nothing else). It runs until it is killed.
"""
import sys
import time

from Xlib import X, Xatom, display
from Xlib.protocol import event


def main():
    args = sys.argv[1:]
    delay = 0.0
    silent = False
    formats = 1
    multiple = True
    refuse_multiple = False
    incr = None
    while args:
        a = args.pop(0)
        if a == "--delay":
            delay = float(args.pop(0))
        elif a == "--silent":
            silent = True
        elif a == "--formats":
            formats = int(args.pop(0))
        elif a == "--no-multiple":
            multiple = False
        elif a == "--refuse-multiple":
            refuse_multiple = True
        elif a == "--incr":
            incr = (int(args.pop(0)), int(args.pop(0)))
        else:
            sys.exit("unknown argument " + a)

    d = display.Display()
    atom = lambda name: d.intern_atom(name)
    clipboard = atom("CLIPBOARD")
    targets_atom = atom("TARGETS")
    multiple_atom = atom("MULTIPLE")
    timestamp_atom = atom("TIMESTAMP")
    pair_atom = atom("ATOM_PAIR")
    utf8 = atom("UTF8_STRING")
    incr_atom = atom("INCR")
    big = atom("application/x-axtrack-big")

    content = {utf8: b"owner text"}
    for k in range(1, formats):
        content[atom("application/x-axtrack-test-%d" % k)] = b"format %d" % k

    w = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent, event_mask=X.PropertyChangeMask)
    # A property change gives the server time to own the clipboard with.
    w.change_property(atom("OWNER_TIME"), Xatom.STRING, 8, b"")
    while True:
        e = d.next_event()
        if e.type == X.PropertyNotify:
            stamp = e.time
            break
    w.set_selection_owner(clipboard, stamp)
    d.sync()
    if d.get_selection_owner(clipboard) != w:
        sys.exit("could not own the clipboard")
    owned = True
    print("ready", flush=True)

    def convert(requestor, target, prop):
        if target == targets_atom:
            offered = [targets_atom, timestamp_atom] + ([multiple_atom] if multiple else []) + list(content)
            offered += [big] if incr else []
            requestor.change_property(prop, Xatom.ATOM, 32, offered)
            return True
        if target == timestamp_atom:
            requestor.change_property(prop, Xatom.INTEGER, 32, [stamp])
            return True
        if target in content:
            requestor.change_property(prop, target, 8, content[target])
            return True
        if target == big and incr:
            # Said to come in pieces; sent once the answer is out.
            requestor.change_attributes(event_mask=X.PropertyChangeMask)
            requestor.change_property(prop, incr_atom, 32, [incr[0]])
            pending_incr.append((requestor, prop))
            return True
        return False

    def send_pieces(requestor, prop):
        # Each piece once the requestor deleted the one before.
        sent = 0
        while incr[1] < 0 or sent <= incr[1]:
            e = d.next_event()
            if not (e.type == X.PropertyNotify and e.window.id == requestor.id and e.atom == prop
                    and e.state == X.PropertyDelete):
                continue
            if incr[1] < 0:
                piece = b"x" * (1 << 17)
            elif sent < incr[1]:
                piece = b"piece %d;" % sent
            else:
                piece = b""
            requestor.change_property(prop, big, 8, piece)
            d.flush()
            sent += 1
        print("pieces sent %d" % sent, flush=True)

    pending_incr = []

    while True:
        e = d.next_event()
        if e.type == X.SelectionClear:
            owned = False
            print("lost", flush=True)
            continue
        if e.type != X.SelectionRequest or silent:
            continue
        if delay > 0:
            time.sleep(delay)
        requestor = e.requestor
        prop = e.property if e.property != X.NONE else e.target
        done = False
        if owned and e.selection == clipboard:
            if e.target == multiple_atom and multiple and not refuse_multiple:
                got = requestor.get_full_property(prop, X.AnyPropertyType)
                if got is not None and got.format == 32 and len(got.value) % 2 == 0:
                    pairs = list(got.value)
                    for i in range(0, len(pairs), 2):
                        if not convert(requestor, pairs[i], pairs[i + 1]):
                            pairs[i] = X.NONE
                    requestor.change_property(prop, pair_atom, 32, pairs)
                    done = True
            elif e.target != multiple_atom:
                done = convert(requestor, e.target, prop)
        reply = event.SelectionNotify(time=e.time, requestor=requestor, selection=e.selection,
                                      target=e.target, property=prop if done else X.NONE)
        requestor.send_event(reply)
        d.flush()
        print("answered %s %s" % (d.get_atom_name(e.target), "yes" if done else "no"), flush=True)
        while pending_incr:
            send_pieces(*pending_incr.pop(0))


if __name__ == "__main__":
    main()
