#!/usr/bin/env bash
# The library in the Wayland sessions of GNOME and KDE Plasma: mutter and
# KWin, whose compositors offer an ordinary client far less than sway's
# IPC does (tests/linux/wayland_session.sh).
#
#   tests/linux/wayland_desktops.sh [BUILD_DIR [mutter|kwin ...]]
#
# BUILD_DIR as for run.sh; without compositors named, both, one after the
# other, each in a session of its own. A compositor that isn't installed
# gets a SKIP line (CI installs mutter and kwin-wayland without their
# recommends). Besides what run.sh needs: Xwayland, xclip, xdotool,
# wl-clipboard, gnome-text-editor, featherpad, firefox-esr, chromium.
#
# Each session: the compositor headless (mutter --headless, kwin_wayland
# --virtual) with XWayland, on a private runtime folder, D-Bus session bus
# and accessibility bus; the test host an XWayland client with a window of
# its own. First mousepad under XWayland, the reference; then five native
# Wayland clients one after the other, each closed when done with: mousepad
# (GTK 3, on the bus as "mousepad-wl"), gnome-text-editor (GTK 4),
# FeatherPad (Qt), Firefox ESR and Chromium (each on a page of the test's,
# whose text area holds the text: neither takes any over AT-SPI). What the
# compositors let a test do, and so what it does:
#
#   keys         XTEST types into XWayland windows (straight into the X
#                server). A native window gets keys only through the
#                compositor: mutter's remote desktop (mutter_keyboard.py);
#                KWin's fake input (kwin_keyboard.py), which KWin offers
#                only to clients it trusts, so KWin is started here
#                trusting every client. Keys typed so go through the
#                compositor's shortcuts, as a user's do
#   text         put in, and selected, through AT-SPI by our own client
#                (atspi_reader.py), which also reads every result back;
#                where a toolkit takes no selection that way, by keys
#   focus        a window launched takes it; xdotool gives it to an X
#                window (the host's); the toolkit's ACTIVE state tells
#                which application has it, KWin's scripting too
#   clipboard    the X one always; the Wayland one where the compositor
#                offers data-control (KWin yes, mutter 43 no: there a
#                client reads it only by taking the focus)
#
# The cases: for the XWayland mousepad app_changed, text_select with the
# screen extents AT-SPI gives, alt_enter_pressed, setText pasting with the
# X clipboard put back, focusPreiov from the host's window, mouse_hoverd
# as XTEST moves the pointer into the host's window. For each native one
# app_changed with its own application id, text_select with the extents
# AT-SPI gives, placed where KWin has the window (relative to the window
# under mutter, which tells no client where a native window is), setText
# through the toolkit's editable text, beyond ASCII too, with both
# clipboards left alone, alt_enter_pressed (KWin: its shortcut service
# hears it, and the application doesn't get the key; mutter: the hot key is
# an X grab, which a native application's keys never reach), and
# focusPreiov from the host's window (KWin: the window is active again;
# mutter: nothing can activate it). What a compositor makes impossible is
# a LIMIT line resting on what the script checked.
#
# Every wait is bounded; everything started is stopped on exit. The last
# line is "wayland-desktops: N passed, N failed".
set -u

here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../../build-linux}"
[ -d "$build" ] && build="$(cd "$build" && pwd)"
[ $# -gt 0 ] && shift
compositors=("$@")

# More than one compositor: each in a run of its own, the counts summed.
if [ ${#compositors[@]} -ne 1 ]; then
  [ ${#compositors[@]} -gt 0 ] || compositors=(mutter kwin)
  total_passed=0
  total_failed=0
  out="$(mktemp)"
  for c in "${compositors[@]}"; do
    echo "-- $c"
    bash "$0" "$build" "$c" 2>&1 | tee "$out"
    p="" f=""
    read -r p _ f _ < <(sed -n 's/^wayland-desktops: //p' "$out" | tail -1)
    [[ "$p" =~ ^[0-9]+$ && "$f" =~ ^[0-9]+$ ]] || { p=0; f=1; echo "FAIL $c: the run ended without its summary line"; }
    total_passed=$((total_passed + p))
    total_failed=$((total_failed + f))
  done
  rm -f "$out"
  echo "wayland-desktops: $total_passed passed, $total_failed failed"
  [ "$total_failed" -eq 0 ]
  exit
fi
compositor="${compositors[0]}"
library="$build/bin/libaxtrack.so"
host="$build/bin/axtrack-linux-host"
reader="$here/atspi_reader.py"

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS $1"; }
fail() { failed=$((failed + 1)); echo "FAIL $1: $2"; }
limit() { echo "LIMIT $1: $2"; }
# The session stopped first: what its ending prints (KWin 5.27 may crash
# as it quits) comes before the last line.
finish() {
  declare -F desktop_stop >/dev/null && desktop_stop
  echo "wayland-desktops: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

case "$compositor" in
  mutter) binary=mutter shown=mutter ;;
  kwin) binary=kwin_wayland shown=KWin ;;
  *) fail "setup" "no such compositor here: $compositor (mutter or kwin)"; finish ;;
esac
if ! command -v "$binary" >/dev/null 2>&1; then
  echo "SKIP wayland-desktops $compositor: $binary is not installed"
  finish
fi

# The application ids the applications give themselves: the id a native
# window names itself by to the compositor (its desktop file's name).
declare -A own_id=(
  [mousepad]=org.xfce.mousepad
  [mousepad-wl]=org.xfce.mousepad
  [gnome-text-editor]=org.gnome.TextEditor
  [FeatherPad]=featherpad
  [Firefox]=firefox-esr
  [Chromium]=chromium
)

. "$here/desktop_env.sh"
. "$here/host_log.sh"
. "$here/app_launch.sh"
missing=($(desktop_wayland_missing Xwayland xclip xdotool xdpyinfo xwininfo wl-copy wl-paste mousepad gnome-text-editor featherpad firefox-esr chromium \
  -- "$library" "$host"))
if [ ${#missing[@]} -gt 0 ]; then
  fail "setup" "missing: ${missing[*]} (see the head of this script)"
  finish
fi

# ---------------------------------------------------------------- the session
trap desktop_stop EXIT
work="$(mktemp -d /tmp/axtrack-desktops.XXXXXX)"
desktop_wayland_session || { fail "setup" "$desktop_error"; finish; }

log="$work/$compositor.log"
setup_failed() { fail "setup" "$1: $(grep -v -i -E 'breeze|xkb|keycode' "$log" | tail -4 | tr '\n' '|')"; finish; }
if [ "$compositor" = mutter ]; then
  mutter --headless --wayland --virtual-monitor 1280x1024 >"$log" 2>&1 &
else
  # kwin_wayland carries a file capability, which a container may refuse
  # to run; a plain copy has none, and its built-in Qt platform plugin
  # wants the name kept.
  kwin=/usr/bin/kwin_wayland
  if ! "$kwin" --version >/dev/null 2>&1; then
    mkdir -p "$work/bin" && cp "$kwin" "$work/bin/kwin_wayland" && kwin="$work/bin/kwin_wayland"
  fi
  # KWin tells the programs it starts the X display and its authority:
  # this one writes them down.
  printf '#!/bin/sh\necho "$DISPLAY $XAUTHORITY" >"%s/x.tmp" && mv "%s/x.tmp" "%s/x"\n' "$work" "$work" "$work" >"$work/tell-display"
  chmod +x "$work/tell-display"
  # Trusting every client gives the test's keyboard fake input, which
  # KWin otherwise offers only to a program whose desktop file asks for it.
  KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
    "$kwin" --virtual --xwayland --socket wayland-0 --width 1280 --height 1024 "$work/tell-display" >"$log" 2>&1 &
fi
compositor_pid=$!
pids+=("$compositor_pid")
wait_for 20 test -S "$XDG_RUNTIME_DIR/wayland-0" || setup_failed "$compositor didn't start"
export WAYLAND_DISPLAY=wayland-0

# XWayland's display: mutter names it in its log (another server may hold
# :0) and gives XWayland an authority file of its own, which root's
# clients need too; KWin's XWayland lets in its own user.
if [ "$compositor" = mutter ]; then
  mutter_display() {
    sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$log" | grep -m1 . ||
      pgrep -a -P "$compositor_pid" Xwayland | grep -o ' :[0-9]*' | tr -d ' ' | grep -m1 .
  }
  wait_for 20 mutter_display || setup_failed "mutter named no X display"
  display="$(mutter_display)"
  # Written as mutter starts, before XWayland (which a later mutter starts
  # only for the first X client) is given it.
  mutter_auth() {
    ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | grep -m1 . ||
      pgrep -a -P "$compositor_pid" Xwayland | grep -o -- '-auth [^ ]*' | cut -d' ' -f2 | grep .
  }
  wait_for 20 mutter_auth || setup_failed "mutter made no authority file for XWayland"
  auth="$(mutter_auth)"
else
  wait_for 20 test -s "$work/x" || setup_failed "KWin gave its programs no X display"
  read -r display auth <"$work/x"
fi
export DISPLAY="$display"
[ -n "${auth:-}" ] && export XAUTHORITY="$auth"
wait_for 10 xdpyinfo || setup_failed "XWayland ($DISPLAY${auth:+, authority $auth}) doesn't let us in"
echo "  $compositor: ${kwin:+$("$kwin" --version 2>/dev/null) }$(sed -n 's/.*(using mutter \([^)]*\)).*/mutter \1 /p' "$log" | head -1)with XWayland on $DISPLAY${auth:+ (authority file $auth)}"

# A keyboard on the seat: through mutter's remote desktop (a headless
# mutter has none, and without one no Wayland client is told it has the
# keyboard focus, nor reports itself active), or KWin's fake input (its
# virtual seat has a keyboard no client can type on).
keyboard=""
keys() { echo "$*" >&8; }
if [ "$compositor" = mutter ]; then
  typist=mutter_keyboard.py keyboard="mutter's remote desktop"
else
  typist=kwin_keyboard.py keyboard="KWin's fake input"
fi
mkfifo "$work/keys"
/usr/bin/python3 "$here/$typist" "$work/keys" >"$work/keyboard.log" 2>&1 &
pids+=($!)
exec 8<>"$work/keys"
wait_for 10 grep -q '^ready' "$work/keyboard.log" ||
  { fail "setup" "no keyboard through $keyboard: $(tail -3 "$work/keyboard.log" | tr '\n' '|')"; finish; }

# What the compositor offers a client, asked once before any window is
# there (wl-paste without data-control shows a window to get the focus).
WAYLAND_DEBUG=1 timeout 5 wl-paste --list-types >"$work/globals.log" 2>&1
globals="$(sed -n 's/.*wl_registry[@#][0-9]*\.global([0-9]*, "\([^"]*\)".*/\1/p' "$work/globals.log" | sort -u | tr '\n' ' ')"
[[ "$globals" == *wl_compositor* ]] || { fail "setup" "no Wayland client gets $compositor's globals: $(tail -3 "$work/globals.log" | tr '\n' '|')"; finish; }
data_control=""
[[ "$globals" == *data_control_manager* ]] && data_control=1
virtual_keyboard=""
[[ "$globals" == *zwp_virtual_keyboard_manager_v1* || "$globals" == *org_kde_kwin_fake_input* ]] && virtual_keyboard=1
yes_no() { if [ -n "$1" ]; then echo yes; else echo no; fi; }
echo "  $shown offers data-control: $(yes_no "$data_control"), a virtual keyboard or fake input: $(yes_no "$virtual_keyboard")"

# Under mutter no native application's keys reach the hot key. mutter 48
# has a keyboard monitor for assistive technology that would hear them
# (org.freedesktop.a11y.KeyboardMonitor), but it answers only the
# connection that owns the screen reader's name, which a library in
# another program must not take: asked once, as an ordinary client.
if [ "$compositor" = mutter ]; then
  a11y_manager() {  # method
    timeout 5 dbus-send --session --print-reply=literal --dest=org.freedesktop.a11y.Manager \
      /org/freedesktop/a11y/Manager "org.freedesktop.a11y.KeyboardMonitor.$1" 2>&1
  }
  if ! timeout 5 dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
       org.freedesktop.DBus.NameHasOwner string:org.freedesktop.a11y.Manager 2>/dev/null | grep -q true; then
    limit "$compositor: a keyboard monitor for the hot key" "$shown has none on the session bus (org.freedesktop.a11y.Manager)"
  elif monitor="$(a11y_manager WatchKeyboard)"; then
    a11y_manager UnwatchKeyboard >/dev/null
    echo "NOTE $compositor: its keyboard monitor let an ordinary client watch the keyboard ($monitor): the hot key could be heard there"
  else
    limit "$compositor: a keyboard monitor for the hot key" "$shown's keyboard monitor answers only the connection that owns the screen reader's name: $(echo "$monitor" | tr '\n' ' ')"
  fi
fi

# ---------------------------------------------------------------- the host
settle() { sleep 0.4; }
host_start 230 --window || { fail "setup" "$host_error"; finish; }
wait_for 10 xdotool getwindowgeometry "$hostwin" || { fail "setup" "the host's window $hostwin isn't there"; finish; }
host_events() {
  local lines
  lines="$(grep '^event' "$hostlog" | tail -3)"
  [ -n "$lines" ] || lines="no event yet, the host's log ends: $(tail -4 "$hostlog")"
  tr '\n' '|' <<<"$lines"
}

# ---------------------------------------------------------------- looks
# The X clipboard's text, and the Wayland one's.
x_clip() { timeout 5 xclip -selection clipboard -o 2>/dev/null; }
w_clip() { timeout 5 wl-paste --no-newline 2>/dev/null; }
document() { timeout 10 "$reader" text "$1"; }
active() { timeout 10 "$reader" active "$1"; }
# A window's place and size on the screen, "x y w h" (xdotool's adds the
# frame's offset twice under a reparenting window manager).
x_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { print x, y, w, $2 }'
}
x_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$(($1))" ]; }
selection_is() { timeout 5 "$reader" expect "$1" 2 "selection=$2" >/dev/null; }

# Runs the KWin script on standard input, which KWin 6 and 5 alike run
# (windows() is the list of windows, active() the active one, say(...) a
# line of the answer), and prints its lines. KWin prints what a script
# prints to its own output; the lines are told by a mark of this run.
kwin_script() {
  [ "$compositor" = kwin ] || return 1
  local mark="axtrack-test-$RANDOM$RANDOM" id
  {
    cat <<EOF
// KWin 6 names them windows, KWin 5 clients.
function windows() { return workspace.windowList ? workspace.windowList() : workspace.clientList(); }
function active() { return workspace.windowList ? workspace.activeWindow : workspace.activeClient; }
function say(line) { print("$mark " + line); }
EOF
    cat
    echo 'say("end");'
  } >"$work/test-script.js"
  id="$(timeout 5 dbus-send --session --print-reply=literal --dest=org.kde.KWin /Scripting \
    org.kde.kwin.Scripting.loadScript "string:$work/test-script.js" string:axtrack-test | awk '{ print $2 }')"
  [[ "$id" =~ ^[0-9]+$ ]] || return 1
  # KWin 5 puts a script at /N, KWin 6 at /Scripting/ScriptN.
  timeout 5 dbus-send --session --print-reply --dest=org.kde.KWin "/$id" org.kde.kwin.Script.run >/dev/null 2>&1 ||
    timeout 5 dbus-send --session --print-reply --dest=org.kde.KWin "/Scripting/Script$id" org.kde.kwin.Script.run >/dev/null 2>&1
  wait_for 5 grep -q "$mark end" "$log"
  timeout 5 dbus-send --session --print-reply --dest=org.kde.KWin /Scripting \
    org.kde.kwin.Scripting.unloadScript string:axtrack-test >/dev/null 2>&1
  grep "$mark " "$log" | grep -v "$mark end" | sed "s/.*$mark //"
}

# KWin's own view of its windows: one line per window, "pid
# resource-class desktop-file active x y surface-x surface-y X-window
# normal", x y the frame's.
kwin_windows() {
  kwin_script <<'EOF'
var cs = windows();
for (var i = 0; i < cs.length; i++) {
  var c = cs[i];
  say(c.pid + " " + (c.resourceClass || "-") + " " + (c.desktopFileName || "-") + " " +
        (active() === c ? 1 : 0) + " " + Math.round(c.x) + " " + Math.round(c.y) + " " +
        Math.round(c.bufferGeometry.x) + " " + Math.round(c.bufferGeometry.y) + " " + c.windowId + " " +
        (c.normalWindow ? 1 : 0));
}
EOF
}

# Gives PID's normal window the frame "x y w h", as a user dragging it
# would, and waits for KWin to have it there (the client takes the new
# size in its own time).
kwin_place() {  # pid x y w h
  kwin_script <<EOF >/dev/null
var cs = windows();
for (var i = 0; i < cs.length; i++) {
  var c = cs[i];
  if (c.pid === $1 && c.normalWindow) c.frameGeometry = { x: $2, y: $3, width: $4, height: $5 };
}
EOF
  local i
  for i in $(seq 20); do
    [ "$(kwin_window_of "$1" | cut -d' ' -f5,6)" = "$2 $3" ] && return
    sleep 0.25
  done
  return 1
}
kwin_window_of() { kwin_windows | awk -v p="$1" '$1 == p { print; exit }'; }  # pid

# Whether the event's rectangle lies within "x y w h".
inside() {  # event-line "x y w h"
  /usr/bin/python3 -c '
import json, re, sys
m = re.search(r"\"position\":(\{[^}]*\}).*\"size\":(\{[^}]*\})", sys.argv[1])
p, s = json.loads(m.group(1)), json.loads(m.group(2))
x, y, w, h = map(float, sys.argv[2].split())
sys.exit(0 if x <= p["x"] and y <= p["y"] and p["x"] + s["width"] <= x + w and p["y"] + s["height"] <= y + h
         and s["width"] > 0 and s["height"] > 0 else 1)' "$1" "$2"
}

launch() {  # bus-name log command...
  local name="$1" out="$2"
  shift 2
  (cd "$work" && exec "$@" >"$work/$out.log" 2>&1) &
  launched=$!
  pids+=("$launched")
  timeout 30 "$reader" wait-app "$name" 25 && wait_for 20 timeout 10 "$reader" text "$name"
}
launch_failed() { fail "$1" "didn't come up: $(tail -3 "$work/$2.log" | tr '\n' '|')"; }

# The app_changed for $app since SINCE (its window took the focus as it
# showed, or was given it then), and its bundle_id against the
# application's own id.
expect_app_changed() {  # since
  local got id
  if got="$(event_after app_changed "$1" 5 "\"name\":\"$app\"")"; then
    id="$(sed -n 's/.*"bundle_id":"\([^"]*\)".*/\1/p' <<<"$got")"
    pass "$label: app_changed names $app"
    if [ "$id" = "${own_id[$app]}" ]; then
      pass "$label: bundle_id is the application's own id ($id)"
    elif [ "$app" != mousepad ]; then
      # A native window's id is the compositor's to tell, and neither of
      # these tells an ordinary client: the session bus has it only from a
      # GTK application that owns its id there.
      echo "LIMIT $label: bundle_id: \"$id\", the executable's name: the application owns no name of its own on the session bus, and $compositor tells no client the id a native window gives itself (\"${own_id[$app]}\")"
    else
      fail "$label bundle_id" "\"$id\", the application's own id is \"${own_id[$app]}\""
    fi
  elif [ -n "${activation_caret:-}" ] && got="$(event_after caret "$1" 0)"; then
    # Of two events closer together than the delivery's delay only the
    # later goes out.
    limit "$label: app_changed" "none: $activation_caret, and the delivery sent only the later of the two, its caret ($got)"
  else
    fail "$label app_changed" "none naming $app within 5 s: ${got:-$(host_events)}"
  fi
}

# The text_select for WORD selected after $t, against WANT ("x y w h").
expect_select() {  # word want what
  local got x y w h
  read -r x y w h <<<"$2"
  if ! got="$(event_after text_select "$t" 5)"; then
    fail "$label text_select" "none within 5 s: $(host_events)"
    return 1
  fi
  if [[ "$got" == *"\"position\":{\"x\":$x,\"y\":$y},\"selected_text\":\"$1\",\"size\":{\"height\":$h,\"width\":$w}"* ]]; then
    pass "$label: text_select with the extents AT-SPI gives, $3 ($2)"
    latency text_select "$t" "$got"
  else
    fail "$label text_select" "got $got, AT-SPI gives $2 ($3)"
    return 1
  fi
}

# setText TEXT: the document becomes WANT, the lines of the call are
# those of a replacement, the X clipboard keeps its owner (its text only,
# for a PASTE, whose clipboard the library owns to put it back), the
# Wayland one its text where it can be read.
expect_set_text() {  # text want how [paste [lines]]
  local before_owner before_x before_wl="" times doc lines after_owner after_wl=""
  before_owner="$(x_owner)"
  before_x="$(x_clip)"
  [ -n "$data_control" ] && before_wl="$(w_clip)"
  t="$(now)"
  call setText "$1"
  if ! times="$(did_after setText "$t" 10)"; then
    fail "$label setText $1" "didn't return within 10 s: $(tail -3 "$hostlog" | tr '\n' '|')"
    return
  fi
  doc="$(document "$app")"
  lines="$(lines_of_call setText "$t" | tr '\n' '|')"
  after_owner="$(x_owner)"
  [ -n "$data_control" ] && after_wl="$(w_clip)"
  # A paste puts the X clipboard's text back (its owner is the library's
  # then); a replacement through the toolkit leaves the owner as it was.
  local x_kept=1 wl_kept=1
  if [ -n "${4:-}" ]; then [ "$(x_clip)" = "$before_x" ] || x_kept=""; else [ "$after_owner" = "$before_owner" ] || x_kept=""; fi
  [ -z "$data_control" ] || [ "$after_wl" = "$before_wl" ] || wl_kept=""
  if [ "$doc" = "$2" ] && [ "$lines" = "${5:-Task started|Task ended|}" ] && [ -n "$x_kept" ] && [ -n "$wl_kept" ]; then
    pass "$label: setText '$1' $3"
    echo "  duration setText $(ms ${times% *} ${times#* }) ms"
  else
    fail "$label setText $1" "document '$doc' (wanted '$2'), lines '$lines', X clipboard owner $after_owner (was $before_owner) text '$(x_clip)' (was '$before_x')${data_control:+, Wayland clipboard '$after_wl' (was '$before_wl')}"
  fi
}

# The user's clipboards: the X one an X client's, the Wayland one a
# Wayland client's (where a client can set it without taking the focus).
own_clipboards() {
  printf 'x words' | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
  pids+=($!)
  wait_for 5 sh -c '[ "$(timeout 5 xclip -selection clipboard -o)" = "x words" ]'
  if [ -n "$data_control" ]; then
    # In the foreground, to be stopped with the rest: wl-copy's own server
    # would outlive the run.
    printf 'wayland words' | wl-copy --foreground >/dev/null 2>>"$work/wl-copy.log" &
    pids+=($!)
    wait_for 5 sh -c '[ "$(timeout 5 wl-paste --no-newline)" = "wayland words" ]'
  fi
}

# Gives the host's XWayland window the focus, checked by X and by the
# toolkit's word that $app's window isn't the active one any more.
focus_host() {
  xdotool windowactivate "$hostwin" >/dev/null 2>&1
  wait_for 5 x_active "$hostwin" && wait_for 5 sh -c "! timeout 10 '$reader' active '$app'"
}

# ---------------------------------------------------------------- XWayland
label="$compositor: XWayland (mousepad, GDK_BACKEND=x11)"
app=mousepad
# The test's own client hears what mousepad announces, to tell whose a
# missing app_changed is.
heard="$work/heard-mousepad"
timeout 40 "$reader" listen mousepad 30 >"$heard" 2>&1 &
pids+=($!)
wait_for 10 grep -qx listening "$heard"
since="$(now)"
# Settings of its own (in memory), as for every mousepad here: another's
# unsaved document would make it offer to restore a session.
if launch mousepad mousepad-x11 env GDK_BACKEND=x11 GSETTINGS_BACKEND=memory mousepad &&
   wait_for 10 sh -c 'xdotool search --class mousepad | grep -q .'; then
  xapp=$launched
  xwin="$(xdotool search --onlyvisible --class mousepad | tail -1)"
  if ! wait_for 5 active mousepad; then
    xdotool windowactivate "$xwin" >/dev/null 2>&1
    since="$(now)"
  fi
  if ! wait_for 5 active mousepad; then
    fail "$label" "its window doesn't take the focus (the toolkit's ACTIVE state, precondition)"
  else
    if ! event_after app_changed "$since" 5 '"name":"mousepad"' >/dev/null &&
       [ -z "$(awk -v t="$since" '$1 > t && $2 == "activate"' "$heard")" ]; then
      # A toolkit's bridge sends an event only once it has learned who
      # listens: a window that takes the focus as it first shows may go
      # unannounced, to every client.
      limit "$label: app_changed" "mousepad announced no activation as its window took the focus at its start, and the test's own listener heard none either; activated again from the host's window"
      focus_host
      since="$(now)"
      xdotool windowactivate "$xwin" >/dev/null 2>&1
      wait_for 5 active mousepad
    fi
    expect_app_changed "$since"
    xdotool type --delay 5 'alpha beta gamma'
    if ! wait_for 5 sh -c "[ \"\$(timeout 10 '$reader' text mousepad)\" = 'alpha beta gamma' ]"; then
      fail "$label" "XTEST typed 'alpha beta gamma', the document holds '$(document mousepad)' (precondition)"
    else
      xdotool key ctrl+Home
      settle
      t="$(now)"
      xdotool key ctrl+shift+Right
      selection_is mousepad 0:5 || fail "$label" "ctrl+shift+Right selected no 'alpha': $(timeout 5 "$reader" expect mousepad 0 selected)"
      # On the screen: within mousepad's window, as the X server has it.
      want="$(timeout 10 "$reader" extents mousepad alpha)"
      geometry="$(x_geometry "$xwin")"
      if expect_select alpha "$want" "on the screen" &&
         ! inside "$(event_after text_select "$t" 0)" "$geometry"; then
        fail "$label text_select" "its rectangle ($want) lies outside mousepad's window ($geometry)"
      fi
      settle

      # The hot key: keys through the compositor where it has a keyboard for
      # a client, else XTEST's, which go straight into the X server, where
      # the grab is.
      t="$(now)"
      if [ -n "$keyboard" ]; then keys -Alt_L Return; how="typed through $keyboard"
      else xdotool key alt+Return; how="XTEST's keys, straight into the X server ($shown offers this client no keyboard)"; fi
      if got="$(event_after alt_enter_pressed "$t" 5)" && [[ "$got" == *'"selected_text":"alpha"'* ]]; then
        pass "$label: alt_enter_pressed with the selection, $how"
        latency alt_enter_pressed "$t" "$got"
      else
        fail "$label alt_enter_pressed" "${got:-none within 5 s} ($how): $(host_events)"
      fi
      settle
      [ "$(document mousepad)" = 'alpha beta gamma' ] && selection_is mousepad 0:5 ||
        { xdotool key ctrl+a && xdotool type --delay 5 'alpha beta gamma' && xdotool key ctrl+Home ctrl+shift+Right; }
      selection_is mousepad 0:5 || fail "$label" "'alpha' isn't selected before setText: $(timeout 5 "$reader" expect mousepad 0 selected)"

      own_clipboards
      expect_set_text DELTA 'DELTA beta gamma' "pasted, and the X clipboard put back" paste
      settle

      # focusPreiov from the host's window brings it back.
      if ! focus_host; then
        fail "$label focusPreiov" "xdotool couldn't give the host's window the focus (precondition): active $(xdotool getactivewindow 2>&1)"
      else
        settle
        t="$(now)"
        call focusPreiov
        if ! did_after focusPreiov "$t" 5 >/dev/null; then
          fail "$label focusPreiov" "didn't return within 5 s"
        elif wait_for 5 active mousepad && x_active "$xwin"; then
          pass "$label: focusPreiov brought mousepad back from the host's window"
        else
          fail "$label focusPreiov" "the active X window is $(xdotool getactivewindow 2>&1), mousepad's $xwin; events: $(host_events)"
        fi
      fi

    fi
  fi
  kill "$xapp" 2>/dev/null
  wait_for 5 sh -c "! kill -0 $xapp"
else
  launch_failed "$label" mousepad-x11
fi

# The pointer entering the host's window, moved by XTEST: with mousepad
# gone, which may cover it (mutter doesn't raise a window xdotool
# activates).
label="$compositor: the host's XWayland window"
call addMouseTracker "$hostwin"
read -r hx hy _ < <(x_geometry "$hostwin")
xdotool mousemove 1 1
settle
t="$(now)"
xdotool mousemove $((hx + 20)) $((hy + 20))
if got="$(event_after mouse_hoverd "$t" 5)"; then
  pass "$label: mouse_hoverd when XTEST moves the pointer into it"
  latency mouse_hoverd "$t" "$got"
elif ! xdotool getmouselocation | grep -q "^x:$((hx + 20)) y:$((hy + 20)) "; then
  limit "$label: mouse_hoverd" "XTEST doesn't move XWayland's pointer here ($(xdotool getmouselocation 2>&1), wanted $((hx + 20)),$((hy + 20))), so nothing enters the window"
elif ! xdotool getmouselocation | grep -q "window:$((hostwin))\$"; then
  fail "$label mouse_hoverd" "the pointer is over another window (precondition): $(xdotool getmouselocation 2>&1), the host's $((hostwin))"
else
  fail "$label mouse_hoverd" "none within 5 s of the pointer entering the window"
fi
xdotool mousemove 1 1

# ---------------------------------------------------------------- native
native_cases() {  # label bus-name pid since [untaken [cold-extents]]
  label="$1"
  app="$2"
  local pid="$3" since="$4" untaken="${5:-}" cold="${6:-}" got kw want selected=""
  # The focus, as the window shows: the toolkit's word first (whose the
  # failure is), then the library's event.
  if ! wait_for 10 active "$app"; then
    fail "$label" "$shown didn't give the new window the focus (the toolkit's ACTIVE state, precondition)"
    return
  fi
  expect_app_changed "$since"
  if kw="$(kwin_window_of "$pid")" && [ -n "$kw" ]; then
    echo "  KWin has the window as: resource class $(cut -d' ' -f2 <<<"$kw"), desktop file $(cut -d' ' -f3 <<<"$kw"), at $(cut -d' ' -f5,6 <<<"$kw"), its surface at $(cut -d' ' -f7,8 <<<"$kw"), X window $(cut -d' ' -f9 <<<"$kw")"
  fi

  # The document's text (a page brings its own), and its first word
  # selected, through AT-SPI; GTK 4.8 takes no selection that way, keys
  # make it where they can.
  [ "$(document "$app")" = 'one two three' ] || timeout 10 "$reader" insert "$app" 0 'one two three' >/dev/null 2>&1
  if [ "$(document "$app")" != 'one two three' ]; then
    fail "$label" "the document holds '$(document "$app")' after inserting 'one two three' through AT-SPI (precondition)"
    return
  fi
  [ -z "$cold" ] || limit "$label: text_select" "$cold (the client's first answers for the word: $(for i in 1 2; do timeout 10 "$reader" extents "$app" one; done | tr '\n' '|') then $(extents_settled "$app" one))"
  settle
  t="$(now)"
  timeout 10 "$reader" select "$app" one >/dev/null 2>&1
  if ! selection_is "$app" 0:3 && [ -n "$keyboard" ]; then
    t="$(now)"
    keys Home -Shift_L Right Right Right
  fi
  if selection_is "$app" 0:3; then
    selected=1
    want="$(timeout 10 "$reader" extents "$app" one)"
    # GTK 4.8 gives a range no extents, its characters some in the window's,
    # counted from inside the frame and shadow it draws; GTK 3's and Qt's
    # are from their surface's corner.
    local origin=7
    if [ "$want" = none ]; then
      want="$(timeout 10 "$reader" window-extents "$app" one)"
      origin=5
    fi
    if [ -n "$kw" ]; then
      local x y w h
      read -r x y w h <<<"$want"
      want="$((x + $(cut -d' ' -f$origin <<<"$kw"))) $((y + $(cut -d' ' -f$((origin + 1)) <<<"$kw"))) $w $h"
      expect_select one "$want" "on the screen, placed where KWin has the window's $([ $origin = 5 ] && echo frame || echo surface)"
    elif expect_select one "$want" "relative to the window"; then
      limit "$label: text_select" "the host gets the rectangle relative to the window: $shown tells no client where a native window is"
    fi
  else
    limit "$label: text_select" "the toolkit takes no selection over AT-SPI ($(timeout 5 "$reader" expect "$app" 0 selected)), and ${keyboard:+its keys made none either}${keyboard:-$shown has no keyboard for a client}; setText goes in at the caret"
    timeout 10 "$reader" caret "$app" 13 >/dev/null 2>&1
  fi

  # setText through the toolkit's editable text.
  own_clipboards
  [ -n "$data_control" ] ||
    limit "$label: setText" "the Wayland clipboard isn't checked: $shown offers no data-control, and a client that reads it takes the focus; the X clipboard is"
  if [ -n "$untaken" ]; then
    # Its editable text takes nothing and says it did, which the read-back
    # finds; or it has none. No keys can reach it to paste.
    local refused="Not replaced: the focused element didn't take the text"
    timeout 10 "$reader" editable "$app" || refused="Not pasted: keys can't reach the focused application"
    expect_set_text DELTA 'one two three' "said it can't, and left the document and the clipboards alone" "" \
      "Task started|$refused|Task ended|"
    limit "$label: setText" "$untaken, and the library has no paste through the compositor's keyboard"
  else
    if [ -n "$selected" ]; then want='DELTA two three'; else want='one two threeDELTA'; fi
    expect_set_text DELTA "$want" "through the toolkit's editable text, the clipboards left alone"
    settle
    local wide='ŧwø✓😀' before at
    before="$(document "$app")"
    at="${before%%two*}"
    local range="${#at}:$((${#at} + 3))" right=() i
    timeout 10 "$reader" select "$app" two >/dev/null 2>&1
    if ! selection_is "$app" "$range" && [ -n "$keyboard" ]; then
      for ((i = 0; i < ${#at}; i++)); do right+=(Right); done
      keys Home "${right[@]}" -Shift_L Right Right Right
    fi
    if selection_is "$app" "$range"; then
      want="${before/two/$wide}"
    else
      # No selection of ours: none at all, and the text goes in at the end.
      timeout 10 "$reader" caret "$app" "${#before}" >/dev/null 2>&1
      want="$before$wide"
    fi
    expect_set_text "$wide" "$want" "beyond ASCII, as given"
    settle
  fi

  # The hot key, last: an application that got Alt+Return may take it as
  # a new line.
  local unkeyed
  unkeyed="$(document "$app")"
  t="$(now)"
  if [ "$compositor" = kwin ]; then
    # Alt held until the event came, as a user's finger is: KWin gives the
    # application the Alt before it knows that a shortcut follows, and an
    # application that takes Alt alone (Firefox's menu bar, Qt's) moves
    # the focus to its menu as Alt is released.
    keys +Alt_L Return
    got="$(event_after alt_enter_pressed "$t" 5)"
    keys ^Alt_L
    if [ -z "$got" ]; then
      fail "$label alt_enter_pressed" "none within 5 s of Alt+Return typed through $keyboard: $(host_events)"
    elif [[ "$got" != *'"selected_text":'* ]]; then
      fail "$label alt_enter_pressed" "came without the selection: $got"
    else
      settle
      if [ "$(document "$app")" != "$unkeyed" ]; then
        fail "$label alt_enter_pressed" "the application got the key too: the document went from '$unkeyed' to '$(document "$app")'"
      else
        pass "$label: alt_enter_pressed through KWin's shortcuts, the key kept from the application"
        latency alt_enter_pressed "$t" "$got"
      fi
    fi
  elif keys -Alt_L Return && got="$(event_after alt_enter_pressed "$t" 2)"; then
    fail "$label alt_enter_pressed" "came where an X grab can't hear the key: $got"
  else
    limit "$label: alt_enter_pressed" "none within 2 s of Alt+Return typed through $keyboard: the hot key is an X grab, which a native application's keys never reach"
  fi

  # focusPreiov from the host's window.
  if ! focus_host; then
    fail "$label focusPreiov" "xdotool couldn't give the host's window the focus away from $app (precondition): active $(xdotool getactivewindow 2>&1)"
  else
    settle
    t="$(now)"
    call focusPreiov
    local times
    if ! times="$(did_after focusPreiov "$t" 5)"; then
      fail "$label focusPreiov" "didn't return within 5 s"
    elif [ "$compositor" = kwin ]; then
      if wait_for 5 active "$app"; then
        pass "$label: focusPreiov brought $app back from the host's window"
        echo "  latency focusPreiov $(ms "$t" "$(now)") ms (the call $(ms ${times% *} ${times#* }) ms)"
      else
        fail "$label focusPreiov" "$app's window isn't the active one 5 s after the call: $(kwin_windows | awk '$4 == 1' | tr '\n' '|')"
      fi
    else
      settle
      if active "$app"; then
        fail "$label focusPreiov" "$app is active again under mutter, which offers nothing that activates it"
      elif x_active "$hostwin"; then
        pass "$label: focusPreiov returned ($(ms ${times% *} ${times#* }) ms) and left the focus on the host's window"
        limit "$label: focusPreiov" "mutter offers a client nothing that activates another application's window"
      else
        fail "$label focusPreiov" "the focus left the host's window for $(xdotool getactivewindow 2>&1), not $app"
      fi
    fi
  fi
  kill "$pid" 2>/dev/null
  wait_for 5 sh -c "! kill -0 $pid"
}

since="$(now)"
if launch mousepad-wl mousepad-wl env GDK_BACKEND=wayland GSETTINGS_BACKEND=memory \
    bash -c 'exec -a mousepad-wl mousepad'; then
  native_cases "$compositor: native GTK 3 (mousepad)" mousepad-wl "$launched" "$since"
else
  launch_failed "$compositor: native GTK 3 (mousepad)" mousepad-wl
fi
since="$(now)"
if launch gnome-text-editor gnome-text-editor env GDK_BACKEND=wayland gnome-text-editor; then
  native_cases "$compositor: native GTK 4 (gnome-text-editor)" gnome-text-editor "$launched" "$since"
else
  launch_failed "$compositor: native GTK 4 (gnome-text-editor)" gnome-text-editor
fi
since="$(now)"
if launch FeatherPad featherpad env QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 featherpad; then
  native_cases "$compositor: native Qt (FeatherPad)" FeatherPad "$launched" "$since"
else
  launch_failed "$compositor: native Qt (FeatherPad)" featherpad
fi
# The browsers as native clients, on a page of the test's whose text area
# has the focus and the text: neither takes any over AT-SPI.
mkdir -p "$work/home"
printf '<!DOCTYPE html><title>axtrack text area</title><textarea rows="6" cols="60" autofocus>one two three</textarea>' \
  >"$work/page.html"
# Starts a browser on the page, moves its window under KWin (which gives a
# big window the screen's corner, where a window's place changes nothing:
# moved, as a user would), and plays its cases.
browser_cases() {  # label name log untaken cold -- command...
  # ("log" is KWin's, which its scripts answer in.)
  local title="$1" name="$2" out="$3" untaken="$4" cold="$5" since
  shift 6
  since="$(now)"
  if launch "$name" "$out" "$@"; then
    [ "$compositor" != kwin ] || kwin_place "$launched" 160 120 900 640 ||
      echo "  KWin didn't move $name's window: $(kwin_window_of "$launched")"
    native_cases "$title" "$name" "$launched" "$since" "$untaken" "$cold"
  else
    launch_failed "$title" "$out"
  fi
}
firefox_profile "$work/firefox-profile"
browser_cases "$compositor: native Firefox ESR (MOZ_ENABLE_WAYLAND=1)" Firefox firefox \
  "Firefox's editable text takes nothing over AT-SPI (and says it did)" \
  "Firefox fills in the rectangles of its text only once a client asks for them: the first answers after it starts are empty" \
  -- env HOME="$work/home" MOZ_ENABLE_WAYLAND=1 GDK_BACKEND=wayland \
  firefox-esr --no-remote --new-instance --profile "$work/firefox-profile" "file://$work/page.html"
chromium_options "$work/chromium-profile"
activation_caret="Chromium may report its text area's caret within a moment of its window's activation"
browser_cases "$compositor: native Chromium (--ozone-platform=wayland)" Chromium chromium \
  "Chromium's text area offers no editable text over AT-SPI" "" \
  -- env HOME="$work/home" chromium "${chromium_args[@]}" --ozone-platform=wayland --new-window "file://$work/page.html"
activation_caret=""

# KWin's shortcut service keeps what is registered, in the user's settings
# too, after the program that made it is gone: the hot key's keeper must
# take it back when the host ends, by a crash too.
if [ "$compositor" = kwin ]; then
  alt_return_holder() {
    timeout 5 dbus-send --session --print-reply=literal --dest=org.kde.kglobalaccel /kglobalaccel \
      org.kde.KGlobalAccel.action "int32:$((0x08000000 | 0x01000004))" 2>&1 | tr -s ' \n' ' '
  }
  shortcut_gone() {
    [[ "$(alt_return_holder)" != *axtrack* ]] && ! grep -q '^\[axtrack\]' "$XDG_CONFIG_HOME/kglobalshortcutsrc"
  }
  held="$(alt_return_holder)"
  if [[ "$held" != *axtrack* ]]; then
    fail "$compositor: the hot key's shortcut" "KWin's shortcut service doesn't give Alt+Return to the host's action while the host runs: $held"
  else
    t="$(now)"
    # The host itself, not the timeout it runs under.
    pkill -KILL -P "$hostpid"
    if wait_for 10 shortcut_gone; then
      pass "$compositor: the hot key's shortcut was taken back as the host was killed, from KWin's settings too, within $(ms "$t" "$(now)") ms"
    else
      fail "$compositor: the hot key's shortcut" "still there 10 s after the host was killed: $(alt_return_holder); settings: $(grep -A2 '^\[axtrack\]' "$XDG_CONFIG_HOME/kglobalshortcutsrc" | tr '\n' '|')"
    fi
  fi
fi
finish
