#!/usr/bin/env bash
# Plays every scenario and the tour under valgrind memcheck: no memory
# errors, no definite or indirect leaks, and the same output as expected.
# Usage: valgrind_scenarios.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: valgrind_scenarios.sh BUILD_DIR}
here=$(cd "$(dirname "$0")/../.." && pwd)
player="$build/bin/axtrack-play"
failed=0
count=0
for scenario in "$here"/tests/scenarios/*.json "$here"/examples/*.json; do
  base=${scenario%.json}
  expected_status=0
  [ -f "$base.status" ] && expected_status=$(cat "$base.status")
  out=$(mktemp)
  status=0
  valgrind --quiet --error-exitcode=99 --leak-check=full \
    --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
    "$player" "$scenario" >"$out" 2>"$out.err" || status=$?
  count=$((count + 1))
  if [ "$status" != "$expected_status" ]; then
    echo "FAIL $(basename "$scenario"): exit $status, expected $expected_status"
    cat "$out.err"
    failed=$((failed + 1))
  elif [ -f "$base.expected" ] && ! cmp -s "$out" "$base.expected"; then
    echo "FAIL $(basename "$scenario"): output differs under valgrind"
    failed=$((failed + 1))
  fi
  rm -f "$out" "$out.err"
done
echo "valgrind: $((count - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
