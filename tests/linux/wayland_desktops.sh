#!/usr/bin/env bash
# The library in the Wayland sessions of GNOME and KDE Plasma: native
# Wayland applications under mutter and under KWin, whose compositors offer
# an ordinary client much less than sway's IPC does.
#
#   tests/linux/wayland_desktops.sh [BUILD_DIR [mutter|kwin ...]]
#
# BUILD_DIR as for run.sh; without compositors named, both, one after the
# other, each in a session of its own. A compositor that isn't installed
# gets a SKIP line. Besides what run.sh needs it needs mutter and
# kwin-wayland (installed without their recommends by .ci/run), xclip,
# wl-clipboard.
#
# Each session: the compositor headless (mutter --headless, kwin_wayland
# --virtual) with XWayland, on a private runtime folder, D-Bus session bus
# and accessibility bus; the test host an XWayland client with a window of
# its own; and three native Wayland clients one after the other: mousepad
# (GTK 3, on the bus as "mousepad-wl"), gnome-text-editor (GTK 4) and
# FeatherPad (Qt). No keys are typed: neither compositor lets an ordinary
# client type into a native one (KWin's fake input wants a desktop file
# naming it, mutter's remote desktop a portal), so the document's text
# goes in and its selection is made through AT-SPI, by a client of our own
# (atspi_reader.py) that also reads the result back. For each application:
#
#   app_changed   when its window takes the focus as it shows, with the
#                 application id the library gives
#   text_select   with the extents AT-SPI gives, relative to the window:
#                 these compositors don't say where a window is (LIMIT)
#   setText       replaces the selection through the toolkit's editable
#                 text, beyond ASCII too, with the lines Task started and
#                 Task ended only, the X clipboard's owner unchanged and
#                 the Wayland clipboard too where a client can read it
#   focusPreiov   from the host's window: under KWin the window is the
#                 active one again (the toolkit's ACTIVE state says);
#                 under mutter nothing can activate it (LIMIT), and the
#                 call returns in time
#
# Alt+Return isn't played: the hot key is an X grab here, which a native
# application's keys never pass through (a LIMIT line says so).
# Every wait is bounded; everything started is stopped on exit. The last
# line is "wayland-desktops: N passed, N failed".
set -u

here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../../build-linux}"
[ -d "$build" ] && build="$(cd "$build" && pwd)"
shift
compositors=("$@")

# More than one compositor: each in a run of its own, summed.
if [ ${#compositors[@]} -ne 1 ]; then
  [ ${#compositors[@]} -gt 0 ] || compositors=(mutter kwin)
  total_passed=0
  total_failed=0
  out="$(mktemp)"
  for c in "${compositors[@]}"; do
    echo "-- $c"
    bash "$0" "$build" "$c" 2>&1 | tee "$out"
    p= f=
    read -r p _ f _ < <(tail -1 "$out" | sed -n 's/^wayland-desktops: //p')
    [[ "$p" =~ ^[0-9]+$ && "$f" =~ ^[0-9]+$ ]] || { p=0; f=1; echo "FAIL $c: no summary line"; }
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
finish() {
  echo "wayland-desktops: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

case "$compositor" in
  mutter) binary=mutter ;;
  kwin) binary=kwin_wayland ;;
  *) fail "setup" "no such compositor here: $compositor (mutter or kwin)"; finish ;;
esac
if ! command -v "$binary" >/dev/null 2>&1; then
  echo "SKIP wayland-desktops $compositor: $binary is not installed"
  finish
fi

. "$here/desktop_env.sh"
. "$here/host_log.sh"
mapfile -t missing < <(desktop_wayland_missing Xwayland xclip xdotool mousepad gnome-text-editor featherpad -- "$library" "$host")
if [ ${#missing[@]} -gt 0 ]; then
  fail "setup" "missing: ${missing[*]} (see the head of this script)"
  finish
fi

# ---------------------------------------------------------------- the session
trap desktop_stop EXIT
work="$(mktemp -d /tmp/axtrack-desktops.XXXXXX)"
desktop_wayland_session || { fail "setup" "$desktop_error"; finish; }

log="$work/$compositor.log"
if [ "$compositor" = mutter ]; then
  mutter --headless --wayland --virtual-monitor 1280x1024 >"$log" 2>&1 &
else
  # kwin_wayland carries a file capability that a container may refuse to
  # run; a plain copy has none, and its built-in Qt plugin wants the name.
  kwin=/usr/bin/kwin_wayland
  if ! "$kwin" --version >/dev/null 2>&1; then
    mkdir -p "$work/bin" && cp "$kwin" "$work/bin/kwin_wayland" && kwin="$work/bin/kwin_wayland"
  fi
  # KWin 6 starts XWayland only when an X client comes: its display is
  # what KWin gives the programs it starts.
  printf '#!/bin/sh\necho "$DISPLAY $XAUTHORITY" >%s/x.tmp && mv %s/x.tmp %s/x\n' "$work" "$work" "$work" >"$work/tell-display"
  chmod +x "$work/tell-display"
  "$kwin" --virtual --xwayland --socket wayland-0 --width 1280 --height 1024 "$work/tell-display" >"$log" 2>&1 &
fi
compositor_pid=$!
pids+=("$compositor_pid")
wait_for 20 test -S "$XDG_RUNTIME_DIR/wayland-0" ||
  { fail "setup" "$compositor didn't start: $(tail -3 "$log" | tr '\n' '|')"; finish; }
export WAYLAND_DISPLAY=wayland-0
# A keyboard that stays on the seat: without one no Wayland client is ever
# told it has the keyboard focus, and none reports itself active. mutter's
# comes through its remote-desktop interface; KWin's virtual session has
# one of its own.
keyboard=""
keys() { echo "$*" >&8; }
if [ "$compositor" = mutter ]; then
  keyboard=1
  mkfifo "$work/keys"
  /usr/bin/python3 "$here/mutter_keyboard.py" "$work/keys" >"$work/keyboard.log" 2>&1 &
  pids+=($!)
  exec 8<>"$work/keys"
  wait_for 10 grep -q '^ready' "$work/keyboard.log" ||
    { fail "setup" "no keyboard through mutter's remote desktop: $(tail -3 "$work/keyboard.log" | tr '\n' '|')"; finish; }
fi
# XWayland's display and its authority file: mutter names them in its log
# and on XWayland's command line, KWin to the programs it starts.
if [ "$compositor" = mutter ]; then
  xwayland_args() { pgrep -a -P "$compositor_pid" Xwayland | grep -m1 .; }
  wait_for 20 xwayland_args || { fail "setup" "mutter started no XWayland: $(tail -3 "$log" | tr '\n' '|')"; finish; }
  args="$(xwayland_args)"
  display="$(grep -o ' :[0-9]*' <<<"$args" | head -1 | tr -d ' ')"
  auth="$(grep -o -- '-auth [^ ]*' <<<"$args" | head -1 | cut -d' ' -f2)"
else
  wait_for 20 test -s "$work/x" || { fail "setup" "KWin gave no X display: $(tail -3 "$log" | tr '\n' '|')"; finish; }
  read -r display auth <"$work/x"
  args="$display"
fi
export DISPLAY="$display"
[ -n "$auth" ] && export XAUTHORITY="$auth"
wait_for 10 xdpyinfo || { fail "setup" "XWayland ($DISPLAY, $args) doesn't let us in"; finish; }
echo "  $compositor: $(sed -n 's/.*Running Mutter (using mutter \([^)]*\)).*/mutter \1/p' "$log" | head -1)${kwin:+$("$kwin" --version 2>/dev/null)} with XWayland on $DISPLAY"

# ---------------------------------------------------------------- the host
now() { date +%s.%N; }
settle() { sleep 0.4; }
ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) * 1000 }'; }
latency() { echo "  latency $1 $(ms "$2" "${3%% *}") ms"; }
hostlog="$work/host.log"
mkfifo "$work/stdin"
exec 9<>"$work/stdin"
timeout 200 "$host" "$library" --seconds 180 --window <"$work/stdin" >"$hostlog" 2>&1 &
hostpid=$!
pids+=("$hostpid")
wait_for 10 grep -q '^host window' "$hostlog" || { fail "setup" "the host didn't start: $(tail -3 "$hostlog")"; finish; }
hostwin="$(awk '$1 == "host" && $2 == "window" { print $3; exit }' "$hostlog")"
call() { echo "$*" >&9; }

x_owner() {
  /usr/bin/python3 -c 'from Xlib import display
d = display.Display()
o = d.get_selection_owner(d.intern_atom("CLIPBOARD"))
print(o if isinstance(o, int) else o.id)'
}
# The Wayland clipboard, where the compositor lets a client without a
# focused surface read it (data-control: KWin has it, mutter 43 not).
w_clip() { timeout 5 wl-paste --no-newline 2>/dev/null; }
document() { timeout 10 "$reader" text "$1"; }
active() { timeout 10 "$reader" active "$1"; }

# The application ids the applications give themselves (their desktop
# files' names).
declare -A own_id=([mousepad-wl]=mousepad-wl [gnome-text-editor]=org.gnome.TextEditor [FeatherPad]=featherpad)

launch() {  # bus-name log command...
  local name="$1" out="$2"
  shift 2
  (cd "$work" && exec "$@" >"$work/$out.log" 2>&1) &
  launched=$!
  pids+=("$launched")
  timeout 30 "$reader" wait-app "$name" 25 && wait_for 15 timeout 10 "$reader" text "$name"
}

# ---------------------------------------------------------------- cases
native_cases() {  # label bus-name pid since
  local label="$1" app="$2" pid="$3" since="$4" got id
  # The focus, as the window shows: the toolkit's word first (whose the
  # failure is), then the library's event.
  if ! wait_for 5 active "$app"; then
    echo "LIMIT $label: app_changed: $compositor didn't give the new window the focus (the toolkit's ACTIVE state)"
  # (mutter 48 has an X client of its own, for window frames, which may
  # come and go first.)
  elif got="$(event_after app_changed "$since" 5 "\"name\":\"$app\"")"; then
    id="$(sed -n 's/.*"bundle_id":"\([^"]*\)".*/\1/p' <<<"$got")"
    pass "$label: app_changed when its window took the focus"
    if [ "$id" = "${own_id[$app]}" ]; then
      pass "$label: bundle_id is the application's own id ($id)"
    else
      echo "LIMIT $label: bundle_id: \"$id\", the executable's name: $compositor tells no client the application id a window gives itself (\"${own_id[$app]}\")"
    fi
  else
    fail "$label app_changed" "none for $app within 5 s: $(grep '^event' "$hostlog" | tail -3 | tr '\n' '|')"
  fi

  # The document's text, and its first word selected, through AT-SPI.
  timeout 10 "$reader" insert "$app" 0 'one two three' >/dev/null 2>&1
  if [ "$(document "$app")" != 'one two three' ]; then
    fail "$label" "the document holds '$(document "$app")' after inserting 'one two three' (precondition)"
    return
  fi
  settle
  local t
  t="$(now)"
  timeout 10 "$reader" select "$app" one >/dev/null 2>&1
  if ! timeout 5 "$reader" expect "$app" 2 selection=0:3 >/dev/null && [ -n "$keyboard" ]; then
    # GTK 4 takes none over AT-SPI: the keys make it.
    t="$(now)"
    keys Home -Shift_L Right Right Right
  fi
  if ! timeout 5 "$reader" expect "$app" 2 selection=0:3 >/dev/null; then
    local why="no keys can be typed under $compositor"
    [ -n "$keyboard" ] && why="the keys typed through mutter's remote desktop (Home, Shift+Right) made none"
    echo "LIMIT $label: text_select: the toolkit takes no selection over AT-SPI, and $why; setText goes in at the caret"
    timeout 10 "$reader" caret "$app" 13 >/dev/null 2>&1
  elif got="$(event_after text_select "$t" 5)"; then
    local want
    want="$(timeout 10 "$reader" extents "$app" one)"
    [ "$want" = none ] && want="$(timeout 10 "$reader" window-extents "$app" one)"
    read -r x y w h <<<"$want"
    if [[ "$got" == *"\"position\":{\"x\":$x,\"y\":$y},\"selected_text\":\"one\",\"size\":{\"height\":$h,\"width\":$w}"* ]]; then
      pass "$label: text_select with the extents AT-SPI gives ($want)"
      latency text_select "$t" "$got"
      echo "LIMIT $label: text_select: the rectangle is relative to the window: $compositor tells no client where a native window is"
    else
      fail "$label text_select" "got $got, AT-SPI gives $want"
    fi
  else
    fail "$label text_select" "none within 5 s: $(tail -3 "$hostlog" | tr '\n' '|')"
  fi

  # setText through the toolkit: the clipboards stay as they were.
  local before_owner before_clip before_doc want doc lines times
  printf 'wayland words' | timeout 5 wl-copy 2>/dev/null
  before_clip="$(w_clip)"
  [ "$before_clip" = 'wayland words' ] ||
    echo "LIMIT $label: setText: no test client can set and read the Wayland clipboard under $compositor (no data-control); the X clipboard is checked"
  before_owner="$(x_owner)"
  before_doc="$(document "$app")"
  if timeout 5 "$reader" expect "$app" 0 selection=0:3 >/dev/null; then want='DELTA two three'; else want="${before_doc}DELTA"; fi
  t="$(now)"
  call setText DELTA
  if times="$(did_after setText "$t" 10)"; then
    doc="$(document "$app")"
    lines="$(lines_of_call setText "$t" | tr '\n' '|')"
    if [ "$doc" = "$want" ] && [ "$(x_owner)" = "$before_owner" ] && [ "$(w_clip)" = "$before_clip" ] &&
       [ "$lines" = "Task started|Task ended|" ]; then
      pass "$label: setText put DELTA in through the toolkit and left the clipboards alone"
      echo "  duration setText $(ms ${times% *} ${times#* }) ms"
    else
      fail "$label setText" "document '$doc' (wanted '$want'), X owner $(x_owner) (was $before_owner), Wayland clipboard '$(w_clip)' (was '$before_clip'), lines '$lines'"
    fi
  else
    fail "$label setText" "didn't return within 10 s"
  fi
  settle
  local wide='ŧwø✓😀'
  before_doc="$(document "$app")"
  local at="${before_doc%%two*}" right=() i
  local selected="selection=${#at}:$((${#at} + 3))"
  timeout 10 "$reader" select "$app" two >/dev/null 2>&1
  if ! timeout 5 "$reader" expect "$app" 2 "$selected" >/dev/null && [ -n "$keyboard" ]; then
    for ((i = 0; i < ${#at}; i++)); do right+=(Right); done
    keys Home "${right[@]}" -Shift_L Right Right Right
  fi
  if timeout 5 "$reader" expect "$app" 2 "$selected" >/dev/null; then
    want="${before_doc/two/$wide}"
  else
    # No selection of ours: none at all, and the text goes in at the end.
    timeout 10 "$reader" caret "$app" "${#before_doc}" >/dev/null 2>&1
    want="$before_doc$wide"
  fi
  t="$(now)"
  if call setText "$wide" && did_after setText "$t" 10 >/dev/null && [ "$(document "$app")" = "$want" ]; then
    pass "$label: setText put in characters beyond ASCII as given"
  else
    fail "$label setText beyond ASCII" "document '$(document "$app")', wanted '$want'"
  fi

  # The hot key, last: the application may take Alt+Return as a new line.
  if [ -z "$keyboard" ]; then
    echo "LIMIT $label: alt_enter_pressed: not played, no keys can be typed under $compositor; the hot key is an X grab, which a native application's keys never pass through"
  else
    t="$(now)"
    keys -Alt_L Return
    if got="$(event_after alt_enter_pressed "$t" 2)"; then
      pass "$label: alt_enter_pressed"
      latency alt_enter_pressed "$t" "$got"
    else
      echo "LIMIT $label: alt_enter_pressed: none within 2 s of Alt+Return typed through mutter's remote desktop: the hot key is an X grab under $compositor, which a native application's keys never pass through"
    fi
  fi

  # focusPreiov from the host's window.
  xdotool windowactivate "$hostwin" >/dev/null 2>&1
  if ! wait_for 5 sh -c "! timeout 10 '$reader' active '$app'"; then
    echo "LIMIT $label: focusPreiov: the host's XWayland window couldn't be given the focus (xdotool windowactivate), so nothing is to bring back"
  else
    settle
    t="$(now)"
    call focusPreiov
    if ! did_after focusPreiov "$t" 5 >/dev/null; then
      fail "$label focusPreiov" "didn't return within 5 s"
    elif [ "$compositor" = kwin ]; then
      if wait_for 5 active "$app"; then
        pass "$label: focusPreiov brought $app back from the host's window through KWin's scripting"
        echo "  duration focusPreiov $(ms $(did_after focusPreiov "$t" 0)) ms"
      else
        fail "$label focusPreiov" "$app's window isn't the active one 5 s after the call"
      fi
    elif ! active "$app"; then
      pass "$label: focusPreiov returned and changed nothing"
      echo "LIMIT $label: focusPreiov: mutter offers a client nothing that activates another application's window"
    else
      fail "$label focusPreiov" "$app is active again under mutter, which the library has no way to make so"
    fi
  fi
  kill "$pid" 2>/dev/null
  wait_for 5 sh -c "! kill -0 $pid"
}

since="$(now)"
if launch mousepad-wl mousepad-wl env GDK_BACKEND=wayland bash -c 'exec -a mousepad-wl mousepad --disable-server'; then
  native_cases "$compositor: native GTK 3 (mousepad)" mousepad-wl "$launched" "$since"
else
  fail "$compositor: native GTK 3 (mousepad)" "didn't come up: $(tail -3 "$work/mousepad-wl.log" | tr '\n' '|')"
fi
since="$(now)"
if launch gnome-text-editor gnome-text-editor env GDK_BACKEND=wayland gnome-text-editor --standalone; then
  native_cases "$compositor: native GTK 4 (gnome-text-editor)" gnome-text-editor "$launched" "$since"
else
  fail "$compositor: native GTK 4 (gnome-text-editor)" "didn't come up: $(tail -3 "$work/gnome-text-editor.log" | tr '\n' '|')"
fi
since="$(now)"
if launch FeatherPad featherpad env QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 featherpad; then
  native_cases "$compositor: native Qt (FeatherPad)" FeatherPad "$launched" "$since"
else
  fail "$compositor: native Qt (FeatherPad)" "didn't come up: $(tail -3 "$work/featherpad.log" | tr '\n' '|')"
fi
finish
