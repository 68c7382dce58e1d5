# A private virtual Linux desktop with mousepad on it, for the tests against
# a real application (tests/linux/run.sh) and the desktop tour
# (examples/desktop-tour.sh). Sourced, not run:
#
#   . tests/linux/desktop_env.sh
#   missing=($(desktop_missing))     # what isn't installed, one word each
#   trap desktop_stop EXIT
#   desktop_start || { echo "$desktop_error"; exit 1; }
#
# desktop_start starts an X server (Xvfb, on a free display), a private
# D-Bus session bus, the accessibility bus (at-spi-bus-launcher,
# at-spi2-registryd) and mousepad, Debian's GTK text editor, and exports
# DISPLAY, DBUS_SESSION_BUS_ADDRESS, the XDG folders and the toolkit's
# accessibility switches, so that whatever the caller starts afterwards runs
# on that desktop and nothing touches the user's own session. It sets:
#
#   work     a private folder for logs and files, removed by desktop_stop
#            (kept when AXTRACK_KEEP_WORK is set, for a look after a failure)
#   pids     what was started; a caller adds what it starts itself, and
#            desktop_stop ends all of it, the latest first
#   display  the X display, e.g. ":90"
#   root     the root window's id
#   window   mousepad's (visible) window id
#
# The root window carries the accessibility bus's address (AT_SPI_BUS), as
# a desktop session's does: Qt applications look for the bus there.
#
#   desktop_launch NAME CLASS COMMAND...   starts another application in the
#            private folder, waits until NAME is on the accessibility bus and
#            a window of CLASS is shown, and sets `launched` to that window's
#            id (not in a subshell: it adds to pids)
#
# Every wait is bounded: a piece that doesn't come up makes desktop_start
# (or desktop_launch) return 1 with desktop_error saying which.

desktop_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
desktop_reader="$desktop_here/atspi_reader.py"
desktop_error=""
work=""
pids=()
display=""
root=""
window=""

# What the desktop needs and isn't there, one word per line (nothing: all
# present). Tests/linux/packages.txt names the Debian packages.
desktop_missing() {
  local tool file
  for tool in Xvfb dbus-daemon dbus-send xdotool xwininfo xprop mousepad timeout; do
    command -v "$tool" >/dev/null 2>&1 || echo "$tool"
  done
  for file in /usr/libexec/at-spi-bus-launcher /usr/libexec/at-spi2-registryd; do
    [ -x "$file" ] || echo "$file"
  done
  if ! /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' 2>/dev/null; then
    echo "python3-gi+gir1.2-atspi-2.0"
  fi
}

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

# Adds a process to those desktop_stop ends, also from a subshell: the
# file in $work is read at the stop.
track_pid() {  # pid
  pids+=("$1")
  [ -n "$work" ] && echo "$1" >>"$work/pids"
}

desktop_any_alive() {
  local p
  for p in "${pids[@]}"; do kill -0 "$p" 2>/dev/null && return 0; done
  return 1
}

desktop_stop() {
  local p i
  if [ -n "$work" ] && [ -f "$work/pids" ]; then
    while read -r p; do pids+=("$p"); done <"$work/pids"
  fi
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    p="${pids[$i]}"
    # The bus launcher's own bus daemon is its child.
    pkill -TERM -P "$p" 2>/dev/null
    kill -TERM "$p" 2>/dev/null
  done
  # A moment to end on their own (Xvfb removes its lock and socket), then
  # whatever still runs is killed.
  for ((i = 0; i < 20; i++)); do
    desktop_any_alive || break
    sleep 0.1
  done
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; done
  pids=()
  [ -n "$work" ] && [ -z "${AXTRACK_KEEP_WORK:-}" ] && rm -rf "$work"
  work=""
}

# The process that holds the accessibility bus launcher's name on the
# session bus, as the session bus says.
desktop_a11y_owner() {
  timeout 2 dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.Bus 2>/dev/null | awk '{print $2}' | grep .
}

# Asked only of a launcher that holds its name: a call to the name before
# that would make the session bus start a launcher of its own, which then
# races the test's for the name and outlives the test.
desktop_a11y_address() {
  desktop_a11y_owner >/dev/null &&
    timeout 2 dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress
}

desktop_registry_up() {
  timeout 2 dbus-send --bus="$1" --print-reply --dest=org.a11y.atspi.Registry \
    /org/a11y/atspi/accessible/root org.freedesktop.DBus.Peer.Ping
}

# True when process PID holds a connection on the accessibility bus at
# ADDRESS, as the bus itself says: the names it lists, each asked for its
# process. A library connects when it first needs the bus, so a test of
# what happens when that bus goes away first waits for this.
desktop_on_a11y_bus() {  # pid address
  local name
  for name in $(timeout 2 dbus-send --bus="$2" --print-reply=literal --dest=org.freedesktop.DBus \
    /org/freedesktop/DBus org.freedesktop.DBus.ListNames 2>/dev/null | tr -s ' ' '\n' | grep '^:'); do
    [ "$(timeout 2 dbus-send --bus="$2" --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.GetConnectionUnixProcessID "string:$name" 2>/dev/null | awk '{print $2}')" = "$1" ] &&
      return 0
  done
  return 1
}

# A private D-Bus session bus and the accessibility bus on it, in $work:
# exports DBUS_SESSION_BUS_ADDRESS, sets desktop_a11y to the accessibility
# bus's address and desktop_launcher to the launcher that holds its name.
desktop_a11y=""
desktop_launcher=""
desktop_buses() {
  if ! timeout 10 dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$work/bus" 2>"$work/bus.log"; then
    desktop_error="the D-Bus session bus didn't start: $(cat "$work/bus.log")"
    return 1
  fi
  export DBUS_SESSION_BUS_ADDRESS="$(sed -n 1p "$work/bus")"
  pids+=("$(sed -n 2p "$work/bus")")

  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/launcher.log" 2>&1 &
  pids+=($!)
  if ! wait_for 10 desktop_a11y_address; then desktop_error="the accessibility bus didn't come up"; return 1; fi
  desktop_launcher="$(desktop_a11y_owner)"
  [ "$desktop_launcher" = "${pids[-1]}" ] || pids+=("$desktop_launcher")
  desktop_a11y="$(desktop_a11y_address | tr -d ' ')"
  /usr/libexec/at-spi2-registryd >"$work/registry.log" 2>&1 &
  pids+=($!)
  if ! wait_for 10 desktop_registry_up "$desktop_a11y"; then
    desktop_error="the accessibility registry didn't come up"
    return 1
  fi
}

# A Wayland session of the caller's own in $work: its runtime, configuration,
# cache and data folders, the toolkits' accessibility switches, none of the
# caller's displays or compositors, then the buses (desktop_buses).
desktop_wayland_session() {
  export XDG_RUNTIME_DIR="$work/runtime"
  export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data"
  mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME"
  chmod 700 "$XDG_RUNTIME_DIR"
  export GTK_MODULES=gail:atk-bridge NO_AT_BRIDGE=0 GNOME_ACCESSIBILITY=1
  unset DISPLAY WAYLAND_DISPLAY SWAYSOCK XAUTHORITY
  desktop_buses
}

# What a Wayland session's test needs and isn't there, one word per line:
# the TOOLs, the FILEs, the accessibility bus's programs and python3-xlib.
desktop_wayland_missing() {  # tool... [-- file...]
  local files=0 word
  for word in "$@"; do
    if [ "$word" = -- ]; then
      files=1
    elif [ "$files" = 1 ]; then
      [ -e "$word" ] || echo "$word"
    else
      command -v "$word" >/dev/null 2>&1 || echo "$word"
    fi
  done
  for word in dbus-daemon /usr/libexec/at-spi-bus-launcher /usr/libexec/at-spi2-registryd; do
    command -v "$word" >/dev/null 2>&1 || [ -e "$word" ] || echo "$word"
  done
  /usr/bin/python3 -c 'import Xlib' 2>/dev/null || echo python3-xlib
}

# Whether the X server of PID serves display N: it holds the display's lock
# and answers. Another test run starting at the same moment may have taken
# the display first; its server would answer just as well, and the run
# would play its keys on the other's desktop.
desktop_x_ours() {  # n pid
  [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$1-lock")" = "$2" ] && DISPLAY=":$1" xwininfo -root >/dev/null 2>&1
}

# Whether display N is another server's: its lock names a process that
# runs. A lock or socket left by a server that was killed (a run stopped
# with SIGKILL, a crash) holds nothing: Xvfb takes such a display over,
# and skipping it would let stale files use up the whole range.
desktop_display_held() {  # n
  local holder
  holder="$(tr -d ' \n' 2>/dev/null <"/tmp/.X$1-lock")" || return 1
  [ -n "$holder" ] && kill -0 "$holder" 2>/dev/null
}

# Starts Xvfb on a display between :90 and :150 that it gets for itself,
# and sets display. The search starts at a random one: runs started side
# by side rarely try the same, and a display just given up, which a
# program of an ended run may still name, isn't the next run's first pick.
desktop_x_server() {
  local n i xvfb deadline first=$((RANDOM % 61))
  display=""
  for ((i = 0; i < 61; i++)); do
    n=$((90 + (first + i) % 61))
    desktop_display_held "$n" && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    deadline=$((SECONDS + 20))
    # Until it serves the display, or ends (the display was taken).
    while kill -0 "$xvfb" 2>/dev/null && ! desktop_x_ours "$n" "$xvfb" && [ "$SECONDS" -lt "$deadline" ]; do
      sleep 0.1
    done
    if desktop_x_ours "$n" "$xvfb"; then
      pids+=("$xvfb")
      display=":$n"
      return 0
    fi
    kill -TERM "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
  done
  desktop_error="no X server of ours came up on a free display between :90 and :150: $(tail -3 "$work/xvfb.log" | tr '\n' '|')"
  return 1
}

desktop_start() {
  work="$(mktemp -d /tmp/axtrack-linux.XXXXXX)"

  export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data"
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  export GTK_MODULES=gail:atk-bridge NO_AT_BRIDGE=0 GNOME_ACCESSIBILITY=1

  desktop_x_server || return 1
  export DISPLAY="$display"
  root="$(xwininfo -root | awk '/Window id:/ {print $4}')"

  desktop_buses || return 1
  xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "$desktop_a11y"

  # In the private folder: nothing it leaves in its working folder lands
  # in the caller's.
  (cd "$work" && exec mousepad >"$work/mousepad.log" 2>&1) &
  pids+=($!)
  if ! timeout 30 "$desktop_reader" wait-app mousepad 25; then
    desktop_error="mousepad didn't appear on the accessibility bus"
    return 1
  fi
  if ! wait_for 10 xdotool search --name 'Mousepad'; then desktop_error="mousepad's window didn't appear"; return 1; fi
  window="$(xdotool search --name 'Mousepad' | while read -r w; do
    xwininfo -id "$w" | grep -q IsViewable && echo "$w"; done | head -1)"
  [ -n "$window" ] || { desktop_error="mousepad has no visible window"; return 1; }
}

# The topmost shown window of a window class, if there is one.
desktop_visible_window() {
  xdotool search --onlyvisible --class "$1" 2>/dev/null | tail -1 | grep .
}

# Sets `launched` to that window, in the same look that found it: between
# two looks, an application whose first window goes while it starts has
# none for a moment.
desktop_take_visible_window() {  # class
  launched="$(desktop_visible_window "$1")" && [ -n "$launched" ]
}

# What a launched application last printed, on one line.
desktop_log_tail() {  # class
  echo "it printed: $(tail -n 3 "$work/$1.log" 2>/dev/null | tr '\n' '|')"
}

desktop_launch() {  # name class command...
  local name="$1" class="$2"
  launched=""
  shift 2
  (cd "$work" && exec "$@" >"$work/$class.log" 2>&1) &
  pids+=($!)
  if ! timeout 30 "$desktop_reader" wait-app "$name" 25; then
    desktop_error="$name didn't appear on the accessibility bus; $(desktop_log_tail "$class")"
    return 1
  fi
  if ! wait_for 10 desktop_take_visible_window "$class"; then
    desktop_error="$name has no visible window; $(desktop_log_tail "$class")"
    return 1
  fi
}
