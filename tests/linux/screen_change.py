#!/usr/bin/python3
"""How much of an event's rectangle differs between two screenshots.

  screen_change.py BEFORE.ppm AFTER.ppm EVENT-LINE

BEFORE and AFTER are binary PPM screenshots (grim -t ppm) of one screen;
EVENT-LINE holds the event's "position":{"x":X,"y":Y} and
"size":{"height":H,"width":W} members, in the screen's pixels. Prints
"N% (C of A pixels)": the share of the rectangle's pixels that differ.
Exits 1 when the rectangle is empty or leaves the screen.

  screen_change.py --inside EVENT-LINE X Y W H

Exits 0 when the event's rectangle is not empty and lies within the box
X Y W H (as given, unrounded), else 1.
"""
import json
import re
import sys


def ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    magic, width, height, depth, pixels = data.split(maxsplit=4)
    if magic != b"P6" or int(depth) != 255:
        sys.exit("screen_change: %s is not an 8-bit binary PPM" % path)
    return int(width), int(height), pixels


def rectangle(line):
    found = re.search(r'"position":(\{[^}]*\}).*"size":(\{[^}]*\})', line)
    if not found:
        sys.exit("screen_change: no position and size in %r" % line)
    position, size = json.loads(found.group(1)), json.loads(found.group(2))
    return (position["x"], position["y"], size["width"], size["height"])


def main(argv):
    if len(argv) == 6 and argv[0] == "--inside":
        x, y, w, h = rectangle(argv[1])
        bx, by, bw, bh = map(float, argv[2:])
        return 0 if w > 0 and h > 0 and bx <= x and by <= y and x + w <= bx + bw and y + h <= by + bh else 1
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    width, height, before = ppm(argv[0])
    other_width, other_height, after = ppm(argv[1])
    if (width, height) != (other_width, other_height):
        sys.exit("screen_change: the screenshots differ in size")
    x, y, w, h = map(round, rectangle(argv[2]))
    if w <= 0 or h <= 0 or x < 0 or y < 0 or x + w > width or y + h > height:
        print("no rectangle on the screen (%d %d %d %d)" % (x, y, w, h))
        return 1
    changed = 0
    for row in range(y, y + h):
        start = (row * width + x) * 3
        a, b = before[start:start + w * 3], after[start:start + w * 3]
        changed += sum(1 for i in range(0, w * 3, 3) if a[i:i + 3] != b[i:i + 3])
    print("%d%% (%d of %d pixels)" % (changed * 100 // (w * h), changed, w * h))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
