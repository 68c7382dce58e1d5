#!/usr/bin/python3
"""Prints the X server's selection traffic and key events, one line each,
until it is stopped: who took which selection at what time, who asked for
it (ConvertSelection, with the request's time), what the owner was asked
(SelectionRequest) and what the requestor was told (SelectionNotify, with
the property, None when refused), and the keys the server delivered.

When a paste didn't land, this tells whose it was: keys that never came,
an application that never asked, or a request answered with None.

Uses the RECORD extension, on the display in $DISPLAY. Prints "tracing"
once the recording runs; exits 2 when the server has no RECORD.
"""
import struct
import sys
import time

from Xlib import display
from Xlib.ext import record

KEY_PRESS, KEY_RELEASE = 2, 3
SELECTION_REQUEST, SELECTION_NOTIFY = 30, 31
SET_SELECTION_OWNER, CONVERT_SELECTION = 22, 24

control = display.Display()
if not control.has_extension("RECORD"):
    print("no RECORD extension", file=sys.stderr)
    sys.exit(2)
recording = display.Display()
names = {0: "None"}
start = time.monotonic()


def atom(value):
    if value not in names:
        try:
            names[value] = control.get_atom_name(value)
        except Exception:  # an atom of no name: printed as its number
            names[value] = str(value)
    return names[value]


def out(line):
    print(f"{time.monotonic() - start:8.3f} {line}", flush=True)


def request(client, data):
    opcode = data[0]
    if opcode == SET_SELECTION_OWNER and len(data) >= 16:
        owner, selection, stamp = struct.unpack("<III", data[4:16])
        out(f"client {client:#x} SetSelectionOwner {atom(selection)} owner={owner:#x} time={stamp}")
    elif opcode == CONVERT_SELECTION and len(data) >= 24:
        requestor, selection, target, prop, stamp = struct.unpack("<IIIII", data[4:24])
        out(f"client {client:#x} ConvertSelection {atom(selection)} target={atom(target)} "
            f"property={atom(prop)} requestor={requestor:#x} time={stamp}")


def event(client, data):
    for at in range(0, len(data) - 31, 32):
        unit = data[at:at + 32]
        kind = unit[0] & 0x7F
        if kind in (KEY_PRESS, KEY_RELEASE):
            stamp, = struct.unpack("<I", unit[4:8])
            state, = struct.unpack("<H", unit[28:30])
            verb = "KeyPress" if kind == KEY_PRESS else "KeyRelease"
            out(f"{verb} keycode={unit[1]} state={state:#x} time={stamp}")
        elif kind == SELECTION_REQUEST:
            stamp, owner, requestor, selection, target, prop = struct.unpack("<IIIIII", unit[4:28])
            out(f"to client {client:#x} SelectionRequest {atom(selection)} target={atom(target)} "
                f"property={atom(prop)} owner={owner:#x} requestor={requestor:#x} time={stamp}")
        elif kind == SELECTION_NOTIFY:
            stamp, requestor, selection, target, prop = struct.unpack("<IIIII", unit[4:24])
            out(f"to client {client:#x} SelectionNotify {atom(selection)} target={atom(target)} "
                f"property={atom(prop)} requestor={requestor:#x} time={stamp}")


def heard(reply):
    if reply.category == record.FromClient:
        request(reply.id_base, reply.data)
    elif reply.category == record.FromServer:
        event(reply.id_base, reply.data)


context = control.record_create_context(0, [record.AllClients], [{
    "core_requests": (SET_SELECTION_OWNER, CONVERT_SELECTION),
    "core_replies": (0, 0),
    "ext_requests": (0, 0, 0, 0),
    "ext_replies": (0, 0, 0, 0),
    "delivered_events": (SELECTION_REQUEST, SELECTION_NOTIFY),
    "device_events": (KEY_PRESS, KEY_RELEASE),
    "errors": (0, 0),
    "client_started": False,
    "client_died": False,
}])
control.sync()
print("tracing", flush=True)
try:
    recording.record_enable_context(context, heard)
except KeyboardInterrupt:
    pass
