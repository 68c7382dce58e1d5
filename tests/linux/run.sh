#!/usr/bin/env bash
# The library against a real application on a real (virtual) Linux desktop.
#
#   tests/linux/run.sh [BUILD_DIR]
#
# BUILD_DIR (default: build-linux beside the repository) holds bin/libaxtrack.so
# and bin/axtrack-linux-host, built with
#
#   cmake -S . -B BUILD_DIR -DAXTRACK_LINUX_DESKTOP=ON && cmake --build BUILD_DIR -j2 \
#       --target axtrack axtrack-linux-host
#
# The Debian packages it needs are listed in tests/linux/packages.txt; this
# script installs nothing, it checks and says what is missing.
#
# It starts its own X server (Xvfb, on a free display), a private D-Bus
# session bus, the accessibility bus (at-spi-bus-launcher, at-spi2-registryd)
# and mousepad, Debian's GTK text editor, which nobody here wrote. Then
# xdotool plays the user while the test host, which loads the library with
# dlopen as a host does, prints each event it receives with its time. The
# extents of the selected word are read by an AT-SPI client of our own
# (atspi_reader.py), not by the library. Every wait is bounded: a piece
# that doesn't come up fails its case with a message. Everything started is
# stopped on exit. The last line is "linux-desktop: N passed, N failed".
#
# Besides the verdicts it prints, per event kind, the time from the xdotool
# action to the hand-over to the host ("latency"). With
# AXTRACK_COUNT_REQUESTS=1 (and strace installed) it also counts the
# requests the host sent for each event ("requests"): the D-Bus messages it
# wrote, to the bus or over AT-SPI's direct connections to applications,
# between the action and the hand-over. strace slows the host a little.
set -u

here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../../build-linux}"
library="$build/bin/libaxtrack.so"
host="$build/bin/axtrack-linux-host"
reader="$here/atspi_reader.py"

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS $1"; }
fail() { failed=$((failed + 1)); echo "FAIL $1: $2"; }
finish() {
  echo "linux-desktop: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

# ---------------------------------------------------------------- checks
missing=()
for tool in Xvfb dbus-daemon dbus-send xdotool xwininfo mousepad timeout; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
for file in /usr/libexec/at-spi-bus-launcher /usr/libexec/at-spi2-registryd "$library" "$host"; do
  [ -x "$file" ] || [ -f "$file" ] || missing+=("$file")
done
if ! /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' 2>/dev/null; then
  missing+=("python3-gi with gir1.2-atspi-2.0")
fi
if [ ${#missing[@]} -gt 0 ]; then
  fail "setup" "missing: ${missing[*]} (see tests/linux/packages.txt and the build line above)"
  finish
fi

# ---------------------------------------------------------------- the desktop
work="$(mktemp -d /tmp/axtrack-linux.XXXXXX)"
pids=()
cleanup() {
  local p
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    p="${pids[$i]}"
    # The bus launcher's own bus daemon is its child.
    pkill -TERM -P "$p" 2>/dev/null
    kill -TERM "$p" 2>/dev/null
  done
  sleep 0.2
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local seconds="$1"
  shift
  local deadline=$((SECONDS + seconds))
  while ! "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

display=""
for n in $(seq 90 150); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { fail "setup" "no free X display between :90 and :150"; finish; }

export DISPLAY="$display"
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export GTK_MODULES=gail:atk-bridge NO_AT_BRIDGE=0 GNOME_ACCESSIBILITY=1
export NO_AT_BRIDGE=0

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
if ! wait_for 10 xwininfo -root; then fail "setup" "the X server $display didn't come up"; finish; fi
root="$(xwininfo -root | awk '/Window id:/ {print $4}')"

if ! timeout 10 dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$work/bus" 2>"$work/bus.log"; then
  fail "setup" "the D-Bus session bus didn't start: $(cat "$work/bus.log")"
  finish
fi
export DBUS_SESSION_BUS_ADDRESS="$(sed -n 1p "$work/bus")"
pids+=("$(sed -n 2p "$work/bus")")

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/launcher.log" 2>&1 &
pids+=($!)
a11y_address() {
  timeout 2 dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress
}
if ! wait_for 10 a11y_address; then fail "setup" "the accessibility bus didn't come up"; finish; fi
a11y="$(a11y_address | tr -d ' ')"
/usr/libexec/at-spi2-registryd >"$work/registry.log" 2>&1 &
pids+=($!)
registry_up() {
  timeout 2 dbus-send --bus="$a11y" --print-reply --dest=org.a11y.atspi.Registry \
    /org/a11y/atspi/accessible/root org.freedesktop.DBus.Peer.Ping
}
if ! wait_for 10 registry_up; then fail "setup" "the accessibility registry didn't come up"; finish; fi

mousepad >"$work/mousepad.log" 2>&1 &
pids+=($!)
if ! timeout 30 "$reader" wait-app mousepad 25; then fail "setup" "mousepad didn't appear on the accessibility bus"; finish; fi
if ! wait_for 10 xdotool search --name 'Mousepad'; then fail "setup" "mousepad's window didn't appear"; finish; fi
window="$(xdotool search --name 'Mousepad' | while read -r w; do
  xwininfo -id "$w" | grep -q IsViewable && echo "$w"; done | head -1)"
[ -n "$window" ] || { fail "setup" "mousepad has no visible window"; finish; }

# ---------------------------------------------------------------- the host
now() { date +%s.%N; }
focus_root() { xdotool windowfocus --sync "$root"; }
focus_mousepad() { xdotool windowfocus --sync "$window"; }

hostlog=""
hostpid=""
start_host() {  # name, then the host's own arguments
  hostlog="$work/host-$1.log"
  shift
  if [ "${AXTRACK_COUNT_REQUESTS:-0}" = 1 ]; then
    timeout 120 strace -f -ttt -e trace=sendmsg -o "$work/sends-$(basename "$hostlog" .log)" \
      "$host" "$library" --seconds 100 "$@" <"$work/stdin-$$" >"$hostlog" 2>&1 &
  else
    timeout 120 "$host" "$library" --seconds 100 "$@" <"$work/stdin-$$" >"$hostlog" 2>&1 &
  fi
  hostpid=$!
  pids+=("$hostpid")
  wait_for 10 grep -q '^host ready' "$hostlog"
}
stop_host() {
  [ -n "$hostpid" ] && kill -TERM "$hostpid" 2>/dev/null
  wait "$hostpid" 2>/dev/null
  hostpid=""
}
# A host that reads a pipe nobody writes quits when the script is gone.
mkfifo "$work/stdin-$$"
exec 9<>"$work/stdin-$$"

# The first event NAME handed over after time SINCE, waited for up to
# SECONDS: prints "TIME JSON".
event_after() {  # name since seconds
  local deadline=$((SECONDS + $3))
  local line
  while [ "$SECONDS" -le "$deadline" ]; do
    line="$(awk -v name="$1" -v since="$2" '$1 == "event" && $3 == name && $2 > since {
      print $2 " " substr($0, length($1 " " $2 " " $3 " ") + 1); exit }' "$hostlog")"
    if [ -n "$line" ]; then echo "$line"; return 0; fi
    sleep 0.05
  done
  return 1
}
# Events of any kind after SINCE (for "nothing was sent").
events_after() {
  awk -v since="$1" '$1 == "event" && $2 > since' "$hostlog"
}
# Lets the delivery of the last action's events end before the next one:
# events closer together than the delivery delay would replace each other.
settle() { sleep 0.4; }

requests_between() {  # since until
  # One D-Bus message is one sendmsg; X11 requests go out with writev and
  # aren't counted.
  awk -v since="$1" -v until="$2" '$2 + 0 >= since + 0 && $2 + 0 <= until + 0 && $3 ~ /^sendmsg/ { n++ }
    END { print n + 0 }' "$work/sends-host-main"
}
report() {  # kind action-time "TIME JSON"
  local at="${3%% *}"
  local ms
  ms="$(awk -v a="$2" -v b="$at" 'BEGIN { printf "%.0f", (b - a) * 1000 }')"
  # The delivery itself waits 0.18 s; the requests are those made before
  # the hand-over was scheduled.
  if [ "${AXTRACK_COUNT_REQUESTS:-0}" = 1 ]; then
    echo "  latency $1 ${ms} ms, requests $1 $(requests_between "$2" "$at")"
  else
    echo "  latency $1 ${ms} ms"
  fi
}

# Accessibility starts switched off on a fresh session: the prompt answers
# the state before and switches it on.
if start_host trust --prompt; then
  if [ "$(grep -c '^trusted false' "$hostlog")" -eq 1 ] && grep -q '^prompt answered false' "$hostlog" &&
     [ "$(sed -n '3p' "$hostlog")" = "trusted true" ]; then
    pass "trust: off before the prompt, the prompt answers off, on after it"
  else
    fail "trust" "$(head -3 "$hostlog" | tr '\n' '|')"
  fi
else
  fail "trust" "the host didn't start: $(tail -3 "$hostlog" | tr '\n' '|')"
fi
stop_host

focus_root
xdotool mousemove 1270 1020
if ! start_host main; then fail "setup" "the host didn't start: $(tail -3 "$hostlog" | tr '\n' '|')"; finish; fi
settle

# Activating mousepad: "app_changed".
t="$(now)"
focus_mousepad
if got="$(event_after app_changed "$t" 5)"; then
  if [[ "$got" == *'"bundle_id":"org.xfce.mousepad"'* && "$got" == *'"name":"mousepad"'* &&
        "$got" == *'"role":"AXApplication"'* ]]; then
    pass "activation: app_changed for mousepad"
    report app_changed "$t" "$got"
  else
    fail "activation" "unexpected data: $got"
  fi
else
  fail "activation" "no app_changed within 5 s of activating mousepad"
fi
settle

# The focus moves to the search field and back to the text: "focused_changed".
xdotool key ctrl+f
settle
t="$(now)"
xdotool key Escape
if got="$(event_after focused_changed "$t" 5)"; then
  if [[ "$got" == *'"bundle_id":"org.xfce.mousepad"'* ]]; then
    pass "focus: focused_changed when the text view gets the focus back"
    report focused_changed "$t" "$got"
  else
    fail "focus" "unexpected data: $got"
  fi
else
  fail "focus" "no focused_changed within 5 s of focusing the text"
fi

# The text to work on.
xdotool key ctrl+a
xdotool type --delay 5 'alpha beta gamma'
xdotool key ctrl+Home
settle

# Selecting a word: "text_select" with the word, editable, and the extents
# AT-SPI itself gives for it.
t="$(now)"
xdotool key ctrl+shift+Right
if got="$(event_after text_select "$t" 5)"; then
  expected="$(timeout 10 "$reader" extents mousepad alpha)"
  read -r ex ey ew eh <<<"$expected"
  want="\"position\":{\"x\":$ex,\"y\":$ey}"
  size="\"size\":{\"height\":$eh,\"width\":$ew}"
  if [[ "$got" == *'"selected_text":"alpha"'* && "$got" == *'"is_editable":true'* &&
        "$got" == *"$want"* && "$got" == *"$size"* ]]; then
    pass "selection: text_select with the word and the extents AT-SPI reports ($expected)"
    report text_select "$t" "$got"
  else
    fail "selection" "got $got, AT-SPI reports $expected"
  fi
else
  fail "selection" "no text_select within 5 s of selecting a word"
fi
settle

# Moving the caret: "caret".
t="$(now)"
xdotool key Right
if got="$(event_after caret "$t" 5)"; then
  if [[ "$got" == *' {}' ]]; then
    pass "caret: caret with an empty object"
    report caret "$t" "$got"
  else
    fail "caret" "unexpected data: $got"
  fi
else
  fail "caret" "no caret within 5 s of moving the caret"
fi
settle

# Alt+Return: "alt_enter_pressed" with the text before the caret.
t="$(now)"
xdotool key alt+Return
if got="$(event_after alt_enter_pressed "$t" 5)"; then
  if [[ "$got" == *'"selected_text":"alpha"'* && "$got" == *'"is_editable":true'* ]]; then
    pass "hot key: alt_enter_pressed with the text before the caret"
    report alt_enter_pressed "$t" "$got"
  else
    fail "hot key" "unexpected data: $got"
  fi
else
  fail "hot key" "no alt_enter_pressed within 5 s of Alt+Return"
fi
settle

# A second host can't have the hot key the first one holds.
second="$work/host-second.log"
timeout 10 "$host" "$library" --seconds 1 </dev/null >"$second" 2>&1
if grep -qx 'Failed to register hotkey.' "$second"; then
  pass "hot key held by another client: Failed to register hotkey."
else
  fail "hot key held by another client" "$(tr '\n' '|' <"$second")"
fi
stop_host

# A blocked-field entry for mousepad's text view: the selection is not
# reported.
focus_root
start_host blocked --config '{"org.xfce.mousepad": {"name": "AXRole", "value": "AXTextArea"}}' ||
  fail "blocked field" "the host didn't start"
settle
focus_mousepad
event_after app_changed 0 5 >/dev/null || fail "blocked field" "mousepad wasn't adopted"
xdotool key ctrl+Home
settle
t="$(now)"
xdotool key ctrl+shift+Right
if wait_for 5 grep -qx 'blocked' "$hostlog"; then
  sleep 0.5
  if [ -z "$(events_after "$t" | grep -E ' (text_select|caret) ')" ]; then
    pass "blocked field: the text view's selection is silenced"
  else
    fail "blocked field" "events were sent: $(events_after "$t" | tr '\n' '|')"
  fi
else
  fail "blocked field" "no line 'blocked' within 5 s"
fi
stop_host

finish
