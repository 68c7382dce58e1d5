#!/usr/bin/env bash
# A host that dlcloses the library while it tracks:
#
#   tests/linux/unload.sh [BUILD_DIR]
#
# The test host starts tracking and unloads the library at once (--unload);
# its main loop goes on. Xlib's error handlers, libatspi's listeners and the
# GLib sources the library added all still point into it, so it must stay
# mapped (it is linked NODELETE). Then the user works: mousepad is
# activated, text is typed (AT-SPI events), Alt+Return is pressed (an X
# event: the hot key's grab), and at last the X server goes away (Xlib's
# I/O error handler). Checked: the events still come, and the host is still
# running after each. The last line is "unload: N passed, N failed".
name=unload
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/host_case.sh" "$@"
xserver="${pids[0]}"  # desktop_start starts the X server first

alive() { kill -0 "$hostpid" 2>/dev/null; }

# The activation that gives the host mousepad (the window manager's word on
# X, then mousepad's on AT-SPI) comes after the unload.
case_host_tracking_mousepad 60 --unload
if grep -q '^host unloaded the library' "$out" && alive; then
  pass "the host unloaded the library and got app_changed afterwards"
else
  fail "unloaded" "$(host_tail)"
  finish
fi

# AT-SPI: typing moves the caret.
xdotool type --delay 20 'after unload'
if wait_for 10 grep -q ' caret ' "$out" && alive; then
  pass "AT-SPI events after the unload: caret"
else
  fail "AT-SPI events after the unload" "$(host_tail)"
fi

# X: the hot key's grab, a key event on the library's connection.
xdotool key alt+Return
if wait_for 10 grep -q ' alt_enter_pressed ' "$out" && alive; then
  pass "X events after the unload: alt_enter_pressed"
else
  fail "X events after the unload" "$(host_tail)"
fi

# Xlib's I/O error handler.
kill -KILL "$xserver"
# The host hears of it on its next read of the connection; it must still
# be there a moment later.
if wait_for 10 sh -c "! kill -0 $xserver 2>/dev/null" && sleep 1 && alive; then
  pass "the host outlives the X server after the unload"
else
  fail "the X server gone after the unload" "the host ended: $(host_tail)"
fi
exec 3>&-
finish
