# What the real-desktop tests of one subject share (desktop_loss.sh,
# hung_app.sh): the build's test host and library, verdicts counted under
# the test's name, the private desktop (desktop_env.sh) and the test host
# on it, tracking mousepad. Sourced, not run:
#
#   name=hung-app
#   . "$here/host_case.sh" "$@"       # the first argument: BUILD_DIR
#   case_host_tracking_mousepad 90    # the host's --seconds
#   echo "setText x" >&3              # a call of the host's
#   wait_for 10 at_least '^did setText ' 1
#   pass "..."; fail "..." "why"; finish
#
# A test that must undo something of its own before the desktop goes
# defines case_cleanup, which runs on every exit.
set -u

case_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:-$case_here/../../build-linux}"
[ -d "$build" ] && build="$(cd "$build" && pwd)"
host="$build/bin/axtrack-linux-host"
library="$build/bin/libaxtrack.so"

passed=0
failed=0
pass() { echo "ok   $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1${2:+: $2}"; failed=$((failed + 1)); }
# What the test needed from the keys or the application and didn't get, as
# the independent AT-SPI client reads it: the library isn't judged, and the
# case fails.
unmet() { echo "FAIL $1: precondition: $2"; failed=$((failed + 1)); }
# The independent client's view of NAME's text, waited for up to SECONDS
# (atspi_reader.py expect): nothing printed when it comes, else what the
# client saw last.
reader_expect() {  # name seconds want...
  local name="$1" seconds="$2"
  shift 2
  timeout $((${seconds%.*} + 20)) "$desktop_reader" expect "$name" "$seconds" "$@" 2>&1
}
finish() {
  declare -F case_cleanup >/dev/null && case_cleanup
  echo "$name: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}
# The host's last lines, on one line, for a verdict.
host_tail() { tail -n "${1:-3}" "$out" | tr '\n' '|'; }
# Whether the host printed a line matching PATTERN at least N times.
at_least() { [ "$(grep -c "$1" "$out")" -ge "$2" ]; }

for f in "$host" "$library"; do
  [ -e "$f" ] || { fail "setup" "$f is missing (build the axtrack and axtrack-linux-host targets)"; finish; }
done

pids=()
. "$case_here/desktop_env.sh"
missing="$(desktop_missing)"
[ -z "$missing" ] || { fail "setup" "missing: $(echo $missing)"; finish; }
trap 'declare -F case_cleanup >/dev/null && case_cleanup; desktop_stop' EXIT
desktop_start || { fail "setup" "$desktop_error"; finish; }

# Starts the test host for SECONDS at most (with the host's other
# arguments after it), its calls written to fd 3, and lets mousepad's
# activation give it mousepad to track. Sets out (the host's output) and
# hostpid.
case_host_tracking_mousepad() {
  out="$work/host.out"
  mkfifo "$work/host.in"
  "$host" "$library" --seconds "$@" <"$work/host.in" >"$out" 2>&1 &
  hostpid=$!
  pids+=("$hostpid")
  exec 3>"$work/host.in"
  xdotool windowfocus --sync "$root"
  wait_for 10 grep -q 'Accessibility is enabled' "$out" || { fail "setup" "the host didn't start"; finish; }
  # The focus moved to mousepad: its activation. Asked again when it didn't
  # come (a focus change the X server made before the library listened, on
  # a loaded machine), from the root each time, at most three times.
  local try
  for try in 1 2 3; do
    xdotool windowfocus --sync "$window"
    wait_for 8 grep -q ' app_changed ' "$out" && return 0
    xdotool windowfocus --sync "$root"
  done
  fail "setup" "no app_changed for mousepad in three activations (the X focus is on $(xdotool getwindowfocus 2>&1), mousepad's window is $window): $(tail -n 3 "$out" | tr '\n' '|')"
  finish
}
