#!/usr/bin/python3
"""Puts a document into an application's text and the caret where the
benchmark wants it, over AT-SPI, from outside the host being measured.

  document.py load PID BYTES     replaces the text of the process's multi-line
                                 text with BYTES of numbered lines of words and
                                 prints its length in characters once the
                                 application holds all of it
  document.py caret PID OFFSET   puts the caret at OFFSET (no selection)
"""
import os
import sys
import time

# The tests' folder stays as it is: no bytecode cache left in it.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "linux"))
import atspi_reader  # noqa: E402
from atspi_reader import Atspi  # noqa: E402

LINE = "line %07d the quick brown fox jumps over the lazy dog\n"


def text_of(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == pid:
            found = atspi_reader.multi_line_text(app)
            if found is not None:
                return found
    sys.exit("document: process %d has no multi-line text on the bus" % pid)


def document(size):
    lines = []
    total = 0
    n = 0
    while total < size:
        line = LINE % n
        lines.append(line)
        total += len(line)
        n += 1
    return "".join(lines)[:size]


def main(argv):
    # A large text takes the application a while to take in.
    Atspi.set_timeout(60000, 60000)
    if len(argv) == 3 and argv[0] == "load":
        text = text_of(int(argv[1]))
        content = document(int(argv[2]))
        Atspi.EditableText.set_text_contents(text, content)
        deadline = time.monotonic() + 60
        while Atspi.Text.get_character_count(text) != len(content):
            if time.monotonic() > deadline:
                sys.exit("document: the application didn't take the whole text")
            time.sleep(0.2)
        print(len(content))
        return 0
    if len(argv) == 3 and argv[0] == "caret":
        Atspi.Text.set_caret_offset(text_of(int(argv[1])), int(argv[2]))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
