# The verdicts of the install checks, sourced by check.sh and hosts.sh,
# which set $tmp (a directory of their own) before using them.
passed=0
failed=0
check() {  # check NAME COMMAND...: runs the command, prints the verdict
  local name="$1"
  shift
  if "$@" >"$tmp/out.txt" 2>&1; then
    echo "ok   $name"
    passed=$((passed + 1))
  else
    echo "FAIL $name"
    sed 's/^/     /' "$tmp/out.txt" | tail -n 20
    failed=$((failed + 1))
  fi
}
