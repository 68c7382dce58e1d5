#!/usr/bin/env python3
"""The command blocks of the README and docs/, for running them as written.

A shell block (```sh) is marked by the HTML comment on the line before it:
    <!-- run: NAME -->        run by tests/docs/run.sh as PAGE:NAME
    <!-- not run: REASON -->  shown only, for the reason given

    blocks.py check PAGE...   every shell block marked, names unique on a page,
                              every relative link and anchor found
    blocks.py get PAGE NAME   the block's text
    blocks.py list PAGE       the names of the page's runnable blocks
"""
import os
import re
import sys

MARK = re.compile(r"^<!-- (run: ([a-z0-9-]+)|not run: .+) -->$")
FENCE = re.compile(r"^```(\S*)\s*$")
LINK = re.compile(r"\[[^\]]*\]\(([^)\s]+)\)")


def blocks(path):
    """(line number, language, mark or None, text) for each fenced block."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    out = []
    i = 0
    while i < len(lines):
        m = FENCE.match(lines[i])
        if not m:
            i += 1
            continue
        start = i
        j = i + 1
        while j < len(lines) and lines[j].rstrip() != "```":
            j += 1
        if j == len(lines):
            raise SystemExit(f"{path}:{start + 1}: a block that never ends")
        mark = lines[start - 1] if start > 0 and MARK.match(lines[start - 1]) else None
        out.append((start + 1, m.group(1), mark, "\n".join(lines[start + 1:j]) + "\n"))
        i = j + 1
    return out


def slug(heading):
    text = heading.strip().lower()
    text = re.sub(r"[^\w\- ]", "", text)
    return text.replace(" ", "-")


def anchors(path):
    found = set()
    in_block = False
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("```"):
                in_block = not in_block
            elif not in_block and line.startswith("#"):
                found.add(slug(line.lstrip("#")))
    return found


def check(pages):
    faults = []
    for page in pages:
        names = {}
        for line, language, mark, _ in blocks(page):
            if language not in ("sh", "bash"):
                continue
            if mark is None:
                faults.append(f"{page}:{line}: a shell block without <!-- run: NAME --> or <!-- not run: REASON -->")
                continue
            m = MARK.match(mark)
            if m.group(2):
                if m.group(2) in names:
                    faults.append(f"{page}:{line}: block name {m.group(2)} is taken by line {names[m.group(2)]}")
                names[m.group(2)] = line
        in_block = False
        with open(page, encoding="utf-8") as f:
            for number, text in enumerate(f, 1):
                if text.startswith("```"):
                    in_block = not in_block
                if in_block:
                    continue
                for target in LINK.findall(text):
                    if re.match(r"^[a-z]+:", target):
                        continue
                    file_part, _, anchor = target.partition("#")
                    linked = os.path.normpath(os.path.join(os.path.dirname(page), file_part)) if file_part else page
                    if not os.path.exists(linked):
                        faults.append(f"{page}:{number}: link to {target}: no such file")
                    elif anchor and linked.endswith(".md") and anchor not in anchors(linked):
                        faults.append(f"{page}:{number}: link to {target}: no such heading")
    for fault in faults:
        print(fault)
    print(f"docs blocks: {len(pages)} pages, {len(faults)} faults")
    return 1 if faults else 0


def main(argv):
    if len(argv) >= 3 and argv[1] == "check":
        return check(argv[2:])
    if len(argv) == 4 and argv[1] == "get":
        for _, _, mark, text in blocks(argv[2]):
            if mark and MARK.match(mark).group(2) == argv[3]:
                sys.stdout.write(text)
                return 0
        print(f"{argv[2]}: no block named {argv[3]}", file=sys.stderr)
        return 1
    if len(argv) == 3 and argv[1] == "list":
        for _, _, mark, _ in blocks(argv[2]):
            if mark and MARK.match(mark).group(2):
                print(MARK.match(mark).group(2))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
