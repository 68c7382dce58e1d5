#!/usr/bin/env bash
# Instructions executed by the player for a fixed scenario, under callgrind:
# independent of machine noise, the figure to compare between versions.
# The player's fixed cost (loading, dynamic linking, reading an empty
# scenario) is measured the same way and taken off: what remains is the
# scenario's own work.
# Usage: callgrind.sh BUILD_DIR [SCENARIO]   (default: examples/tour.json)
set -euo pipefail
build=${1:?usage: callgrind.sh BUILD_DIR [SCENARIO]}
here=$(cd "$(dirname "$0")/.." && pwd)
scenario=${2:-$here/examples/tour.json}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
printf '{"steps": []}\n' >"$out/empty.json"

instructions() {  # scenario
  valgrind --tool=callgrind --callgrind-out-file="$out/cg.out" \
    "$build/bin/axtrack-play" "$1" >/dev/null 2>"$out/log"
  grep -m1 -E '^(summary|totals):' "$out/cg.out" | awk '{print $2}'
}

total=$(instructions "$scenario")
empty=$(instructions "$out/empty.json")
echo "instructions: $((total - empty)) ($(basename "$scenario"): $total, less $empty for an empty scenario)"
