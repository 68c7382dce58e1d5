#!/usr/bin/env bash
# The library in a Wayland session: what a host gets from an application
# that runs under XWayland and from a native Wayland one, side by side.
#
#   tests/linux/wayland_session.sh [BUILD_DIR]
#
# BUILD_DIR as for run.sh (bin/libaxtrack.so and bin/axtrack-linux-host).
# Without sway it prints a SKIP line and exits 0. Besides what run.sh needs
# (tests/linux/packages.txt) it needs sway, xwayland, wtype, wl-clipboard
# and grim, which CI installs (.ci/run).
#
# It starts sway headless (no screen, no input devices) with XWayland, as
# the user nobody when run as root (sway refuses root), letting root's
# clients in, on a private runtime folder, D-Bus session bus and
# accessibility bus. On it run mousepad twice: under XWayland
# (GDK_BACKEND=x11) and as a native Wayland client (GDK_BACKEND=wayland,
# on the bus as "mousepad-wl"); gnome-text-editor (GTK 4), FeatherPad
# (Qt, QT_QPA_PLATFORM=wayland) and Firefox ESR (MOZ_ENABLE_WAYLAND=1) as
# native clients, each closed when done with; and the test host,
# whose own window is an XWayland one. sway is asked to focus a window; xdotool types into the
# XWayland application, wtype (the compositor's virtual keyboard) into the
# native one; an AT-SPI client of our own reads the documents and the
# extents, and makes the selection in the native one. What is checked:
#
#   XWayland     app_changed, text_select with the extents AT-SPI gives,
#                where the screen shows the selection (screenshots),
#                setText pastes and puts the clipboard back,
#                alt_enter_pressed (Alt+Return typed through the
#                compositor, which holds the library's binding),
#                focusPreiov brings the application back, the pointer
#                entering the host's window gives mouse_hoverd
#   native       (each of the four) app_changed with the bundle_id its
#                window gives the compositor, text_select with the
#                extents AT-SPI gives relative to the window, moved by
#                the window's place in the compositor's tree, where the
#                screen shows the selection; alt_enter_pressed,
#                setText replaces the selection
#                through the toolkit's editable text (no keys can reach
#                it), characters beyond ASCII included, and leaves both
#                the Wayland and the X clipboard as they were; focusPreiov
#                brings the window back through sway's IPC (it has no X
#                window). The selection is made through AT-SPI, else by
#                keys; where neither can make it, a LIMIT line for
#                text_select, and the replacement goes in at the caret.
#   the end      the host killed with SIGKILL: the binding's keeper takes
#                Alt+Return back from the compositor
#
# sway's default for a request to activate a window only marks it urgent;
# the session here lets such requests focus the window, as GNOME and KDE do.
# Every wait is bounded; everything started is stopped on exit. The last
# line is "wayland-session: N passed, N failed".
set -u

here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../../build-linux}"
[ -d "$build" ] && build="$(cd "$build" && pwd)"
library="$build/bin/libaxtrack.so"
host="$build/bin/axtrack-linux-host"
reader="$here/atspi_reader.py"

if ! command -v sway >/dev/null 2>&1; then
  echo "SKIP wayland-session: sway is not installed (apt-get install -y sway)"
  exit 0
fi

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS $1"; }
fail() { failed=$((failed + 1)); echo "FAIL $1: $2"; }
finish() {
  echo "wayland-session: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

. "$here/desktop_env.sh"
. "$here/host_log.sh"
. "$here/app_launch.sh"
mapfile -t missing < <(desktop_wayland_missing Xwayland swaymsg wtype wl-copy wl-paste grim xclip xdotool mousepad setpriv -- "$library" "$host")
if [ ${#missing[@]} -gt 0 ]; then
  fail "setup" "missing: ${missing[*]} (see the head of this script)"
  finish
fi

# ---------------------------------------------------------------- the session
trap desktop_stop EXIT
work="$(mktemp -d /tmp/axtrack-wayland.XXXXXX)"
chmod 755 "$work"
# What sway's own children write (their user may be nobody).
shared="$work/shared"
mkdir -m 1777 "$shared"
desktop_wayland_session || { fail "setup" "$desktop_error"; finish; }

cat >"$work/sway.config" <<'EOF'
xwayland force
output HEADLESS-1 resolution 1280x1024 position 0 0
focus_on_window_activation focus
EOF
as_sway=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$XDG_RUNTIME_DIR"
  as_sway=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$work")
fi
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  "${as_sway[@]}" sway -c "$work/sway.config" >"$work/sway.log" 2>&1 &
pids+=($!)
sway_socket() { ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | grep -m1 .; }
wait_for 15 sway_socket || { fail "setup" "sway didn't start: $(tail -3 "$work/sway.log" | tr '\n' '|')"; finish; }
export SWAYSOCK="$(sway_socket)"
wayland_up() { [ -S "$XDG_RUNTIME_DIR/wayland-1" ] || [ -S "$XDG_RUNTIME_DIR/wayland-0" ]; }
wait_for 10 wayland_up || { fail "setup" "sway has no Wayland socket"; finish; }
export WAYLAND_DISPLAY="$(basename "$(ls "$XDG_RUNTIME_DIR"/wayland-? | grep -m1 .)")"

# A keyboard that stays: without one on the seat, no Wayland client is
# ever told it has the keyboard focus, and none reports itself active.
wtype -s 1000000 "" >"$work/keyboard.log" 2>&1 &
pids+=($!)

# XWayland's display, as sway's children see it; root is let in.
cat >"$shared/allow_root.py" <<'EOF'
from Xlib import X, display
d = display.Display()
d.change_hosts(X.HostInsert, 5, b"localuser\0root")  # 5: server-interpreted
d.sync()
EOF
swaymsg -q exec "echo \"\$DISPLAY\" >$shared/display.tmp && mv $shared/display.tmp $shared/display"
wait_for 10 test -s "$shared/display" || { fail "setup" "XWayland's display is unknown"; finish; }
export DISPLAY="$(cat "$shared/display")"
[ "$(id -u)" -eq 0 ] && swaymsg -q exec "/usr/bin/python3 $shared/allow_root.py"
wait_for 10 xdpyinfo || { fail "setup" "XWayland ($DISPLAY) doesn't let us in"; finish; }

# ---------------------------------------------------------------- applications
# sway's windows, one a line: "pid X11-window-id-or-0 focused".
sway_windows() {
  swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(n):
    if n.get("pid") or n.get("window"):
        print(n.get("pid") or 0, n.get("window") or 0, 1 if n.get("focused") else 0)
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))'
}
# A window is named by its process ("pid N") or by its X11 id ("id N").
has_window() { sway_windows | awk -v k="$1" -v v="$(($2))" '(k == "pid" ? $1 : $2) == v { f = 1 } END { exit !f }'; }
# The app_id a native window of process PID gives itself, as sway has it.
sway_app_id() {
  swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(n):
    if n.get("pid") == int(sys.argv[1]) and n.get("shell") != "xwayland" and n.get("app_id"):
        print(n["app_id"])
        sys.exit(0)
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))' "$1"
}
# Where the content of process PID's native window starts on the screen,
# "x y", as sway has it: the container's place plus the window's within it.
sway_content_origin() {
  swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(n):
    if n.get("pid") == int(sys.argv[1]) and n.get("shell") != "xwayland":
        print(n["rect"]["x"] + n["window_rect"]["x"], n["rect"]["y"] + n["window_rect"]["y"])
        sys.exit(0)
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))' "$1"
}
focused() { sway_windows | awk '$3 == 1 { print "pid " $1 ", window " $2 }'; }
is_focused() { sway_windows | awk -v k="$1" -v v="$(($2))" '$3 == 1 && (k == "pid" ? $1 : $2) == v { f = 1 } END { exit !f }'; }
focus() { swaymsg -q "[$1=$2] focus" && wait_for 5 is_focused "$1" "$2"; }

launch() {  # bus-name log command...
  local name="$1" log="$2"
  shift 2
  (cd "$work" && exec "$@" >"$work/$log.log" 2>&1) &
  launched=$!
  pids+=("$launched")
  timeout 30 "$reader" wait-app "$name" 25 && wait_for 10 has_window pid "$launched"
}
launch mousepad mousepad-x11 env GDK_BACKEND=x11 mousepad ||
  { fail "setup" "mousepad under XWayland didn't come up"; finish; }
xapp=$launched
# Its own name on the bus, and no server: the first mousepad would take
# the window over.
launch mousepad-wl mousepad-wl env GDK_BACKEND=wayland bash -c 'exec -a mousepad-wl mousepad --disable-server' ||
  { fail "setup" "mousepad as a Wayland client didn't come up"; finish; }
wapp=$launched

# ---------------------------------------------------------------- the host
settle() { sleep 0.4; }
host_start 180 --window || { fail "setup" "$host_error"; finish; }
# XWayland under a busy sway may take its time to map a new client's
# window: the failure says what sway had by then.
wait_for 20 has_window id "$hostwin" ||
  { fail "setup" "the host's window $hostwin didn't show within 20 s; sway has: $(sway_windows | tr '\n' '|')"; finish; }

# The X clipboard's text, and the Wayland one's.
x_clip() { timeout 5 xclip -selection clipboard -o; }
w_clip() { timeout 5 wl-paste --no-newline; }
# wtype's first key can reach the application before its key map: a
# modifier goes first. (Under sway 1.7 chords don't reach a native client,
# the modifiers of wtype's keyboards never do, so a native application's
# selection is made through AT-SPI where the toolkit takes it.)
wkeys() { wtype -k Shift_L "$@"; }
document() { timeout 10 "$reader" text "$1"; }
# Selects the first WORD in NAME's text through AT-SPI, as the reader finds
# that text. GTK 4.8 makes the selection but never answers the request: an
# unanswered one counts as made, and the caller's check of the selection
# tells.
select_word() {  # name word
  timeout 10 "$reader" select "$1" "$2"
}
# Selects START..END (characters) of a single line with the keyboard, for
# toolkits that take no selection over AT-SPI (GTK 4.18); the keyboard
# types chords under sway 1.10, not under 1.7.
select_by_keys() {  # start end
  local keys=(-k Home) i
  for ((i = 0; i < $1; i++)); do keys+=(-k Right); done
  keys+=(-M shift)
  for ((i = $1; i < $2; i++)); do keys+=(-k Right); done
  keys+=(-m shift)
  wtype "${keys[@]}"
}
# Selects WORD, at START..END, in $app: through AT-SPI, else by keys (the
# time $t is then the keys').
select_range() {  # word start end
  { select_word "$app" "$1" && timeout 5 "$reader" expect "$app" 2 "selection=$2:$3" >/dev/null; } ||
    { t="$(now)" && select_by_keys "$2" "$3" && timeout 5 "$reader" expect "$app" 2 "selection=$2:$3" >/dev/null; }
}
extents() { timeout 10 "$reader" extents "$1" "$2"; }
rect_of() {  # "x y w h" -> the event's position and size members
  local x y w h
  read -r x y w h <<<"$1"
  echo "\"position\":{\"x\":$x,\"y\":$y},\"selected_text\":\"$2\",\"size\":{\"height\":$h,\"width\":$w}"
}

# sway focuses the window of process PID: app_changed names $app, and
# BUNDLE_ID when given.
# SINCE: the application was launched then, and its window took the focus
# as it showed: the app_changed since then counts (its latency doesn't).
expect_activation() {  # pid [bundle-id [since]]
  local got
  t="${3:-$(now)}"
  focus pid "$1"
  if got="$(event_after app_changed "$t" 5)" && [[ "$got" == *"\"name\":\"$app\""* ]] &&
     [[ -z "${2:-}" || "$got" == *"\"bundle_id\":\"$2\""* ]]; then
    pass "$label: app_changed${2:+ with the bundle_id the window gives itself ($2)}"
    [ -n "${3:-}" ] || latency app_changed "$t" "$got"
  else
    fail "$label" "no app_changed for $app${2:+ with bundle_id $2} within 5 s: $(tail -4 "$hostlog" | tr '\n' '|')"
  fi
}

# The text_select for WORD, selected in $app after $t, with the extents
# AT-SPI gives, moved by DX DY when given (WHERE says where they are).
# Whether the event's rectangle lies within "x y w h".
inside() {  # event-line "x y w h"
  # shellcheck disable=SC2086
  /usr/bin/python3 "$here/screen_change.py" --inside "$1" $2
}
# Returns 2 when the toolkit gave no extents at all (all zeros), or those
# of only part of the selection (Firefox, for a selection made over AT-SPI
# that it hasn't laid out yet).
expect_selection() {  # word where [dx dy]
  local got want x y w h
  if got="$(event_after text_select "$t" 5)"; then
    if [[ "$got" == *'"position":{"x":0,"y":0},'*'"size":{"height":0,"width":0}'* ]]; then
      echo "LIMIT $label: text_select: the toolkit gave no extents for the selection yet (all zeros), which the host gets as they are"
      return 2
    fi
    want="$(extents "$app" "$1")"
    # GTK 4 gives a range's extents in no coordinates, a character's in
    # its window's.
    [ "$want" = none ] && want="$(timeout 10 "$reader" window-extents "$app" "$1")"
    if [ $# -ge 4 ]; then
      read -r x y w h <<<"$want"
      want="$((x + $3)) $((y + $4)) $w $h"
    fi
    if [[ "$got" == *"$(rect_of "$want" "$1")"* ]]; then
      pass "$label: text_select with the extents AT-SPI gives, $2 ($want)"
      latency text_select "$t" "$got"
    elif inside "$got" "$want"; then
      # Firefox lays a selection made over AT-SPI out a piece at a time,
      # and draws it later still: what the screen shows can't be told.
      echo "LIMIT $label: text_select: the toolkit's extents were of part of the selection when it was made; AT-SPI gives $want now: $got"
      return 2
    else
      fail "$label text_select" "got $got, AT-SPI gives $want"
    fi
  else
    fail "$label text_select" "none within 5 s: $(tail -3 "$hostlog" | tr '\n' '|') document: $(document "$app")"
  fi
}

# What the screen shows: the rectangle of the last text_select holds the
# selection's highlight, which goes when the selection does. Two of the
# compositor's screenshots, with WORD selected and without, are told apart
# inside the rectangle. A rectangle in the wrong place (one relative to
# the window, say) sees nothing change.
expect_on_screen() {  # word
  local got
  got="$(event_after text_select "$t" 1)"
  grim -t ppm "$work/selected.ppm" 2>"$work/grim.log"
  timeout 10 "$reader" caret "$app" 0 >/dev/null 2>&1 || wtype -k Home
  wait_for 5 sh -c "timeout 5 '$reader' expect '$app' 1 selection=none >/dev/null"
  settle
  grim -t ppm "$work/unselected.ppm" 2>>"$work/grim.log"
  local changed
  if changed="$(/usr/bin/python3 "$here/screen_change.py" "$work/selected.ppm" "$work/unselected.ppm" "$got")" &&
     [ "${changed%%%*}" -ge 40 ]; then
    pass "$label: the screen shows the selection inside text_select's rectangle ($changed of it changes with it)"
  else
    fail "$label on the screen" "${changed:-no screenshots: $(tail -2 "$work/grim.log")} of the rectangle changes with the selection: $got"
  fi
  # The selection back, for what follows.
  select_range "$1" 0 "${#1}"
  t="$(now)"
}

# ---------------------------------------------------------------- XWayland
label="XWayland (mousepad, GDK_BACKEND=x11)"
app=mousepad
expect_activation "$xapp"
xdotool key ctrl+a
xdotool type --delay 5 'alpha beta gamma'
xdotool key ctrl+Home
settle
t="$(now)"
xdotool key ctrl+shift+Right
expect_selection alpha "on the screen"
expect_on_screen alpha
settle
# Alt+Return the way the user's keyboard gives it: through the compositor,
# which holds the library's binding (XTEST's keys never pass through it).
expect_hot_key() {  # selected-text
  local got
  t="$(now)"
  wtype -M alt -k Return -m alt
  if got="$(event_after alt_enter_pressed "$t" 5)" && [[ "$got" == *"\"selected_text\":\"$1\""* ]]; then
    pass "$label: alt_enter_pressed through the compositor's binding"
    latency alt_enter_pressed "$t" "$got"
  elif [ -z "$got" ] && event_after focused_changed "$t" 0 | grep -q "\"name\":\"$app\""; then
    # The compositor keeps Return but not Alt: an application whose menu
    # bar takes the focus on Alt alone has moved it there by the time the
    # library asks what is focused.
    echo "LIMIT $label: alt_enter_pressed: Alt alone gave the focus to the application's menu (focused_changed), away from the text"
  else
    fail "$label alt_enter_pressed" "${got:-none within 5 s}: $(tail -3 "$hostlog" | tr '\n' '|')"
  fi
  settle
}

printf 'clipboard before' | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
pids+=($!)
wait_for 5 x_clip
t="$(now)"
call setText DELTA
if times="$(did_after setText "$t" 10)"; then
  doc="$(document mousepad)"
  after="$(x_clip)"
  if [ "$doc" = 'DELTA beta gamma' ] && [ "$after" = 'clipboard before' ]; then
    pass "$label: setText pasted DELTA and put the clipboard back"
    echo "  duration setText $(ms ${times% *} ${times#* }) ms"
  else
    fail "$label setText" "document '$doc', clipboard '$after'"
  fi
else
  fail "$label setText" "didn't return within 10 s"
fi
settle

# The hot key comes after the paste: wtype gives XWayland a keymap of its
# own, on which XTEST's Control+V would no longer be one.
xdotool key ctrl+Home ctrl+shift+Right
wait_for 5 sh -c "timeout 5 '$reader' expect mousepad 1 selection=0:5 >/dev/null"
settle
expect_hot_key DELTA

# focusPreiov from the host's own window brings process PID's back.
expect_return() {  # pid how
  focus id "$hostwin"
  settle
  t="$(now)"
  call focusPreiov
  did_after focusPreiov "$t" 5 >/dev/null
  if wait_for 5 is_focused pid "$1"; then
    pass "$label: focusPreiov brought $app back from the host's window $2"
  else
    fail "$label focusPreiov" "the focus is on $(focused), $app is pid $1"
  fi
}
expect_return "$xapp" "through the X server"

# The pointer entering the host's window.
call addMouseTracker "$hostwin"
settle
read -r hx hy < <(xdotool getwindowgeometry "$hostwin" | awk '/Position/ { split($2, p, ","); print p[1], p[2] }')
xdotool mousemove 1 1
settle
t="$(now)"
xdotool mousemove $((hx + 20)) $((hy + 20))
if got="$(event_after mouse_hoverd "$t" 5)"; then
  pass "hover: mouse_hoverd when the pointer enters the host's XWayland window"
  latency mouse_hoverd "$t" "$got"
else
  fail "hover" "no mouse_hoverd within 5 s"
fi
xdotool mousemove 1 1
settle

# ---------------------------------------------------------------- native
# One native application's cases: the bus name it has, its process.
# UNTAKEN: the toolkit offers editable text over the bus but takes nothing
# through it (Firefox's says it did).
native_cases() {  # label bus-name pid [launched-at [untaken]]
  label="$1"
  app="$2"
  local pid="$3" since="${4:-}" untaken="${5:-}" id
  id="$(sway_app_id "$pid")"
  [ -n "$id" ] || fail "$label app_id" "sway gives no app_id for pid $pid (precondition)"
  expect_activation "$pid" "$id" "$since"
  wkeys 'one two three'
  wait_for 5 sh -c "[ \"\$(timeout 10 '$reader' text '$app')\" = 'one two three' ]"
  settle
  t="$(now)"
  # The selection is made through AT-SPI, else by keys; where neither
  # makes it, the caret stays at the end, and the replacement goes in at
  # the caret, as a paste would.
  local want='DELTA two three'
  if select_range one 0 3; then
    local origin
    origin="$(sway_content_origin "$pid")"
    expect_selection one "placed on the screen by the window's place in the compositor's tree ($origin)" $origin &&
      expect_on_screen one
    settle
    expect_hot_key one
  else
    echo "LIMIT $label: text_select: the toolkit takes no selection over AT-SPI and the test's keyboard types no chords here; setText is checked at the caret"
    timeout 10 "$reader" caret "$app" 13 >/dev/null 2>&1
    want='one two threeDELTA'
  fi
  settle

  # The user's clipboard is a Wayland client's.
  printf 'wayland words' | wl-copy 2>"$work/wl-copy.log"
  wait_for 5 w_clip
  local before_owner before_doc doc lines times editable=1
  before_owner="$(x_owner)"
  before_doc="$(document "$app")"
  # Without editable text over the bus nothing can take the text: the
  # call must say so and change nothing.
  local took="Task started|Task ended|" why
  if ! timeout 10 "$reader" editable "$app"; then
    editable=0
    want="$before_doc"
    took="Task started|Not pasted: keys can't reach the focused application|Task ended|"
    why="the text offers no EditableText over the bus"
  elif [ -n "$untaken" ]; then
    editable=0
    want="$before_doc"
    took="Task started|Not replaced: the focused element didn't take the text|Task ended|"
    why="the toolkit's EditableText takes nothing (and says it did), which the library's read-back finds"
  fi
  t="$(now)"
  call setText DELTA
  if times="$(did_after setText "$t" 10)"; then
    doc="$(document "$app")"
    lines="$(lines_of_call setText "$t" | tr '\n' '|')"
    if [ "$before_doc" != 'one two three' ]; then
      fail "$label setText" "the document held '$before_doc' before the call, not what was typed"
    elif [ "$doc" = "$want" ] && [ "$(w_clip)" = 'wayland words' ] && [ "$(x_owner)" = "$before_owner" ] &&
       [ "$lines" = "$took" ]; then
      if [ "$editable" = 1 ]; then
        pass "$label: setText put DELTA in through the toolkit and left the Wayland and the X clipboard alone"
        echo "  duration setText $(ms ${times% *} ${times#* }) ms"
      else
        pass "$label: setText said it can't, and left the document and both clipboards alone"
        echo "LIMIT $label: setText: $why, and the library has no paste through the compositor's keyboard"
      fi
    else
      fail "$label setText" "document '$doc' (was '$before_doc', wanted '$want'), clipboard '$(w_clip)', X owner $(x_owner) (was $before_owner), lines '$lines'"
    fi
  else
    fail "$label setText" "didn't return within 10 s"
  fi

  # Characters beyond ASCII: toolkits count an insertion's length in
  # different units (GTK in bytes, Qt in UTF-16 units).
  settle
  before_doc="$(document "$app")"
  local wide='ŧwø✓😀'
  if [ "$editable" = 0 ]; then
    :
  elif [ "$want" = 'DELTA two three' ] && select_range two 6 9; then
    want="DELTA $wide three"
  else
    want="$before_doc$wide"
  fi
  t="$(now)"
  if [ "$editable" = 0 ]; then
    :
  elif call setText "$wide" && did_after setText "$t" 10 >/dev/null && [ "$(document "$app")" = "$want" ] &&
     [ "$(w_clip)" = 'wayland words' ]; then
    pass "$label: setText put in characters beyond ASCII as given"
  else
    fail "$label setText beyond ASCII" "document '$(document "$app")', wanted '$want', clipboard '$(w_clip)'"
  fi

  # The native window has no X window to activate; the compositor's IPC
  # focuses it.
  expect_return "$pid" "through sway's IPC"
  # Done with: its window goes, and leaves the next one room.
  kill "$pid" 2>/dev/null
  wait_for 5 sh -c "! swaymsg -t get_tree | grep -q '\"pid\": $pid,'"
}

native_cases "native Wayland GTK 3 (mousepad, GDK_BACKEND=wayland)" mousepad-wl "$wapp"
since="$(now)"
if launch gnome-text-editor gnome-text-editor env GDK_BACKEND=wayland gnome-text-editor --standalone; then
  native_cases "native Wayland GTK 4 (gnome-text-editor)" gnome-text-editor "$launched" "$since"
else
  fail "native Wayland GTK 4 (gnome-text-editor)" "didn't come up: $(tail -3 "$work/gnome-text-editor.log" | tr '\n' '|')"
fi
# Qt wants a runtime folder of its own user's (sway's is nobody's when
# run as root); the compositor's socket is named by its path.
qt_runtime="$work/qt-runtime"
mkdir -m 700 "$qt_runtime"
since="$(now)"
if launch FeatherPad featherpad env QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_RUNTIME_DIR="$qt_runtime" \
    WAYLAND_DISPLAY="$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" featherpad; then
  native_cases "native Wayland Qt (FeatherPad, QT_QPA_PLATFORM=wayland)" FeatherPad "$launched" "$since"
else
  fail "native Wayland Qt (FeatherPad)" "didn't come up: $(tail -3 "$work/featherpad.log" | tr '\n' '|') windows: $(sway_windows | tr '\n' '|')"
fi

# The browsers as native clients, on the page of the X11 tests (its text
# area has the focus); like Qt, each wants a runtime folder of its own
# user's.
browser() {  # label bus-name log untaken-or-empty command...
  local label="$1" name="$2" log="$3" untaken="$4"
  shift 4
  mkdir -m 700 "$work/$log-runtime"
  since="$(now)"
  if launch "$name" "$log" env HOME="$work/home" XDG_RUNTIME_DIR="$work/$log-runtime" \
      WAYLAND_DISPLAY="$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" "$@" &&
     wait_for 30 timeout 10 "$reader" text "$name"; then
    native_cases "$label" "$name" "$launched" "$since" "$untaken"
  else
    fail "$label" "didn't come up: $(tail -3 "$work/$log.log" | tr '\n' '|') windows: $(sway_windows | tr '\n' '|')"
  fi
}
mkdir -p "$work/home"
firefox_profile "$work/firefox-profile"
browser "native Wayland Firefox ESR (MOZ_ENABLE_WAYLAND=1)" Firefox firefox untaken \
  env MOZ_ENABLE_WAYLAND=1 GDK_BACKEND=wayland firefox-esr --no-remote --new-instance --profile "$work/firefox-profile" \
  "$app_launch_page"
# Not Chromium: with --ozone-platform=wayland it runs alone under these
# headless compositors, but with another native client present it shows
# no window and soon ends with a segmentation fault, the library's host
# running or not (sway 1.7 and 1.10 alike).

# The host's process ends without a word (as in a crash): the binding's
# keeper takes Alt+Return back, so no application is left without it.
label="the host killed"
keeper() { pgrep -f 'swaymsg -q -[s]' >/dev/null; }
if ! keeper; then
  fail "$label" "no binding keeper runs while the host does (precondition)"
else
  # The host itself, not the timeout that runs it.
  kill -9 $(pgrep -P "$hostpid") 2>/dev/null
  wait "$hostpid" 2>/dev/null
  if wait_for 5 sh -c '! pgrep -f "swaymsg -q -[s]" >/dev/null' &&
     ! swaymsg -q unbindsym Mod1+Return 2>/dev/null; then
    pass "$label: its keeper took the compositor's binding of Alt+Return back"
  else
    fail "$label" "the binding of Alt+Return is still there, or its keeper still waits: $(pgrep -af 'swaymsg|read -r' | tr '\n' '|') host $(pgrep -P "$hostpid") unbind: $(swaymsg unbindsym Mod1+Return 2>&1)"
  fi
fi

finish
