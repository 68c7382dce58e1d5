#!/usr/bin/env bash
# The X server going away under a host that uses the library:
#
#   tests/linux/desktop_loss.sh [BUILD_DIR]
#
# On the private desktop of the real-application tests (desktop_env.sh), the
# test host (which has no X connection of its own) starts tracking, pastes
# once (which opens the library's clipboard connection besides its main
# one), and then the X server is killed. Xlib's default would end the host
# there; the library must let go of its connections instead. Checked: the
# host is still running, still makes its calls (setText, focusPreiov) and
# answers them, and doesn't spin on the dead connections. The last line is
# "desktop-loss: N passed, N failed".
set -u

here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../../build-linux}"
[ -d "$build" ] && build="$(cd "$build" && pwd)"
host="$build/bin/axtrack-linux-host"
library="$build/bin/libaxtrack.so"

passed=0
failed=0
pass() { echo "ok   $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1${2:+: $2}"; failed=$((failed + 1)); }
finish() {
  echo "desktop-loss: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

for f in "$host" "$library"; do
  [ -e "$f" ] || { fail "setup" "$f is missing (build the axtrack and axtrack-linux-host targets)"; finish; }
done

pids=()
. "$here/desktop_env.sh"
missing="$(desktop_missing)"
[ -z "$missing" ] || { fail "setup" "missing: $(echo $missing)"; finish; }
trap desktop_stop EXIT
desktop_start || { fail "setup" "$desktop_error"; finish; }
xserver="${pids[0]}"  # desktop_start starts the X server first

out="$work/host.out"
mkfifo "$work/host.in"
"$host" "$library" --seconds 60 <"$work/host.in" >"$out" 2>&1 &
hostpid=$!
pids+=("$hostpid")
exec 3>"$work/host.in"

calls() { grep -c "^did $1 " "$out"; }
called() { [ "$(calls "$1")" -ge "$2" ]; }  # called NAME COUNT
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

xdotool windowfocus --sync "$root"
wait_for 10 grep -q 'Accessibility is enabled' "$out" || { fail "setup" "the host didn't start"; finish; }
xdotool windowfocus --sync "$window"
wait_for 10 grep -q ' app_changed ' "$out" || { fail "setup" "no app_changed for mousepad"; finish; }
echo "setText before" >&3
wait_for 10 called setText 1 || { fail "setup" "the first setText didn't return: $(tail -n 3 "$out" | tr '\n' '|')"; finish; }

kill -KILL "$xserver"
sleep 1

if kill -0 "$hostpid" 2>/dev/null; then
  pass "the host outlives the X server"
else
  fail "the host outlives the X server" "it ended: $(tail -n 3 "$out" | tr '\n' '|')"
  finish
fi

echo "setText after" >&3
if wait_for 10 called setText 2; then
  pass "setText returns without an X server"
else
  fail "setText returns without an X server" "$(tail -n 3 "$out" | tr '\n' '|')"
fi
echo "focusPreiov" >&3
if wait_for 10 called focusPreiov 1; then
  pass "focusPreiov returns without an X server"
else
  fail "focusPreiov returns without an X server" "$(tail -n 3 "$out" | tr '\n' '|')"
fi

# Idle, the host's main loop must not spin on a broken connection: less
# than a fifth of a second of processor time in two seconds.
before="$(cpu_ticks "$hostpid")"
sleep 2
used=$(($(cpu_ticks "$hostpid") - before))
ticks="$(getconf CLK_TCK)"
if [ "$used" -lt $((ticks / 5)) ]; then
  pass "the host is idle afterwards ($used ticks of $((2 * ticks)))"
else
  fail "the host is idle afterwards" "$used ticks of $((2 * ticks)) in 2 s"
fi
exec 3>&-
finish
