#!/usr/bin/env bash
# The GTK host, installed as a host developer would have it, on the virtual
# desktop of the real-application tests (tests/linux/desktop_env.sh):
#
#   examples/gtk-host/check.sh BUILD_DIR [--screenshot FILE]
#
# BUILD_DIR (with the Linux desktop backend) is installed into a temporary
# prefix and the host built against it. On the desktop the host runs with
# GTK's accessibility bridge in its own process, as every GTK application
# there does. xdotool plays the user: mousepad activated, a line typed and
# its last word selected; then, in the host's window, a replacement typed
# and the button clicked. What the host's window shows is read back over
# the accessibility bus by a client of our own (window_reader.py), what
# mousepad holds by tests/linux/atspi_reader.py, the clipboard by xclip.
# Every wait is bounded. With --screenshot, the host's window is saved as
# PNG just before the button is clicked. The last line is
# "gtk-host: N passed, N failed".
set -u
here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
build="$(cd "${1:?usage: check.sh BUILD_DIR [--screenshot FILE]}" && pwd)"
screenshot=""
if [ "${2:-}" = "--screenshot" ]; then
  screenshot="$(realpath -m "${3:?--screenshot needs a file}")"
fi
tmp="$(mktemp -d)"
reader="$here/window_reader.py"
passed=0
failed=0
pass() {
  echo "ok   $1"
  passed=$((passed + 1))
}
fail() {  # fail NAME [WHY...]
  echo "FAIL $1"
  shift
  [ $# -gt 0 ] && printf '     %s\n' "$@"
  failed=$((failed + 1))
}
finish() {
  echo "gtk-host: $passed passed, $failed failed"
  exit $((failed > 0))
}

# The host's name on the accessibility bus: its program name, which is the
# name the library knows its host by.
app=Quillarbor
line="alpha beta gamma"
replacement="DELTA"
clipboard="what the user had copied"

# ---------------------------------------------------------------- build
prefix="$tmp/prefix"
if cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 &&
  cmake -S "$here" -B "$tmp/host" -DCMAKE_PREFIX_PATH="$prefix" >"$tmp/host.log" 2>&1 &&
  cmake --build "$tmp/host" >>"$tmp/host.log" 2>&1; then
  pass "the host builds against the installed package"
else
  fail "the host builds against the installed package" "$(tail -n 20 "$tmp/install.log" "$tmp/host.log")"
  rm -rf "$tmp"
  finish
fi
library="$(ls "$prefix"/lib/libaxtrack.so.[0-9]* | head -1)"

# ---------------------------------------------------------------- desktop
pids=()
. "$repo/tests/linux/desktop_env.sh"
missing="$(desktop_missing)"
command -v xclip >/dev/null || missing+=" xclip"
if [ -n "$missing" ]; then
  echo "skip the host on the virtual desktop: missing $missing (tests/linux/packages.txt)"
  rm -rf "$tmp"
  finish
fi
trap 'desktop_stop; rm -rf "$tmp"' EXIT
if ! desktop_start; then
  fail "the virtual desktop starts" "$desktop_error"
  finish
fi

show() { "$reader" show "$app" "$1" 2>/dev/null; }
shows() {  # shows ID TEXT SECONDS: waits until the widget shows TEXT
  timeout $(($3 + 10)) "$reader" wait "$app" "$1" "$2" "$3"
}
mousepad_text() { timeout 10 "$repo/tests/linux/atspi_reader.py" text mousepad; }
mousepad_holds() { [ "$(mousepad_text)" = "$1" ]; }
clipboard_holds() { [ "$(timeout 5 xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
click() {  # click ID: the pointer to the middle of the host's widget, and a click
  local xy
  xy="$(timeout 10 "$reader" center "$app" "$1")" || return 1
  # shellcheck disable=SC2086
  xdotool mousemove --sync $xy click 1
}

# Nothing active: mousepad's activation later gives the library the
# application to follow.
xdotool windowfocus --sync "$root"
"$tmp/host/gtk-host" "$library" >"$work/host.out" 2>&1 &
pids+=($!)
if timeout 30 "$repo/tests/linux/atspi_reader.py" wait-app "$app" 25 &&
  wait_for 10 grep -q 'Accessibility is enabled' "$work/host.out"; then
  pass "the host is on the accessibility bus as $app and tracking"
else
  fail "the host starts" "$(cat "$work/host.out")"
  finish
fi
hostwin="$(xdotool search --name '^axtrack GTK host$' | head -1)"

# Mousepad in front; a line typed and its last word selected.
xdotool windowraise "$window" windowfocus --sync "$window"
if shows events '"name":"mousepad"' 10 >"$tmp/out"; then
  pass "the event list shows mousepad's app_changed"
else
  fail "the event list shows mousepad's app_changed" "$(cat "$tmp/out")"
fi
xdotool type --delay 5 "$line"
xdotool key ctrl+shift+Left
if shows events '"selected_text":"gamma"' 10 >"$tmp/out" && show events | grep -q ' text_select  {.*"gamma"'; then
  pass "the event list shows the selection's text_select"
else
  fail "the event list shows the selection's text_select" "$(cat "$tmp/out")"
fi
if shows selection-text gamma 5 >"$tmp/out" && [ "$(show selection-text)" = gamma ]; then
  pass "the selection label shows the selected word"
else
  fail "the selection label shows the selected word" "$(cat "$tmp/out")"
fi
# The rectangle as AT-SPI itself reports the word's extents in mousepad.
read -r ex ey ew eh <<<"$(timeout 10 "$repo/tests/linux/atspi_reader.py" extents mousepad gamma)"
want="x $ex, y $ey, $ew × $eh, editable"
if [ "$(show selection-rectangle)" = "$want" ]; then
  pass "the rectangle label shows the word's extents ($want)"
else
  fail "the rectangle label shows the word's extents" "shows '$(show selection-rectangle)', AT-SPI reports '$want'"
fi

# What the user had copied: served by xclip, in the foreground so that it
# is ours to stop.
printf '%s' "$clipboard" | xclip -quiet -selection clipboard >/dev/null 2>&1 &
pids+=($!)
wait_for 5 clipboard_holds "$clipboard"

# Into the host's window: the replacement typed into its field. The window
# takes the keyboard, as a click would give it under a window manager; the
# library must go on following mousepad.
xdotool windowraise "$hostwin" windowfocus --sync "$hostwin"
if click replacement && xdotool type --delay 5 "$replacement" && shows replacement "$replacement" 5 >"$tmp/out"; then
  pass "the replacement is typed into the host's field"
else
  fail "the replacement is typed into the host's field" "$(cat "$tmp/out" 2>/dev/null)"
fi
if shows events mouse_hoverd 5 >"$tmp/out"; then
  pass "the pointer entering the host's window is reported (mouse_hoverd)"
else
  fail "the pointer entering the host's window is reported (mouse_hoverd)" "$(cat "$tmp/out")"
fi
if [ -n "$screenshot" ]; then
  # The pointer's hover and the field's caret settle before the picture.
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$hostwin")"
  if timeout 20 "$reader" screenshot "$X" "$Y" "$WIDTH" "$HEIGHT" "$screenshot"; then
    echo "     screenshot: $screenshot ($(stat -c %s "$screenshot") bytes)"
  else
    fail "the screenshot"
  fi
fi

click replace
if wait_for 10 mousepad_holds "alpha beta $replacement"; then
  pass "the button replaced mousepad's selection"
else
  fail "the button replaced mousepad's selection" "mousepad holds '$(mousepad_text)'"
fi
if shows status Replaced 10 >"$tmp/out"; then
  pass "the status says the selection was replaced"
else
  fail "the status says the selection was replaced" "$(cat "$tmp/out")"
fi
if wait_for 5 clipboard_holds "$clipboard"; then
  pass "the clipboard holds what the user had copied again"
else
  fail "the clipboard holds what the user had copied again" \
    "it holds '$(timeout 5 xclip -o -selection clipboard 2>&1)'"
fi
# The host was never followed: no event names it, and the library never
# read its field (the only single-line text here; mousepad's is a text
# area). An event list alone can't tell: of events closer together than
# 0.18 s only the last is delivered, and the pointer's own mouse_hoverd can
# hide an app_changed. The library's diagnostic lines show every reading.
if ! show events | grep -q "\"name\":\"$app\"" &&
  ! grep -q 'Selected text ROle Optional("AXTextField")' "$work/host.out"; then
  pass "the host's own window is never followed as the active application"
else
  fail "the host's own window is never followed as the active application" "$(show events | tail -n 5)" \
    "$(tail -n 5 "$work/host.out")"
fi
finish
