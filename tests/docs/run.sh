#!/usr/bin/env bash
# Runs command blocks of the README and docs/ as written (blocks.py says
# how a page marks them), each in its own bash with -e and pipefail, in
# the order given, in one folder:
#
#   tests/docs/run.sh [--dir DIR] PAGE:NAME...
#
# DIR is where the blocks run (the commands name paths from the top of the
# source tree); by default a temporary copy of the tree's files, without
# any build folder, removed at the end. HOME is a temporary folder, so
# that a block's "$HOME/..." prefix lands nowhere lasting. Prints each
# block, its output (each line after "   | ") and its verdict
# and seconds, and ends with "docs: N passed, N failed".
set -u
here="$(cd "$(dirname "$0")" && pwd)"
top="$(cd "$here/../.." && pwd)"
dir=""
if [ "${1:-}" = "--dir" ]; then
  dir="$(cd "${2:?--dir needs a folder}" && pwd)" || exit 2
  shift 2
fi
[ $# -ge 1 ] || { echo "usage: $0 [--dir DIR] PAGE:NAME..." >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
if [ -z "$dir" ]; then
  dir="$work/tree"
  mkdir -p "$dir"
  if git -C "$top" rev-parse --git-dir >/dev/null 2>&1; then
    (cd "$top" && git ls-files -z --cached --others --exclude-standard |
       xargs -0 -r sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh |
       tar --null -T - -cf -) | tar -C "$dir" -xf -
  else
    tar -C "$top" --exclude='./build*' -cf - . | tar -C "$dir" -xf -
  fi
fi
mkdir -p "$work/home"

passed=0
failed=0
for wanted in "$@"; do
  page="${wanted%%:*}"
  name="${wanted#*:}"
  if ! python3 "$here/blocks.py" get "$top/$page" "$name" >"$work/block.sh"; then
    echo "FAIL $wanted: no such block"
    failed=$((failed + 1))
    continue
  fi
  echo "== $wanted"
  sed 's/^/   $ /' "$work/block.sh"
  started=$SECONDS
  (cd "$dir" && HOME="$work/home" bash -euo pipefail "$work/block.sh") 2>&1 | sed 's/^/   | /'
  if [ "${PIPESTATUS[0]}" -eq 0 ]; then
    echo "ok   $wanted ($((SECONDS - started)) s)"
    passed=$((passed + 1))
  else
    echo "FAIL $wanted ($((SECONDS - started)) s)"
    failed=$((failed + 1))
  fi
done
echo "docs: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
