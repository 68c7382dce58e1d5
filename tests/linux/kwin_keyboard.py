#!/usr/bin/python3
"""A keyboard on KWin's seat, through KWin's fake input: the keys go
through KWin's own input handling, its global shortcuts included, as a
user's would.

  kwin_keyboard.py FIFO

Speaks the Wayland protocol itself (a handful of requests need no
toolkit), prints "ready" once KWin has taken the device, then reads lines
from FIFO, each a list of X keysym names to press and release in turn
("-" for a key held for the line: "-Alt_L Return"; "+" for one held
until a later line releases it with "^": "+Alt_L Return", then "^Alt_L"),
until the FIFO is closed for good.
KWin offers fake input only to a client it trusts (a desktop file that
asks for it), or to any when started with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1,
as the tests start it.
"""
import os
import socket
import struct
import sys

# Linux input key codes (what fake input names a key by) of the keys the
# tests type, under KWin's default US keymap.
CODES = {"Shift_L": 42, "Alt_L": 56, "Control_L": 29, "Return": 28, "Home": 102, "End": 107,
         "Left": 105, "Right": 106, "space": 57, "BackSpace": 14, "Delete": 111}
for i, c in enumerate("qwertyuiop"):
    CODES[c] = 16 + i
for i, c in enumerate("asdfghjkl"):
    CODES[c] = 30 + i
for i, c in enumerate("zxcvbnm"):
    CODES[c] = 44 + i

DISPLAY, REGISTRY = 1, 2
KEYBOARD_KEY = 10  # org_kde_kwin_fake_input.keyboard_key, since version 4


class Wayland:
    def __init__(self):
        path = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ.get("WAYLAND_DISPLAY", "wayland-0"))
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.buffer = b""
        self.next_id = REGISTRY

    def new_id(self):
        self.next_id += 1
        return self.next_id

    def send(self, obj, opcode, payload=b""):
        self.sock.sendall(struct.pack("=II", obj, (8 + len(payload)) << 16 | opcode) + payload)

    @staticmethod
    def string(text):
        data = text.encode() + b"\0"
        return struct.pack("=I", len(data)) + data + b"\0" * (-len(data) % 4)

    def events(self):
        while True:
            while len(self.buffer) >= 8:
                obj, word = struct.unpack_from("=II", self.buffer)
                size = word >> 16
                if len(self.buffer) < size:
                    break
                payload, self.buffer = self.buffer[8:size], self.buffer[size:]
                yield obj, word & 0xFFFF, payload
            data = self.sock.recv(65536)
            if not data:
                raise SystemExit("KWin closed the connection")
            self.buffer += data

    def roundtrip(self, on_event=None):
        """Sends wl_display.sync and hands every event before its answer to on_event."""
        callback = self.new_id()
        self.send(DISPLAY, 0, struct.pack("=I", callback))
        for obj, opcode, payload in self.events():
            if obj == callback:
                return
            if obj == DISPLAY and opcode == 0:
                _, code = struct.unpack_from("=II", payload)
                raise SystemExit("KWin refused a request: error %d %s" % (code, payload[12:].split(b"\0")[0].decode()))
            if on_event:
                on_event(obj, opcode, payload)


def main(fifo):
    wl = Wayland()
    wl.send(DISPLAY, 1, struct.pack("=I", REGISTRY))
    found = {}

    def global_(obj, opcode, payload):
        if obj != REGISTRY or opcode != 0:
            return
        name, length = struct.unpack_from("=II", payload)
        interface = payload[8:8 + length - 1].decode()
        version = struct.unpack_from("=I", payload, 8 + length + (-length % 4))[0]
        found[interface] = (name, version)

    wl.roundtrip(global_)
    if "org_kde_kwin_fake_input" not in found or found["org_kde_kwin_fake_input"][1] < 4:
        raise SystemExit("KWin offers this client no fake input (version 4): %s" % sorted(found))
    name, _ = found["org_kde_kwin_fake_input"]
    device = wl.new_id()
    wl.send(REGISTRY, 0, struct.pack("=I", name) + wl.string("org_kde_kwin_fake_input") + struct.pack("=II", 4, device))
    wl.send(device, 0, wl.string("axtrack tests") + wl.string("typing into the test's applications"))
    wl.roundtrip()
    print("ready", flush=True)

    def key(code, down):
        wl.send(device, KEYBOARD_KEY, struct.pack("=II", code, 1 if down else 0))

    while True:
        with open(fifo) as lines:
            for line in lines:
                held = []
                for word in line.split():
                    code = CODES[word.lstrip("-+^")]
                    if word.startswith("^"):
                        key(code, False)
                        continue
                    key(code, True)
                    if word.startswith("-"):
                        held.append(code)
                    elif not word.startswith("+"):
                        key(code, False)
                for code in reversed(held):
                    key(code, False)
                wl.roundtrip()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
