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
name=desktop-loss
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/host_case.sh" "$@"
xserver="${pids[0]}"  # desktop_start starts the X server first

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

case_host_tracking_mousepad 60
echo "setText before" >&3
wait_for 10 at_least '^did setText ' 1 || { fail "setup" "the first setText didn't return: $(host_tail)"; finish; }

kill -KILL "$xserver"
sleep 1

if kill -0 "$hostpid" 2>/dev/null; then
  pass "the host outlives the X server"
else
  fail "the host outlives the X server" "it ended: $(host_tail)"
  finish
fi

echo "setText after" >&3
if wait_for 10 at_least '^did setText ' 2; then
  pass "setText returns without an X server"
else
  fail "setText returns without an X server" "$(host_tail)"
fi
echo "focusPreiov" >&3
if wait_for 10 at_least '^did focusPreiov ' 1; then
  pass "focusPreiov returns without an X server"
else
  fail "focusPreiov returns without an X server" "$(host_tail)"
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
