#!/usr/bin/env bash
# The library against a real application on a real (virtual) Linux desktop.
#
#   tests/linux/run.sh [BUILD_DIR]
#
# BUILD_DIR (default: build-linux beside the repository) holds bin/libaxtrack.so,
# bin/axtrack-linux-host and bin/axtrack-play, built with
#
#   cmake -S . -B BUILD_DIR -DAXTRACK_LINUX_DESKTOP=ON && cmake --build BUILD_DIR -j2 \
#       --target axtrack axtrack-linux-host axtrack-nesting-wm axtrack-play
#
# (without axtrack-play the player's cases are skipped).
#
# The Debian packages it needs are listed in tests/linux/packages.txt; this
# script installs nothing, it checks and says what is missing.
#
# It starts its own X server (Xvfb, on a free display), a private D-Bus
# session bus, the accessibility bus (at-spi-bus-launcher, at-spi2-registryd)
# and mousepad, Debian's GTK text editor, which nobody here wrote (all of it
# in desktop_env.sh, which the desktop tour shares); later a GTK 4 and a Qt
# editor, Firefox ESR and Chromium showing a page's text area,
# LibreOffice Writer and, where it is installed, KWrite join it
# (app_cases.sh, app_launch.sh). Then
# xdotool plays the user while the test host, which loads the library with
# dlopen as a host does, prints each event it receives with its time. The
# extents of the selected word are read by an AT-SPI client of our own
# (atspi_reader.py), not by the library; the same client reads the document
# back, and the caret, the selection and the focus the keys were meant to
# put there, before the library is judged: when they aren't what the case
# meant, the verdict is "FAIL CASE: precondition: ..." and says whose side
# (the keys, the window manager, the application) didn't do its part. Every
# wait is bounded and waits for an event or a state, not for a time, with
# timeouts a loaded machine meets (they cost nothing when things go well).
# Each group of cases runs in a subshell of its own: a harness error in one
# (a helper failing, a variable not set) fails that group with a message
# and the run goes on. Everything started is stopped on exit (with
# AXTRACK_KEEP_WORK=1 the private folder, with every program's log, stays
# for a look). The end is "linux-desktop: N passed, N failed (N of them
# preconditions unmet)" and a last line "N passed, N failed"; the exit
# status is non-zero when anything failed, an unmet precondition too: the
# cases are written so that a loaded machine meets them. A LIMIT line says
# what an application can't do, and what the host got instead; a NOTE line
# what an application does its own way, which the case expects.
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
# Absolute: the programs under test run in the desktop's private folder.
[ -d "$build" ] && build="$(cd "$build" && pwd)"
library="$build/bin/libaxtrack.so"
host="$build/bin/axtrack-linux-host"
reader="$here/atspi_reader.py"

# The verdicts go to a file, one word a line: the groups of cases run in
# subshells, whose counters would be lost.
verdicts="$(mktemp /tmp/axtrack-verdicts.XXXXXX)"
pass() { echo pass >>"$verdicts"; echo "PASS $1"; }
fail() { echo fail >>"$verdicts"; echo "FAIL $1: $2"; }
# What the case needed from the keys, the window manager or the
# application and didn't get: the library isn't judged, the case fails.
unmet() { echo unmet >>"$verdicts"; echo "FAIL $1: precondition: $2"; }
finish() {
  local passed failed unmet
  passed="$(grep -cx pass "$verdicts")"
  failed="$(grep -cx fail "$verdicts")"
  unmet="$(grep -cx unmet "$verdicts")"
  rm -f "$verdicts"
  echo "linux-desktop: $passed passed, $((failed + unmet)) failed ($unmet of them preconditions unmet)"
  echo "$passed passed, $((failed + unmet)) failed"
  [ $((failed + unmet)) -eq 0 ]
  exit
}
# Runs a group of cases in a subshell: a harness error there (an unset
# variable under set -u, a helper that stops the script) ends the group,
# which fails with a message, and not the run. Whatever the group started
# for itself (a host, a clipboard owner, a listener) is stopped on its way
# out; a host started before it, which the next groups share, is left.
section() {  # label function args...
  local label="$1" status group
  shift
  # In the background, waited for: a signal that ends the run ends the group
  # too (desktop_stop ends what was tracked), rather than leaving it to play
  # its keys on.
  (
    section_host="${hostpid:-}"
    trap section_cleanup EXIT
    "$@"
  ) &
  group=$!
  track_pid "$group"
  wait "$group"
  status=$?
  [ "$status" -eq 0 ] ||
    fail "$label" "harness error: the group's script stopped with status $status (its message is above); the run goes on"
  return 0
}
section_cleanup() {
  [ "${hostpid:-}" = "$section_host" ] || stop_host
  if [ -n "${clip_owner:-}" ]; then kill -TERM "$clip_owner" 2>/dev/null; fi
  if [ -n "${listener:-}" ]; then kill -TERM "$listener" 2>/dev/null; fi
}

# ---------------------------------------------------------------- checks
. "$here/desktop_env.sh"
# The cases every application family runs, and their helpers.
. "$here/app_cases.sh"
missing=($(desktop_missing))
for file in "$library" "$host"; do
  [ -f "$file" ] || missing+=("$file")
done
if [ ${#missing[@]} -gt 0 ]; then
  fail "setup" "missing: ${missing[*]} (see tests/linux/packages.txt and the build line above)"
  finish
fi

# ---------------------------------------------------------------- the desktop
# Xvfb, the session bus, the accessibility bus and mousepad: desktop_env.sh.
trap desktop_stop EXIT
desktop_start || { fail "setup" "$desktop_error"; finish; }
# Whatever the host, the player or mousepad leave in their working folder
# (a core file, a toolkit's files) goes with the desktop's private folder,
# never into the source tree.
cd "$work" || { fail "setup" "can't enter $work"; finish; }

# ---------------------------------------------------------------- the host
now() { date +%s.%N; }
focus_root() { xdotool windowfocus --sync "$root"; }
focus_mousepad() { xdotool windowfocus --sync "$window"; }

hostlog=""
hostpid=""
# How long a host lives at most: it never outlives a run that forgot it.
# Long enough for a loaded machine: stop_host ends it when its cases are
# done.
host_seconds=300
start_host() {  # name, then the host's own arguments
  hostlog="$work/host-$1.log"
  shift
  if [ "${AXTRACK_COUNT_REQUESTS:-0}" = 1 ]; then
    timeout $((host_seconds + 20)) strace -f -ttt -e trace=sendmsg -o "$work/sends-$(basename "$hostlog" .log)" \
      "$host" "$library" --seconds "$host_seconds" "$@" <"$work/stdin-$$" >"$hostlog" 2>&1 &
  else
    timeout $((host_seconds + 20)) "$host" "$library" --seconds "$host_seconds" "$@" <"$work/stdin-$$" >"$hostlog" 2>&1 &
  fi
  hostpid=$!
  track_pid "$hostpid"
  wait_for 20 grep -q '^host ready' "$hostlog"
}
stop_host() {
  [ -n "${hostpid:-}" ] || return 0
  kill -TERM "$hostpid" 2>/dev/null
  wait "$hostpid" 2>/dev/null
  hostpid=""
}
# A host that reads a pipe nobody writes quits when the script is gone.
mkfifo "$work/stdin-$$"
exec 9<>"$work/stdin-$$"

# event_after and did_after (host_log.sh), on the host's log.
. "$here/host_log.sh"
# Events of any kind after SINCE (for "nothing was sent").
events_after() {
  awk -v since="$1" '$1 == "event" && $2 > since' "$hostlog"
}
# Lets the delivery of the last action's events end before the next one:
# events closer together than the delivery delay would replace each other.
# The host's log has been still for 0.4 s (twice the delivery's delay), at
# most 10 s: on a loaded machine the delivery comes later, and is waited
# for.
log_size() { wc -c <"$hostlog" 2>/dev/null || echo 0; }
settle() {
  local before now_size still=0 deadline=$((SECONDS + 10))
  before="$(log_size)"
  while [ "$SECONDS" -lt "$deadline" ] && [ "$still" -lt 4 ]; do
    sleep 0.1
    now_size="$(log_size)"
    if [ "$now_size" = "$before" ]; then still=$((still + 1)); else still=0; before="$now_size"; fi
  done
}

# The independent client's view of NAME's text, waited for: the document,
# the caret, the selection, the focus (atspi_reader.py expect). Prints
# nothing when the state comes, else what the client saw last.
reader_expect() {  # name seconds want...
  local name="$1" seconds="$2"
  shift 2
  timeout $((${seconds%.*} + 20)) "$reader" expect "$name" "$seconds" "$@" 2>&1 || return 1
}
# Types TEXT over the whole document and waits until the client reads it
# back; typed once more when it didn't come whole (xdotool's keys can be
# lost under load: that's the harness's side, not the library's). Prints
# what the client saw when even the second time didn't give the text.
type_document() {  # name text
  local seen
  xdotool key ctrl+a
  xdotool type --delay 20 "$2"
  seen="$(reader_expect "$1" 15 "text=$2")" && return 0
  xdotool key ctrl+a
  xdotool type --delay 40 "$2"
  seen="$(reader_expect "$1" 15 "text=$2")" && return 0
  echo "typed '$2' twice, the document holds: $seen"
  return 1
}

# The focus, caret and selection events the independent client hears from
# NAME, in $heard, from now on (at most 120 s), for a verdict that says
# what came in which order.
heard=""
listener=""
listen_start() {  # name
  listen_stop
  heard="$work/heard-$1-$SECONDS"
  timeout 130 "$reader" listen "$1" 120 >"$heard" 2>&1 &
  listener=$!
  track_pid "$listener"
  wait_for 20 grep -qx listening "$heard"
}
listen_stop() {
  [ -n "$listener" ] || return 0
  kill -TERM "$listener" 2>/dev/null
  wait "$listener" 2>/dev/null
  listener=""
}
# The host's events and the client's after T, in the order they came, with
# the milliseconds since T: "+12 ms host caret; +85 ms client focus text".
sequence_since() {  # t
  {
    awk -v t="$1" '$1 == "event" && $2 > t { print $2, "host", $3 }' "$hostlog"
    [ -n "$heard" ] && awk -v t="$1" '$1 ~ /^[0-9]+\.[0-9]+$/ && $1 > t { print $1, "client", $2, $3, $4 }' "$heard"
  } | sort -n | awk -v t="$1" '{ printf "%s+%.0f ms %s %s%s%s", sep, ($1 - t) * 1000, $2, $3,
                                  ($4 != "" ? " " $4 : ""), ($5 != "" ? " " $5 : ""); sep = "; " }'
}
# Why no focused_changed came after T, from the two sequences: the
# application sent no focus (a precondition: prints "unmet ..."), or it did
# and the host's report of it was dropped, or overtaken by a caret or
# selection change the application sent before its focus.
focus_diagnosis() {  # t
  local client_focus client_first host_other
  client_focus="$(awk -v t="$1" '$1 > t && $2 == "focus" { print $1; exit }' "$heard" 2>/dev/null)"
  if [ -z "$client_focus" ]; then
    echo "unmet the application sent no focus event the independent client heard"
    return
  fi
  client_first="$(awk -v t="$1" '$1 > t && ($2 == "caret" || $2 == "selection") { print $1; exit }' "$heard")"
  host_other="$(awk -v t="$1" '$1 == "event" && $2 > t && ($3 == "caret" || $3 == "text_select") { print $3; exit }' "$hostlog")"
  if [ -n "$host_other" ] && [ -n "$client_first" ] && awk -v a="$client_first" -v b="$client_focus" 'BEGIN { exit !(a + 0 < b + 0) }'; then
    echo "overtaken: the application sent a caret or selection change $(ms_between "$client_first" "$client_focus") ms before its focus, and the host reported $host_other in place of focused_changed"
  else
    echo "dropped: the independent client heard the focus $(ms_between "$1" "$client_focus") ms after the keys, the host reported no focused_changed"
  fi
}
ms_between() {  # t0 t1
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) * 1000 }'
}

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
case_trust() {
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
}
section "trust" case_trust

# Whether the focus is on WINDOW, as the X server says (xdotool, not the
# library).
is_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Characters outside the Basic Multilingual Plane before the words, then
# one of them deleted, while the host tracks the text: its positions follow
# the edits (two UTF-16 units per such character, one for AT-SPI), and a
# selected word is still the word, at the extents AT-SPI gives. The
# characters are put in through AT-SPI's EditableText by the independent
# client (xdotool types a character outside the keymap by remapping a spare
# key, which races under load), and the client reads back the document and
# the selection the keys made before the host's event is judged.
select_after_edits() {  # label keys-to-word length word document
  local label="$1" t got expected seen i ex ey ew eh keys=(ctrl+Home)
  for ((i = 0; i < $2; i++)); do keys+=(Right); done
  for ((i = 0; i < $3; i++)); do keys+=(shift+Right); done
  if ! seen="$(reader_expect mousepad 15 "text=$5")"; then
    unmet "$label" "the document isn't '$5' before the keys (the harness's edit through AT-SPI): $seen"
    return
  fi
  t="$(now)"
  xdotool key --delay 15 "${keys[@]}"
  if ! seen="$(reader_expect mousepad 15 "selection=$2:$(($2 + $3))")"; then
    unmet "$label" "the keys didn't select $2:$(($2 + $3)) ('$4'), the independent client reads: $seen"
    return
  fi
  if got="$(event_with text_select "$t" 20 "\"selected_text\":\"$4\"")"; then
    expected="$(timeout 20 "$reader" extents mousepad "$4")"
    read -r ex ey ew eh <<<"$expected"
    if [[ "$got" == *"\"position\":{\"x\":$ex,\"y\":$ey}"* && "$got" == *"\"size\":{\"height\":$eh,\"width\":$ew}"* ]]; then
      pass "$label: the word at its extents"
    else
      fail "$label" "got $got, AT-SPI reports $expected"
    fi
  else
    fail "$label" "no text_select of '$4' within 20 s though the client reads $2:$(($2 + $3)) selected: $(events_after "$t" | tail -2 | tr '\n' '|')"
  fi
}

# The first events against mousepad, in one host's life.
case_mousepad() {
  local t got expected seen ex ey ew eh diagnosis second
  focus_root
  xdotool mousemove 1270 1020
  if ! start_host main; then fail "setup" "the host didn't start: $(tail -3 "$hostlog" | tr '\n' '|')"; return 0; fi
  settle

  # Activating mousepad: "app_changed".
  t="$(now)"
  focus_mousepad
  if ! wait_for 20 is_focused "$window"; then
    unmet "activation" "mousepad's window didn't get the X focus (xdotool): the focus is on $(xdotool getwindowfocus)"
  elif got="$(event_after app_changed "$t" 20)"; then
    if [[ "$got" == *'"bundle_id":"org.xfce.mousepad"'* && "$got" == *'"name":"mousepad"'* &&
          "$got" == *'"role":"AXApplication"'* ]]; then
      pass "activation: app_changed for mousepad"
      report app_changed "$t" "$got"
    else
      fail "activation" "unexpected data: $got"
    fi
  else
    fail "activation" "no app_changed within 20 s of activating mousepad, whose window has the focus"
  fi
  settle

  # The focus moves to the search field and back to the text: "focused_changed".
  xdotool key ctrl+f
  settle
  listen_start mousepad
  t="$(now)"
  xdotool key Escape
  if got="$(event_after focused_changed "$t" 20)"; then
    if [[ "$got" == *'"bundle_id":"org.xfce.mousepad"'* ]]; then
      pass "focus: focused_changed when the text view gets the focus back"
      report focused_changed "$t" "$got"
    else
      fail "focus" "unexpected data: $got"
    fi
  elif ! seen="$(reader_expect mousepad 5 focused)"; then
    unmet "focus" "Escape didn't give the text the focus (mousepad's side), the independent client reads: $seen"
  else
    diagnosis="$(focus_diagnosis "$t")"
    if [[ "$diagnosis" == unmet* ]]; then
      unmet "focus" "${diagnosis#unmet } (mousepad's side); in order: $(sequence_since "$t")"
    else
      fail "focus" "no focused_changed within 20 s of focusing the text: $diagnosis; in order: $(sequence_since "$t")"
    fi
  fi
  listen_stop

  # The text to work on.
  if ! seen="$(type_document mousepad 'alpha beta gamma')"; then
    unmet "text" "$seen"
  fi
  xdotool key ctrl+Home
  settle

  # Selecting a word: "text_select" with the word, editable, and the extents
  # AT-SPI itself gives for it.
  t="$(now)"
  xdotool key ctrl+shift+Right
  if ! seen="$(reader_expect mousepad 15 selection=0:5)"; then
    unmet "selection" "Ctrl+Shift+Right from the start didn't select 'alpha', the independent client reads: $seen"
  elif got="$(event_after text_select "$t" 20)"; then
    expected="$(timeout 20 "$reader" extents mousepad alpha)"
    read -r ex ey ew eh <<<"$expected"
    if [[ "$got" == *'"selected_text":"alpha"'* && "$got" == *'"is_editable":true'* &&
          "$got" == *"\"position\":{\"x\":$ex,\"y\":$ey}"* && "$got" == *"\"size\":{\"height\":$eh,\"width\":$ew}"* ]]; then
      pass "selection: text_select with the word and the extents AT-SPI reports ($expected)"
      report text_select "$t" "$got"
    else
      fail "selection" "got $got, AT-SPI reports $expected"
    fi
  else
    fail "selection" "no text_select within 20 s of selecting a word"
  fi
  settle

  # Moving the caret: "caret".
  t="$(now)"
  xdotool key Right
  if ! seen="$(reader_expect mousepad 15 caret=5)"; then
    unmet "caret" "Right didn't put the caret after 'alpha', the independent client reads: $seen"
  elif got="$(event_after caret "$t" 20)"; then
    if [[ "$got" == *' {}' ]]; then
      pass "caret: caret with an empty object"
      report caret "$t" "$got"
    else
      fail "caret" "unexpected data: $got"
    fi
  else
    fail "caret" "no caret within 20 s of moving the caret"
  fi
  settle

  # Alt+Return: "alt_enter_pressed" with the text before the caret.
  t="$(now)"
  xdotool key alt+Return
  if got="$(event_after alt_enter_pressed "$t" 20)"; then
    if [[ "$got" == *'"selected_text":"alpha"'* && "$got" == *'"is_editable":true'* ]]; then
      pass "hot key: alt_enter_pressed with the text before the caret"
      report alt_enter_pressed "$t" "$got"
    else
      fail "hot key" "unexpected data: $got"
    fi
  else
    fail "hot key" "no alt_enter_pressed within 20 s of Alt+Return"
  fi
  settle

  # Alt+Return held past the server's repeat delay (660 ms), with repeats
  # every 40 ms after it: one press, one alt_enter_pressed; the next press
  # after the release is one again. The hold is the user's action, not a
  # wait for anything.
  local held again t2
  t="$(now)"
  xdotool keydown alt+Return
  sleep 1.5
  xdotool keyup alt+Return
  event_after alt_enter_pressed "$t" 20 >/dev/null
  settle
  held="$(events_after "$t" | grep -c ' alt_enter_pressed ')"
  t2="$(now)"
  xdotool key alt+Return
  event_after alt_enter_pressed "$t2" 20 >/dev/null
  settle
  again="$(events_after "$t2" | grep -c ' alt_enter_pressed ')"
  if [ "$held" = 1 ] && [ "$again" = 1 ]; then
    pass "hot key held: one alt_enter_pressed for the hold, one for the next press"
  else
    fail "hot key held" "$held alt_enter_pressed for a held Alt+Return (auto repeat: $(xset q 2>/dev/null | grep -o 'auto repeat:  *[a-z]*')), $again for the next press"
  fi

  xdotool key ctrl+Home
  if ! seen="$(timeout 20 "$reader" insert mousepad 0 $'\U1F600\U1F680 ' 2>&1)"; then
    unmet "selection after two characters outside the BMP were put before it" "the independent client couldn't insert them: $seen"
  else
    settle
    select_after_edits "selection after two characters outside the BMP were put before it" 9 4 beta \
      $'\U1F600\U1F680 alpha beta gamma'
  fi
  settle
  # Deleted with the key (Delete is on every keymap: nothing races), and
  # the document read back before the keys select.
  xdotool key ctrl+Home Delete
  settle
  select_after_edits "selection after one of them was deleted" 13 5 gamma $'\U1F680 alpha beta gamma'
  settle

  # A second host can't have the hot key the first one holds.
  second="$work/host-second.log"
  timeout 20 "$host" "$library" --seconds 1 </dev/null >"$second" 2>&1
  if grep -qx 'Failed to register hotkey.' "$second"; then
    pass "hot key held by another client: Failed to register hotkey."
  else
    fail "hot key held by another client" "$(tr '\n' '|' <"$second")"
  fi
  stop_host
}
section "mousepad" case_mousepad

# A blocked-field entry for mousepad's text view: the selection is not
# reported.
case_blocked() {
  local t seen
  focus_root
  if ! start_host blocked --config '{"org.xfce.mousepad": {"name": "AXRole", "value": "AXTextArea"}}'; then
    fail "blocked field" "the host didn't start"
    return 0
  fi
  settle
  focus_mousepad
  event_after app_changed 0 20 >/dev/null || fail "blocked field" "mousepad wasn't adopted"
  xdotool key ctrl+Home
  reader_expect mousepad 15 caret=0 >/dev/null
  settle
  t="$(now)"
  xdotool key ctrl+shift+Right
  if ! seen="$(reader_expect mousepad 15 selected)"; then
    unmet "blocked field" "Ctrl+Shift+Right didn't select the first word, the independent client reads: $seen"
  elif wait_for 20 grep -qx 'blocked' "$hostlog"; then
    # Nothing coming can't be waited for: the delivery's delay, twice over.
    sleep 0.5
    settle
    if [ -z "$(events_after "$t" | grep -E ' (text_select|caret) ')" ]; then
      pass "blocked field: the text view's selection is silenced"
    else
      fail "blocked field" "events were sent: $(events_after "$t" | tr '\n' '|')"
    fi
  else
    fail "blocked field" "no line 'blocked' within 20 s"
  fi
  stop_host
}
section "blocked field" case_blocked

# ---------------------------------------------------------------- acting for the host
# setText, focusPreiov and addMouseTracker against mousepad, with the host's
# own window (the test host's --window) and xclip, an independent client,
# writing and reading the clipboard. The host takes its calls on standard
# input and prints "calling NAME T" before and "did NAME T0 T1" after each.
call() { echo "$*" >&9; }
# Puts TEXT (or, with a type, the file's bytes) on the clipboard from an
# xclip that stays until another client takes the clipboard.
clip_owner=""
clip_set() {  # text | --file FILE TYPE
  clip_clear
  if [ "$1" = --file ]; then
    xclip -quiet -selection clipboard -t "$3" -i "$2" >/dev/null 2>&1 &
  else
    printf '%s' "$1" | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
  fi
  clip_owner=$!
  track_pid "$clip_owner"
  wait_for 20 timeout 2 xclip -selection clipboard -o -t TARGETS
}
# Ends the xclip that owns the clipboard, if ours: no owner is left.
clip_clear() {
  [ -n "$clip_owner" ] && kill -TERM "$clip_owner" 2>/dev/null && wait "$clip_owner" 2>/dev/null
  clip_owner=""
  wait_for 20 clip_empty
}
clip_empty() { ! timeout 2 xclip -selection clipboard -o -t TARGETS >/dev/null 2>&1; }
clip_get() { timeout 5 xclip -selection clipboard -o -t "${1:-UTF8_STRING}"; }
clip_holds() { [ "$(clip_get)" = "$1" ]; }
# The content targets on offer, sorted, one line (those about the transfer
# itself left out).
clip_targets() {
  clip_get TARGETS | grep -vxE 'TARGETS|TIMESTAMP|MULTIPLE|SAVE_TARGETS' | sort | tr '\n' ' '
}
document() { timeout 20 "$reader" text mousepad; }
# Selects the Nth word of the document and waits for its text_select;
# else sets select_why, and select_unmet when it was the keys (or the
# document) that didn't do their part, which select_failed reports.
select_why=""
select_unmet=0
select_word() {  # n word
  local t i doc seen start=0 words=()
  select_unmet=1
  if ! wait_for 20 is_focused "$window" && ! { focus_mousepad; wait_for 20 is_focused "$window"; }; then
    select_why="mousepad's window doesn't get the X focus: it is on $(xdotool getwindowfocus)"
    return 1
  fi
  doc="$(document)"
  read -ra words <<<"$doc"
  if [ "${words[$(($1 - 1))]:-}" != "$2" ]; then
    select_why="the document reads '$doc', its word $1 isn't '$2'"
    return 1
  fi
  for ((i = 0; i < $1 - 1; i++)); do start=$((start + ${#words[$i]} + 1)); done
  settle
  t="$(now)"
  xdotool key ctrl+Home
  for ((i = 0; i < $1; i++)); do xdotool key ctrl+Right; done
  xdotool key ctrl+shift+Left
  if ! seen="$(reader_expect mousepad 15 "selection=$start:$((start + ${#2}))")"; then
    select_why="the keys didn't select '$2' ($start:$((start + ${#2}))), the independent client reads: $seen"
    return 1
  fi
  select_unmet=0
  event_with text_select "$t" 20 "\"selected_text\":\"$2\"" >/dev/null && return 0
  select_why="no text_select for $2 within 20 s, though the independent client reads it selected: $(events_after "$t" | tail -2 | tr '\n' '|')"
  return 1
}
select_failed() {  # label
  if [ "$select_unmet" = 1 ]; then unmet "$1" "$select_why"; else fail "$1" "$select_why"; fi
}
# The time from the call to setText to its return (when the clipboard is
# back), and the part of it that isn't the two fixed pauses (0.2 s + 1.0 s).
report_replacement() {  # "T0 T1" what
  awk -v t0="${1% *}" -v t1="${1#* }" -v what="$2" 'BEGIN {
    printf "  duration setText (%s) %.0f ms, of which 1200 ms fixed pauses, %.0f ms the rest\n",
      what, (t1 - t0) * 1000, (t1 - t0) * 1000 - 1200 }'
}

case_acting() {
  local t got hostwin times doc after targets before_targets before_text after_targets during_targets during_text during_hint pasted wm X=0 Y=0
  if ! command -v xclip >/dev/null 2>&1; then
    fail "acting" "missing: xclip (see tests/linux/packages.txt)"
  elif ! { focus_root; start_host acting --window; }; then
    fail "acting" "the host didn't start: $(tail -3 "$hostlog" | tr '\n' '|')"
  else
    hostwin="$(awk '$1 == "host" && $2 == "window" { print $3; exit }' "$hostlog")"
    wait_for 20 sh -c "xwininfo -id '$hostwin' | grep -q IsViewable" || fail "acting" "the host's window didn't show"
    settle
    t="$(now)"
    focus_mousepad
    event_after app_changed "$t" 20 >/dev/null || fail "acting" "mousepad wasn't adopted"
    if ! doc="$(type_document mousepad 'alpha beta gamma')"; then unmet "acting" "$doc"; fi
    settle

    # Text on the clipboard: the word is replaced, the clipboard holds its
    # text again under the targets it had; meanwhile it held the replacement,
    # marked for clipboard histories.
    clip_set 'clipboard before'
    before_targets="$(clip_targets)"
    if ! select_word 2 beta; then
      select_failed "replace text"
    else
      t="$(now)"
      call setText DELTA
      # The replacement on the clipboard, while the host pastes it.
      wait_for 20 clip_holds DELTA
      during_targets="$(clip_targets)"
      during_text="$(clip_get)"
      during_hint="$(clip_get x-kde-passwordManagerHint)"
      if times="$(did_after setText "$t" 30)"; then
        doc="$(document)"
        after="$(clip_get)"
        after_targets="$(clip_targets)"
        if [ "$doc" = 'alpha DELTA gamma' ] && [ "$after" = 'clipboard before' ] &&
           [ "$after_targets" = "$before_targets" ]; then
          pass "replace text: beta became DELTA, the clipboard's text and targets ($after_targets) are back"
          report_replacement "$times" "text on the clipboard"
        else
          fail "replace text" "document '$doc', clipboard '$after' with '$after_targets' (before: '$before_targets')"
        fi
        if [ "$during_text" = DELTA ] && [ "$during_hint" = secret ] &&
           [[ " $during_targets" == *' org.nspasteboard.TransientType '* &&
              " $during_targets" == *' STRING '* && " $during_targets" == *' text/plain;charset=utf-8 '* ]]; then
          pass "replace text: meanwhile the clipboard offered DELTA in the usual targets, marked secret and transient"
        else
          fail "replace text" "meanwhile the clipboard held '$during_text', hint '$during_hint', targets '$during_targets'"
        fi
      else
        fail "replace text" "setText didn't return within 30 s"
      fi
    fi

    # A large image on the clipboard (more than one request carries, both
    # ways): every byte is back afterwards, under image/png.
    head -c 3000000 /dev/urandom >"$work/image.bin"
    { printf '\211PNG\r\n\032\n'; cat "$work/image.bin"; } >"$work/image.png"
    clip_set --file "$work/image.png" image/png
    if ! select_word 3 gamma; then
      select_failed "replace with an image on the clipboard"
    else
      t="$(now)"
      call setText EPSILON
      if times="$(did_after setText "$t" 30)"; then
        doc="$(document)"
        targets="$(clip_targets)"
        if [ "$doc" = 'alpha DELTA EPSILON' ] && clip_get image/png | cmp -s - "$work/image.png" &&
           [ "$targets" = 'image/png ' ]; then
          pass "replace with an image on the clipboard: gamma became EPSILON, the 3 MB image is back whole"
          report_replacement "$times" "3 MB image on the clipboard"
        else
          fail "replace with an image on the clipboard" "document '$doc', targets '$targets', image $(clip_get image/png | wc -c) bytes"
        fi
      else
        fail "replace with an image on the clipboard" "setText didn't return within 30 s"
      fi
    fi

    # Another client copies during the pause: its copy stays.
    clip_set 'clipboard before'
    if ! select_word 1 alpha; then
      select_failed "copy during the pause"
    else
      t="$(now)"
      call setText ZETA
      # Copied while the host's replacement is on the clipboard.
      if ! wait_for 20 clip_holds ZETA; then
        fail "copy during the pause" "the host's replacement never showed on the clipboard"
      fi
      clip_set 'newer copy'
      if did_after setText "$t" 30 >/dev/null; then
        doc="$(document)"
        after="$(clip_get)"
        if [ "$doc" = 'ZETA DELTA EPSILON' ] && [ "$after" = 'newer copy' ]; then
          pass "copy during the pause: the replacement was pasted and the newer copy stays"
        else
          fail "copy during the pause" "document '$doc', clipboard '$after'"
        fi
      else
        fail "copy during the pause" "setText didn't return within 30 s"
      fi
    fi

    # An empty clipboard ends empty.
    clip_clear
    if ! select_word 2 DELTA; then
      select_failed "replace with an empty clipboard"
    else
      t="$(now)"
      call setText ETA
      if times="$(did_after setText "$t" 30)"; then
        doc="$(document)"
        if [ "$doc" = 'ZETA ETA EPSILON' ] && wait_for 3 clip_empty; then
          pass "replace with an empty clipboard: DELTA became ETA, the clipboard is empty again"
          report_replacement "$times" "empty clipboard"
        else
          fail "replace with an empty clipboard" "document '$doc', clipboard offers '$(clip_targets)'"
        fi
      else
        fail "replace with an empty clipboard" "setText didn't return within 30 s"
      fi
    fi
    settle

    # A copy made in mousepad itself (a toolkit's owner, with many targets):
    # every target that it hands to other clients is offered again.
    clip_clear
    if ! select_word 1 ZETA; then
      select_failed "replace after a copy in mousepad"
    else
      xdotool key ctrl+c
      wait_for 20 clip_holds ZETA
      before_targets="$(clip_targets)"
      before_text="$(clip_get)"
      select_word 3 EPSILON || select_failed "replace after a copy in mousepad"
      t="$(now)"
      call setText THETA
      if times="$(did_after setText "$t" 30)"; then
        doc="$(document)"
        after="$(clip_get)"
        after_targets="$(clip_targets)"
        # And mousepad pastes what was put back as it pasted its own copy.
        xdotool key ctrl+End ctrl+v
        reader_expect mousepad 20 'text=ZETA ETA THETAZETA' >/dev/null
        pasted="$(document)"
        if [ "$doc" = 'ZETA ETA THETA' ] && [ "$after" = ZETA ] && [ "$before_text" = ZETA ] &&
           [ "$after_targets" = "$before_targets" ] && [ "$pasted" = 'ZETA ETA THETAZETA' ]; then
          pass "replace after a copy in mousepad: its text and targets ($after_targets) are back, and paste"
          report_replacement "$times" "mousepad's copy on the clipboard"
        else
          fail "replace after a copy in mousepad" "document '$doc', clipboard '$after' with '$after_targets' (before: '$before_text' with '$before_targets'), pasted back: '$pasted'"
        fi
      else
        fail "replace after a copy in mousepad" "setText didn't return within 30 s"
      fi
    fi
    settle

    # focusPreiov after the host's own window took the focus.
    xdotool windowfocus --sync "$hostwin"
    if ! wait_for 20 is_focused "$hostwin"; then
      unmet "focusPreiov" "the host's window didn't get the X focus (xdotool windowfocus): it is on $(xdotool getwindowfocus)"
    else
      t="$(now)"
      call focusPreiov
      if wait_for 20 is_focused "$window" && did_after focusPreiov "$t" 20 >/dev/null && grep -qx hello "$hostlog"; then
        pass "focusPreiov: mousepad has the focus again, after the host's window had it"
      else
        fail "focusPreiov" "focus on $(xdotool getwindowfocus), mousepad is $window"
      fi
    fi
    settle

    # Hover: identifiers that are not windows are ignored; the pointer
    # entering the host's window gives mouse_hoverd, leaving it brings
    # mousepad back.
    xdotool mousemove 1270 1020
    t="$(now)"
    call addMouseTracker 0
    call addMouseTracker 0x7fffffff
    call addMouseTracker 18446744073709551615
    call addMouseTracker 1
    wait_for 20 sh -c "[ \$(grep -c '^did addMouseTracker' '$hostlog') -ge 4 ]"
    xdotool windowfocus --sync "$hostwin"
    wait_for 20 is_focused "$hostwin" ||
      unmet "hover" "the host's window didn't get the X focus: it is on $(xdotool getwindowfocus)"
    t="$(now)"
    # Nothing coming can't be waited for: the pointer stays in and out for
    # longer than the delivery's delay, and the log is let settle.
    xdotool mousemove 760 520
    sleep 0.4
    xdotool mousemove 1270 1020
    sleep 0.6
    settle
    if [ -z "$(events_after "$t" | grep ' mouse_hoverd ')" ] && is_focused "$hostwin" &&
       [ "$(grep -c '^did addMouseTracker' "$hostlog")" -eq 4 ]; then
      pass "hover: identifiers that are not windows are ignored"
    else
      fail "hover" "not-windows were tracked: $(events_after "$t" | tr '\n' '|'), focus on $(xdotool getwindowfocus)"
    fi
    t="$(now)"
    call addMouseTracker "$hostwin"
    did_after addMouseTracker "$t" 20 >/dev/null
    t="$(now)"
    xdotool mousemove 760 520
    if got="$(event_after mouse_hoverd "$t" 20)"; then
      if [[ "$got" == *' {}' ]]; then
        pass "hover: mouse_hoverd with an empty object when the pointer enters the host's window"
        report mouse_hoverd "$t" "$got"
      else
        fail "hover" "unexpected data: $got"
      fi
    else
      fail "hover" "no mouse_hoverd within 20 s of entering the host's window"
    fi
    settle
    xdotool mousemove 1270 1020
    if wait_for 20 is_focused "$window"; then
      pass "hover: leaving the host's window brings mousepad back"
    else
      fail "hover" "focus on $(xdotool getwindowfocus) after leaving, mousepad is $window"
    fi
    # The same under a window manager (openbox, when installed): activation
    # goes through the window manager's request.
    if command -v openbox >/dev/null 2>&1; then
      openbox --sm-disable >"$work/openbox.log" 2>&1 &
      wm=$!
      track_pid "$wm"
      is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
      if ! wait_for 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'; then
        fail "window manager" "openbox didn't come up: $(tail -3 "$work/openbox.log" | tr '\n' '|')"
      else
        if ! activate "$hostwin"; then
          unmet "window manager" "openbox didn't make the host's window the active one: $(xdotool getactivewindow 2>&1) is"
        else
          t="$(now)"
          call focusPreiov
          if wait_for 20 is_active "$window"; then
            pass "window manager: focusPreiov makes mousepad the active window again"
          else
            fail "window manager" "focusPreiov: active window $(xdotool getactivewindow), mousepad is $window"
          fi
          xdotool mousemove 1270 1020
          activate "$hostwin" ||
            unmet "window manager" "openbox didn't make the host's window active again: $(xdotool getactivewindow 2>&1) is"
          settle
          t="$(now)"
          # Where the host's window is now that it has a frame.
          eval "$(xdotool getwindowgeometry --shell "$hostwin")"
          xdotool mousemove $((X + 50)) $((Y + 50))
          if event_after mouse_hoverd "$t" 20 >/dev/null; then
            settle
            xdotool mousemove 1270 1020
            if wait_for 20 is_active "$window"; then
              pass "window manager: entering the host's window gives mouse_hoverd, leaving it activates mousepad"
            else
              fail "window manager" "after leaving: active window $(xdotool getactivewindow), mousepad is $window"
            fi
          else
            fail "window manager" "no mouse_hoverd within 20 s of entering the framed host window"
          fi
        fi
      fi
      kill -TERM "$wm" 2>/dev/null
      wait "$wm" 2>/dev/null
    else
      echo "SKIP window manager: openbox isn't installed"
    fi
    clip_clear
    stop_host
  fi
  return 0
}
section "acting" case_acting

# GTK 4's main menu takes the focus (F10) and gives it to its button when
# it closes (Escape): each key once the previous one's focus came, as the
# independent client hears it (app_cases.sh's listener), since a key that
# comes before the menu is up closes nothing and the next one moves in the
# menu.
gtk4_focus_away() {
  local t
  t="$(now)"
  xdotool key F10
  wait_for 20 heard_focus_after "$t" || return 1
  t="$(now)"
  xdotool key Escape
  wait_for 20 heard_focus_after "$t"
}

# ---------------------------------------------------------------- other toolkits
# The same cases against a GTK 4 editor (gnome-text-editor), a Qt one
# (FeatherPad), KDE's (KWrite, where it is installed), the text area of a
# page in Firefox ESR, in Chromium and in GNOME Web (when installed), and
# LibreOffice Writer, under a window manager (openbox), in turn, so that
# each activation switches from another application: app_cases.sh. Each
# is started once, before the host (GNOME Web after it, see there;
# app_launch.sh starts the browsers, Writer and KWrite, each with a fresh
# profile). Then the windows are nested two levels deep by a window
# manager of the tests' own (nesting_wm.cpp, as KWin nests them):
# mousepad's identifier and focusPreiov still work.
. "$here/app_launch.sh"
# Starts one of the browsers, Writer or KWrite with LAUNCHER, whose window
# goes to the variable VAR; one that is missing or doesn't come up fails its
# own cases, not the others'.
launch_app() {  # label command launcher var
  printf -v "$4" '%s' ""
  if ! command -v "$2" >/dev/null 2>&1; then
    fail "$1" "missing: $2 (see tests/linux/packages.txt)"
  elif ! "$3"; then
    fail "$1" "$desktop_error"
  else
    printf -v "$4" '%s' "$launched"
  fi
}
nesting_wm="$build/bin/axtrack-nesting-wm"
other_missing=()
for tool in gnome-text-editor featherpad openbox; do
  command -v "$tool" >/dev/null 2>&1 || other_missing+=("$tool")
done
[ -x "$nesting_wm" ] || other_missing+=("$nesting_wm")
if [ ${#other_missing[@]} -gt 0 ]; then
  fail "other toolkits" "missing: ${other_missing[*]} (see tests/linux/packages.txt and the build line above)"
else
  openbox --sm-disable >"$work/openbox-apps.log" 2>&1 &
  wm=$!
  track_pid "$wm"
  if ! wait_for 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'; then
    fail "other toolkits" "openbox didn't come up"
  elif ! desktop_launch gnome-text-editor gnome-text-editor gnome-text-editor --standalone; then
    fail "other toolkits" "$desktop_error"
  elif ! gtk4_window="$launched" || ! desktop_launch FeatherPad featherpad featherpad; then
    fail "other toolkits" "$desktop_error"
  elif ! qt_window="$launched" ||
       ! { launch_app "Firefox ESR" firefox-esr launch_firefox firefox_window
           launch_app "Chromium" chromium launch_chromium chromium_window
           launch_app "LibreOffice Writer" soffice launch_writer writer_window
           # KDE's editor only where it is installed: not every machine
           # that runs these tests has KDE Frameworks.
           kwrite_window=""
           if command -v kwrite >/dev/null 2>&1; then
             launch_app "KWrite" kwrite launch_kwrite kwrite_window
           else
             echo "SKIP KWrite: kwrite isn't installed (tests/linux/packages.txt names it)"
           fi
           # Six applications' cases take longer than one host's usual life,
           # on a loaded machine more than ten minutes.
           host_seconds=1500
           start_host apps --window; }; then
    fail "other toolkits" "the host didn't start: $(tail -3 "$hostlog" | tr '\n' '|')"
  else
    # All the applications are up before the host starts: each activation
    # below is a switch the host sees, from its own window to the GTK 4
    # editor, from there to the Qt one, and on to the browsers and Writer.
    hostwin="$(awk '$1 == "host" && $2 == "window" { print $3; exit }' "$hostlog")"
    wait_for 20 is_active "$hostwin"
    # A host that ended before the cases did would fail them all for
    # nothing of theirs: said first.
    host_alive() { [ -n "${hostpid:-}" ] && kill -0 "$hostpid" 2>/dev/null; }

    # GTK 4.8 implements no screen extents for ranges of text, and its
    # search entry never says it has the focus: the focus goes to the main
    # menu's button instead, and Tab brings it back.
    app_window_extents="GTK 4.8 gives text extents only relative to its window"
    app_focus_caret=""
    app_cold_extents=""
    app_flat_extents=""
    app_focus_away="gtk4_focus_away"
    app_focus_back="xdotool key Tab"
    app_busy_host=1
    section "GTK 4 (gnome-text-editor)" app_cases "GTK 4 (gnome-text-editor)" gnome-text-editor "$gtk4_window" org.gnome.TextEditor
    app_busy_host=""

    app_window_extents=""
    app_focus_away="xdotool key ctrl+f"
    app_focus_back="xdotool key Escape"
    # FeatherPad is a Qt 5 program on Debian 12, a Qt 6 one on Debian 13.
    qt="Qt $(ldd "$(command -v featherpad)" 2>/dev/null | grep -o -m1 'libQt[0-9]Core' | head -1 | tr -dc 0-9)"
    section "$qt (FeatherPad)" app_cases "$qt (FeatherPad)" FeatherPad "$qt_window" featherpad

    # KWrite, the editor of KDE Frameworks (KF5 on Debian 12, KF6 on Debian
    # 13), on the same Qt. Its toolkit id is the one its window carries in
    # _GTK_APPLICATION_ID (KF6 puts its desktop name there), as xprop
    # reads it; without one, the executable's name.
    if [ -n "$kwrite_window" ]; then
      kf="KF$(ldd "$(command -v kwrite)" 2>/dev/null | grep -o -m1 'libKF[0-9]' | head -1 | tr -dc 0-9)"
      kwrite_id="$(xprop -id "$kwrite_window" _GTK_APPLICATION_ID 2>/dev/null | sed -n 's/^_GTK_APPLICATION_ID([A-Z0-9_]*) = "\(.*\)"$/\1/p')"
      if [ -n "$kwrite_id" ]; then
        echo "NOTE $kf (KWrite) activation: its window carries _GTK_APPLICATION_ID \"$kwrite_id\" (xprop), its desktop name: that is the bundle_id expected"
      fi
      app_flat_extents="KTextEditor gives each character of its text a height of 0, and Qt's bridge joins the characters of a range with the one after it, which past the end of a line KTextEditor puts at its view's top left corner"
      section "$kf (KWrite)" app_cases "$kf (KWrite)" kwrite "$kwrite_window" "${kwrite_id:-kwrite}"
      app_flat_extents=""
    fi

    # The page's button takes the focus from the text area and gives it
    # back.
    app_focus_away="xdotool key Tab"
    app_focus_back="xdotool key shift+Tab"
    if [ -n "$firefox_window" ]; then
      app_focus_caret="Firefox reports the caret at its place along with the focus, and that caret replaces focused_changed in the delivery"
      app_cold_extents="Firefox fills in the rectangles of its text only once a client asks for them: the first answers after it starts are empty, then the last character's"
      section "Firefox ESR" app_cases "Firefox ESR" Firefox "$firefox_window" firefox-esr
      app_focus_caret=""
      app_cold_extents=""
      section "Firefox ESR rich-text editor" editor_cases "Firefox ESR" Firefox "$firefox_window"
    fi
    if [ -n "$chromium_window" ]; then
      section "Chromium" app_cases "Chromium" Chromium "$chromium_window" chromium
      section "Chromium rich-text editor" editor_cases "Chromium" Chromium "$chromium_window"
    fi
    # Writer's search bar takes the focus; Escape gives it back to the
    # document.
    app_focus_away="xdotool key ctrl+f"
    app_focus_back="xdotool key Escape"
    [ -n "$writer_window" ] && section "LibreOffice Writer" app_cases "LibreOffice Writer" soffice "$writer_window" org.libreoffice
    # Last of the applications under openbox: GNOME Web runs its pages in a
    # sandboxed web process of their own,
    # whose accessible tree hangs in the window's from another connection:
    # the library counts it for the window's application. That process
    # sends its events only to the listeners registered when it started
    # (it hears of no later ones), so it is started now, with the host's
    # listeners in place, and mousepad's window activated again (the
    # host's own is no application the tracker follows), so that the
    # activation below is a switch.
    if ! command -v epiphany-browser >/dev/null 2>&1; then
      echo "SKIP GNOME Web: epiphany-browser isn't installed (tests/linux/packages.txt)"
    elif ! launch_epiphany; then
      fail "GNOME Web" "$desktop_error"
    elif ! epiphany_window="$launched" || ! activate "$window"; then
      unmet "GNOME Web" "the window manager didn't make mousepad's window the active one"
    else
      settle
      app_focus_away="xdotool key Tab"
      app_focus_back="xdotool key shift+Tab"
      app_focus_caret="WebKit reports the caret at its place along with the focus, and that caret replaces focused_changed in the delivery"
      app_keys_after_hot_key="after Alt+Return the page's caret no longer follows the arrow keys or Ctrl+Home (typing still reaches it); not yet known whether the engine or the library leaves a modifier behind"
      section "GNOME Web" app_cases "GNOME Web" epiphany "$epiphany_window" org.gnome.Epiphany
      app_focus_caret=""
      app_keys_after_hot_key=""
      # The engine gives the page's rich-text editor as an editable
      # multi-line entry, as it gives the text area, and the independent
      # client picks editors out by role: it can't give that one the focus.
      echo "LIMIT GNOME Web rich-text editor: the independent client can't tell it from the text area (both an editable multi-line entry)"
    fi
    kill -TERM "$wm" 2>/dev/null
    wait "$wm" 2>/dev/null

    # Nested two levels deep: the client's identifier is still found, and
    # focusPreiov still activates it.
    nested_in() { xwininfo -tree -id "$1" | awk '/Parent window id:/ { print $4; exit }'; }
    # The server hands the windows of the manager that quit back to the
    # root only once it has closed that manager's connection, which on a
    # busy machine comes a while after the process is gone; the next manager
    # nests what it finds on the root when it starts.
    back_at_root() { [ "$(nested_in "$window")" = "$root" ]; }
    wait_for 20 back_at_root
    "$nesting_wm" >"$work/nesting-wm.log" 2>&1 &
    wm=$!
    track_pid "$wm"
    is_nested() {  # window: its parent's parent is a child of the root
      local parent grand
      parent="$(nested_in "$1")"
      grand="$(nested_in "$parent")"
      [ -n "$grand" ] && [ "$grand" != "$root" ] && [ "$(nested_in "$grand")" = "$root" ]
    }
    # A manager that quits hides its clients' windows before it hands them
    # back, and the one that goes on a busy machine may not have shown
    # mousepad's again before its connection closed: a window left on the
    # root unmapped is one no manager nests until it asks to be shown, as
    # the user's click in a task bar would have it do.
    map_state() { xwininfo -id "$1" 2>/dev/null | awk '/Map State:/ { print $3; exit }'; }
    if wait_for 20 grep -q 'nesting wm ready' "$work/nesting-wm.log" && ! wait_for 5 is_nested "$window" &&
       [ "$(map_state "$window")" = IsUnMapped ]; then
      echo "NOTE nesting window manager: mousepad's window came back to the root unmapped; it is shown again"
      xdotool windowmap "$window" 2>/dev/null
    fi
    if ! wait_for 20 grep -q 'nesting wm ready' "$work/nesting-wm.log" || ! wait_for 20 is_nested "$window"; then
      fail "nesting window manager" "mousepad's window $window ($(map_state "$window"), in $(nested_in "$window")) wasn't nested: $(tr '\n' '|' <"$work/nesting-wm.log")"
    else
      # The change of manager moves the focus on its own (to whichever
      # window the server gives it), and the activations that follow can
      # still be on their way: the case judges mousepad's app_changed, not
      # the first one after the switch.
      settle
      activate "$hostwin"
      t="$(now)"
      if ! activate "$window"; then
        unmet "nesting window manager" "the window manager didn't make mousepad's window the active one: $(xdotool getactivewindow 2>&1) is"
      elif got="$(event_with app_changed "$t" 20 '"name":"mousepad"')" && [[ "$got" == *'"bundle_id":"org.xfce.mousepad"'* ]]; then
        pass "nesting window manager: app_changed carries mousepad's toolkit identifier two levels down"
      else
        fail "nesting window manager" "mousepad's app_changed: ${got:-none within 20 s}; all: $(events_after "$t" | grep ' app_changed ' | cut -d' ' -f2- | tr '\n' '|')"
      fi
      if activate "$hostwin"; then
        call focusPreiov
        if wait_for 20 is_active "$window"; then
          pass "nesting window manager: focusPreiov activates mousepad's nested window"
        else
          fail "nesting window manager" "focusPreiov: active window $(xdotool getactivewindow), mousepad is $window"
        fi
      else
        unmet "nesting window manager" "the window manager didn't make the host's window the active one: $(xdotool getactivewindow 2>&1) is"
      fi
    fi
    wait_for 20 sh -c "xwininfo -tree -id '$window' | grep -q 'Parent window id: $root'"
  fi
  # Whichever manager runs now goes: the player's cases run without one.
  kill -TERM "$wm" 2>/dev/null
  wait "$wm" 2>/dev/null
  stop_host
fi

# ---------------------------------------------------------------- the player
# axtrack-play --desktop: files meant for the simulated desktop are refused
# before anything is loaded; a failing command is reported and the play goes
# on; the desktop tour (examples/desktop-tour.json), played against this
# mousepad, brings the events it promises, at or after the times of the
# steps that cause them, and no final state.
player="$build/bin/axtrack-play"
if [ ! -x "$player" ]; then
  echo "SKIP player: $player isn't built (cmake --build $build --target axtrack-play)"
  finish
fi
play() {  # name file: the player's output in $work/play-NAME.out, .err; its status
  "$player" --desktop "$2" >"$work/play-$1.out" 2>"$work/play-$1.err"
}

refused() {  # name json position: exit 2, nothing on standard output, one line naming file and position
  printf '%s' "$2" >"$work/$1.json"
  play "$1" "$work/$1.json"
  local status=$?
  local err
  err="$(cat "$work/play-$1.err")"
  if [ "$status" -eq 2 ] && [ ! -s "$work/play-$1.out" ] && [ "$(wc -l <"$work/play-$1.err")" -eq 1 ] &&
     [[ "$err" == "axtrack-play: $work/$1.json: $3: "* ]]; then
    return 0
  fi
  echo "  status $status, stdout $(wc -c <"$work/play-$1.out") bytes, stderr: $err"
  return 1
}
# The player's cases, in a group of their own.
case_player() {
  local status took out problems expect name step first tour began doc
  if refused apps '{"apps": [{"pid": 2}], "steps": []}' apps &&
     refused select '{"steps": [{"at": 0, "do": "start"}, {"at": 1, "do": "select", "element": "x", "range": [0, 1]}]}' 'steps[1].do' &&
     refused window '{"steps": [{"at": 0, "do": "addMouseTracker", "window": "panel"}]}' 'steps[0].window' &&
     refused command '{"steps": [{"at": 0, "do": "run", "command": []}]}' 'steps[0].command'; then
    pass "player: simulated-desktop members and steps, bad windows and empty commands are refused"
  else
    fail "player" "a bad file was not refused as it should be"
  fi

  printf '%s' '{"steps": [{"at": 0, "do": "run", "command": ["false"]},
    {"at": 0, "do": "run", "command": ["axtrack-no-such-program"]},
    {"at": 0, "do": "isAccessibiltyEnabled"}]}' >"$work/failing.json"
  play failing "$work/failing.json"
  status=$?
  if [ "$status" -eq 1 ] && grep -qx 'axtrack-play: steps\[0\]: "false" exited with status 1' "$work/play-failing.err" &&
     grep -q '^axtrack-play: steps\[1\]: can.t run "axtrack-no-such-program": ' "$work/play-failing.err" &&
     grep -qE '^result [0-9]+\.[0-9]{3} isAccessibiltyEnabled (true|false)$' "$work/play-failing.out"; then
    pass "player: failing commands are reported, the play goes on, exit status 1"
  else
    fail "player" "status $status, stderr $(tr '\n' '|' <"$work/play-failing.err")"
  fi

  focus_mousepad
  if ! doc="$(type_document mousepad 'alpha beta gamma')"; then unmet "player" "$doc"; fi
  xdotool key ctrl+Home
  focus_root
  settle
  tour="$here/../../examples/desktop-tour.json"
  began=$SECONDS
  play tour "$tour"
  status=$?
  took=$((SECONDS - began))
  out="$work/play-tour.out"
  problems=()
  [ "$status" -eq 0 ] || problems+=("exit status $status: $(tr '\n' '|' <"$work/play-tour.err")")
  # The first step that causes each event, from the tour file.
  for expect in app_changed:0.6 focused_changed:1.4 text_select:2.8 caret:3.6 alt_enter_pressed:4.4; do
    name="${expect%%:*}"
    step="${expect#*:}"
    first="$(awk -v name="$name" '$1 == "event" && $3 == name { print $2; exit }' "$out")"
    if [ -z "$first" ]; then
      problems+=("no $name")
    elif ! awk -v t="$first" -v s="$step" 'BEGIN { exit !(t + 0 >= s + 0) }'; then
      problems+=("$name at $first, before its step at $step")
    fi
  done
  [ "$(grep -cE '^result [0-9]+\.[0-9]{3} (isAccessibiltyEnabled|showAccessibiltyPermisionPopup) (true|false)$' "$out")" -eq 3 ] ||
    problems+=("not three result lines")
  grep -q '"selected_text":"alpha"' "$out" || problems+=("no selection of alpha")
  awk '$1 == "event" || $1 == "result" { if ($2 !~ /^[0-9]+\.[0-9][0-9][0-9]$/ || $2 + 0 < last) exit 1; last = $2 + 0 }' "$out" ||
    problems+=("times not in three decimals or going back")
  grep -qE '^(pasteboard|text|frontmost|activations|keys) ' "$out" && problems+=("final-state lines")
  # The last step is at 6.8 s and is followed by a second of the loop.
  [ "$took" -ge 7 ] || problems+=("over after $took s")
  if [ ${#problems[@]} -eq 0 ]; then
    pass "player: the desktop tour shows its events on the real clock, in $took s"
  else
    fail "player" "$(IFS='; '; echo "${problems[*]}") -- output: $(tr '\n' '|' <"$out")"
  fi
  return 0
}
section "player" case_player
finish
