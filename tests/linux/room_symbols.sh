#!/bin/sh
# Fails when the room archive `$1` needs a symbol that the room archive `$2`
# defines: a lower room reaching up into one above it, which the build
# would only link by the order the archives happen to come in.
set -eu
lower=$1
upper=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
nm -u "$lower" >"$dir/u"
nm --defined-only "$lower" >"$dir/d"
nm --defined-only "$upper" >"$dir/t"
awk '{print $NF}' "$dir/u" | sort -u >"$dir/needed"
awk 'NF == 3 {print $3}' "$dir/d" | sort -u >"$dir/own"
awk 'NF == 3 && $2 ~ /^[TDBR]$/ {print $3}' "$dir/t" | sort -u >"$dir/theirs"
comm -23 "$dir/needed" "$dir/own" | comm -12 - "$dir/theirs" >"$dir/reached"
if [ -s "$dir/reached" ]; then
  echo "$(basename "$lower") needs what $(basename "$upper") defines:"
  c++filt <"$dir/reached"
  exit 1
fi
