#!/usr/bin/env bash
# Instructions executed by the player for a fixed scenario, under callgrind:
# independent of machine noise, the figure to compare between versions.
# Usage: callgrind.sh BUILD_DIR [SCENARIO]   (default: examples/tour.json)
set -euo pipefail
build=${1:?usage: callgrind.sh BUILD_DIR [SCENARIO]}
here=$(cd "$(dirname "$0")/.." && pwd)
scenario=${2:-$here/examples/tour.json}
out=$(mktemp -d)
valgrind --tool=callgrind --callgrind-out-file="$out/cg.out" \
  "$build/bin/axtrack-play" "$scenario" >/dev/null 2>"$out/log"
total=$(grep -E '^(summary|totals):' "$out/cg.out" | head -1 | awk '{print $2}')
echo "instructions: $total ($(basename "$scenario"))"
# The library's own share, by object file.
callgrind_annotate --inclusive=no "$out/cg.out" 2>/dev/null |
  grep -E 'libaxtrack-simdesk|libsimdesk' | head -0 >/dev/null || true
rm -rf "$out"
