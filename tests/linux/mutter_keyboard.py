#!/usr/bin/python3
"""A keyboard on mutter's seat, through its remote-desktop interface: a
headless mutter has no input device, and without a keyboard on the seat no
Wayland client is ever told it has the keyboard focus.

  mutter_keyboard.py FIFO

Starts a remote-desktop session, prints "ready", then reads lines from
FIFO, each a list of X keysym names to press and release in turn ("-" for
a key held: "-Alt_L Return"), until the FIFO is closed for good.
mutter drops the first key of a session, so one is pressed before
"ready".
"""
import sys

import gi

from gi.repository import Gio, GLib  # noqa: E402

BUS = "org.gnome.Mutter.RemoteDesktop"
# The keysyms the tests type; a single character is its own (Latin-1).
KEYSYMS = {"Shift_L": 0xFFE1, "Alt_L": 0xFFE9, "Control_L": 0xFFE3, "Return": 0xFF0D, "Home": 0xFF50,
           "End": 0xFF57, "Left": 0xFF51, "Right": 0xFF53, "space": 0x20}


def keysym(name):
    return KEYSYMS[name] if name in KEYSYMS else ord(name)


def call(bus, path, interface, method, args=None, reply=None):
    return bus.call_sync(BUS, path, interface, method, args, reply, Gio.DBusCallFlags.NONE, 5000, None)


def key(bus, session, keysym, down):
    call(bus, session, BUS + ".Session", "NotifyKeyboardKeysym", GLib.Variant("(ub)", (keysym, down)))


def main(fifo):
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    session = call(bus, "/org/gnome/Mutter/RemoteDesktop", BUS, "CreateSession", None,
                   GLib.VariantType("(o)")).unpack()[0]
    call(bus, session, BUS + ".Session", "Start")
    shift = keysym("Shift_L")
    key(bus, session, shift, True)
    key(bus, session, shift, False)
    print("ready", flush=True)
    while True:
        with open(fifo) as lines:
            for line in lines:
                held = []
                for name in line.split():
                    sym = keysym(name.lstrip("-"))
                    key(bus, session, sym, True)
                    if name.startswith("-"):
                        held.append(sym)
                    else:
                        key(bus, session, sym, False)
                for sym in reversed(held):
                    key(bus, session, sym, False)
                bus.flush_sync(None)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
