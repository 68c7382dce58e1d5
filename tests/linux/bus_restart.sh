#!/usr/bin/env bash
# The accessibility bus going away and a new one taking its place, under a
# host that tracks applications:
#
#   tests/linux/bus_restart.sh [BUILD_DIR]
#
# On the private desktop of the real-application tests (desktop_env.sh) the
# test host tracks mousepad; then the bus's launcher and daemon are killed
# and a new launcher and registry are started, as a session does when they
# die. Twice over, a Qt application (FeatherPad) started on the new bus must
# be tracked as before: "app_changed" with its role, name and identifier,
# and "text_select" of a keyboard selection. Meanwhile the host stays
# responsive and idle. New buses give their names out from the start again,
# the names the old one gave mousepad and the host among them: that is
# what the second round of each check is about. mousepad itself (GTK 3)
# stays connected to the dead bus: its toolkit doesn't follow a new one, so
# nothing can be asked of it afterwards. Beside it runs a second host whose
# libatspi says it is a release the library hasn't checked (a version call
# preloaded, unknown_atspi.cpp): that one must not carry libatspi's objects
# over to the new bus; it says so once on its standard output, tracks
# nothing more and goes on running. Both then quit when asked, as hosts
# that ended well. The last line is "bus-restart: N passed, N failed".
name=bus-restart
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/host_case.sh" "$@"
registry="$(timeout 2 dbus-send --bus="$desktop_a11y" --print-reply=literal --dest=org.freedesktop.DBus / \
  org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.atspi.Registry | awk '{print $2}')"

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
count() { grep -c "$1" "$out"; }

bus_gone() { ! timeout 2 dbus-send --bus="$1" --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.Peer.Ping; }

# Kills the bus's launcher (the one that holds its name, whoever started
# it), its daemon and the registry, and starts a new launcher, as a session
# does; the new bus starts its registry when it is first asked for it.
# Fails when the old bus still answers: what the hosts then do says
# nothing of a bus that went away.
restart_bus() {
  local a11y old launcher
  old="$(desktop_a11y_address | tr -d ' ')"
  launcher="$(desktop_a11y_owner)"
  [ -n "$old" ] && [ -n "$launcher" ] || { restart_error="no accessibility bus to replace"; return 1; }
  pkill -KILL -P "$launcher" 2>/dev/null
  kill -KILL "$launcher" ${registry:+"$registry"} 2>/dev/null
  registry=""
  if ! wait_for 10 bus_gone "$old"; then
    restart_error="the old bus still answers after its launcher ($launcher) and daemon were killed"
    return 1
  fi
  sleep "${BUS_DOWN_SECONDS:-0.5}"
  /usr/libexec/at-spi-bus-launcher --launch-immediately >>"$work/launcher.log" 2>&1 &
  pids+=($!)
  if ! wait_for 10 desktop_a11y_address; then restart_error="the new bus didn't come up"; return 1; fi
  launcher="$(desktop_a11y_owner)"
  [ "$launcher" = "${pids[-1]}" ] || pids+=("$launcher")
  a11y="$(desktop_a11y_address | tr -d ' ')"
  xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "$a11y"
  if ! wait_for 10 desktop_registry_up "$a11y"; then restart_error="the new bus's registry didn't come up"; return 1; fi
  # Started by the bus, the registry would outlive the test's desktop.
  registry="$(timeout 2 dbus-send --bus="$a11y" --print-reply=literal --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.atspi.Registry | awk '{print $2}')"
  [ -n "$registry" ] && pids+=("$registry")
  return 0
}

# Starts FeatherPad on the new bus and checks that the host tracks it.
tracked_after_restart() {  # round
  local round="$1" apps selects qt
  apps="$(count ' app_changed .*"name":"FeatherPad"')"
  selects="$(count ' text_select ')"
  if ! desktop_launch FeatherPad featherpad featherpad; then
    fail "round $round: setup" "$desktop_error"
    return
  fi
  qt="$launched"
  xdotool windowfocus --sync "$root"
  xdotool windowactivate --sync "$qt" >/dev/null 2>&1 || xdotool windowfocus --sync "$qt"
  if wait_for 10 at_least ' app_changed .*"bundle_id":"featherpad","name":"FeatherPad","role":"AXApplication"' $((apps + 1)); then
    pass "round $round: app_changed for an application on the new bus, with its role and name"
  else
    fail "round $round: app_changed on the new bus" "$(host_tail 4)"
  fi
  # Its text has the focus, as the independent client reads it, before the
  # keys go to it; and holds what they typed, selected as they selected it.
  local seen
  if ! seen="$(reader_expect FeatherPad 20 focused)"; then
    unmet "round $round: text_select on the new bus" "FeatherPad's text doesn't have the focus: $seen"
    kill -TERM "$(xdotool getwindowpid "$qt")" 2>/dev/null
    wait_for 20 sh -c "! xdotool search --onlyvisible --class featherpad"
    return
  fi
  xdotool type --delay 20 "round$round"
  xdotool key shift+Left shift+Left shift+Left
  if ! seen="$(reader_expect FeatherPad 20 "text=round$round" selection=3:6)"; then
    unmet "round $round: text_select on the new bus" "typed 'round$round' and selected its last three characters, the independent client reads: $seen"
  elif wait_for 20 at_least " text_select .*\"selected_text\":\"nd$round\"" 1 &&
     [ "$(count ' text_select ')" -gt "$selects" ]; then
    pass "round $round: text_select of a selection on the new bus"
  else
    fail "round $round: text_select on the new bus" "$(host_tail 4)"
  fi
  kill -TERM "$(xdotool getwindowpid "$qt")" 2>/dev/null
  wait_for 10 sh -c "! xdotool search --onlyvisible --class featherpad"
}

case_host_tracking_mousepad 120

unknown_out="$work/host-unknown.out"
unknown_said='^The accessibility bus was replaced: applications are no longer tracked'
mkfifo "$work/host-unknown.in"
LD_PRELOAD="$build/bin/libaxtrack-unknown-atspi.so" "$host" "$library" --seconds 120 \
  <"$work/host-unknown.in" >"$unknown_out" 2>&1 &
unknown_pid=$!
pids+=("$unknown_pid")
exec 4>"$work/host-unknown.in"
wait_for 10 grep -q '^host ready' "$unknown_out"
xdotool windowfocus --sync "$root"
xdotool windowfocus --sync "$window"
wait_for 10 grep -q ' app_changed ' "$unknown_out" ||
  fail "unknown libatspi: setup" "no app_changed: $(tail -n 3 "$unknown_out" | tr '\n' '|')"
# What the bus's loss does to this host is only asked of a host that was on
# that bus when it went.
wait_for 20 desktop_on_a11y_bus "$unknown_pid" "$desktop_a11y" ||
  unmet "unknown libatspi: setup" "the host isn't connected to the accessibility bus, as the bus lists its clients"

for round in 1 2; do
  if ! restart_bus; then
    unmet "round $round: the bus replaced" "$restart_error"
    finish
  fi
  if [ "$round" = 1 ]; then
    if wait_for 10 grep -q "$unknown_said" "$unknown_out" && kill -0 "$unknown_pid" 2>/dev/null; then
      pass "unknown libatspi: the host says the bus was replaced and goes on"
    else
      fail "unknown libatspi: the bus replaced" "$(tail -n 3 "$unknown_out" | tr '\n' '|')"
    fi
  fi
  # The host goes on answering its own calls while the bus is replaced.
  echo "focusPreiov" >&3
  if wait_for 10 at_least '^did focusPreiov ' "$round"; then
    pass "round $round: the host answers its calls across the restart"
  else
    fail "round $round: the host answers its calls" "$(host_tail)"
  fi
  tracked_after_restart "$round"
done

# Nothing of libatspi's complaints about objects of a dead bus, and no
# crash (the host printed its last call's line and is still there).
if grep -q 'CRITICAL' "$out"; then
  fail "no critical warnings" "$(grep -m1 'CRITICAL' "$out")"
else
  pass "no critical warnings from objects of a bus gone by"
fi

# Idle afterwards: the reconnection doesn't go on trying.
before="$(cpu_ticks "$hostpid")"
sleep 2
used=$(($(cpu_ticks "$hostpid") - before))
ticks="$(getconf CLK_TCK)"
if kill -0 "$hostpid" 2>/dev/null && [ "$used" -lt $((ticks / 5)) ]; then
  pass "the host is running and idle afterwards ($used ticks of $((2 * ticks)))"
else
  fail "the host is running and idle afterwards" "$used ticks in 2 s; $(host_tail)"
fi

# The host with the unknown libatspi: said once, followed no new bus, and
# is running and idle.
said="$(grep -c "$unknown_said" "$unknown_out")"
featherpad="$(grep -c ' app_changed .*"name":"FeatherPad"' "$unknown_out")"
before="$(cpu_ticks "$unknown_pid")"
sleep 2
used=$(($(cpu_ticks "$unknown_pid") - before))
if kill -0 "$unknown_pid" 2>/dev/null && [ "$said" = 1 ] && [ "$featherpad" = 0 ] &&
   ! grep -q 'CRITICAL' "$unknown_out" && [ "$used" -lt $((ticks / 5)) ]; then
  pass "unknown libatspi: told once, nothing tracked on the new buses, running and idle ($used ticks)"
else
  fail "unknown libatspi afterwards" "said $said times, $featherpad FeatherPad events, $used ticks; $(tail -n 3 "$unknown_out" | tr '\n' '|')"
fi

# Both hosts quit when asked, with the status of a host that ended well,
# after the buses they knew are gone: the library's state is left to the
# system at the exit, not handed back to libatspi, whose disposal of an
# application's objects sends events to listeners already destroyed, in
# one recursion that overflowed the stack.
# (Not in a subshell: only this shell can wait for its children.)
exit_status() {  # pid: asks it to quit, waits for it (at most 20 s); its status in $exit_code
  local pid="$1" killer
  kill -TERM "$pid" 2>/dev/null
  (sleep 20; kill -KILL "$pid" 2>/dev/null) &
  killer=$!
  wait "$pid"
  exit_code=$?
  kill "$killer" 2>/dev/null
  wait "$killer" 2>/dev/null
}
exec 4>&-
exec 3>&-
exit_status "$hostpid"
status="$exit_code"
exit_status "$unknown_pid"
unknown_status="$exit_code"
if [ "$status" = 0 ] && [ "$unknown_status" = 0 ]; then
  pass "both hosts quit cleanly when asked after the restarts (status 0)"
else
  fail "both hosts quit cleanly when asked" "status $status and $unknown_status (128 + N: ended by signal N)"
fi
finish
