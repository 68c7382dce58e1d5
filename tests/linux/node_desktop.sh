#!/usr/bin/env bash
# The Node package against a real application:
#
#   tests/linux/node_desktop.sh [BUILD_DIR]
#
# On the private desktop of the real-application tests (desktop_env.sh) a
# plain Node host (node_host.js: the package from bindings/node, its addon
# built, loop 'auto') tracks mousepad: its activation is appChanged, words
# the keys select are textSelected, Alt+Return is altEnterPressed, and
# setText replaces the selected word and puts the user's clipboard back.
# The independent AT-SPI client (atspi_reader.py) reads the document and
# the selection before the package is judged and the document after
# setText; xclip reads the clipboard.
#
# The C test host (axtrack-linux-host) makes the same selections and the
# same Alt+Return on the same desktop first: the time from the key to the
# event in JavaScript is printed beside the C host's, for each selection
# and as a median. (Timings are reported, never judged.) The last line is
# "node-desktop: N passed, N failed".
name=node-desktop
here="$(cd "$(dirname "$0")" && pwd)"
addon="$here/../../bindings/node/build/Release/axtrack.node"
# Before the desktop: a missing piece is said at once.
for tool in node xclip; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL setup: missing: $tool"; echo "$name: 0 passed, 1 failed"; exit 1; }
done
[ -f "$addon" ] || {
  echo "FAIL setup: $addon is missing (bindings/node/scripts/ci.sh builds it)"
  echo "$name: 0 passed, 1 failed"
  exit 1
}
. "$here/host_case.sh" "$@"
. "$here/host_log.sh"
cd "$work" || { fail "setup" "can't enter $work"; finish; }

now() { date +%s.%N; }
ms_since() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) * 1000 }'; }
median() { tr ' ' '\n' | grep . | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One host at a time (the hot key is grabbed by one X client only): its
# output in $hostlog, its calls written to fd 3; closing fd 3 ends it.
hostlog=""
hostpid=""
start_host() {  # label command...
  local label="$1"
  shift
  hostlog="$work/host-$label.log"
  mkfifo "$work/host-$label.in"
  "$@" <"$work/host-$label.in" >"$hostlog" 2>&1 &
  hostpid=$!
  track_pid "$hostpid"
  exec 3>"$work/host-$label.in"
  wait_for 20 grep -q '^host ready' "$hostlog"
}
stop_host() {
  exec 3>&-
  kill -TERM "$hostpid" 2>/dev/null
  wait "$hostpid" 2>/dev/null
  hostpid=""
}
# mousepad's activation, from the root window, at most three times (a focus
# change the X server made before the library listened is not seen): the
# first EVENT after it, as "TIME JSON".
activate_mousepad() {  # event
  local try t got
  for try in 1 2 3; do
    xdotool windowfocus --sync "$root"
    t="$(now)"
    xdotool windowfocus --sync "$window"
    got="$(event_after "$1" "$t" 8)" && { echo "$got"; return 0; }
  done
  return 1
}
# The host's log still for 0.4 s (twice the delivery's delay), at most
# 10 s: the last keys' events are out before the next action is timed.
settle() {
  local before size still=0 deadline=$((SECONDS + 10))
  before="$(wc -c <"$hostlog")"
  while [ "$SECONDS" -lt "$deadline" ] && [ "$still" -lt 4 ]; do
    sleep 0.1
    size="$(wc -c <"$hostlog")"
    if [ "$size" = "$before" ]; then still=$((still + 1)); else still=0; before="$size"; fi
  done
}

document='alpha beta gamma'
words=(alpha beta gamma)
# Selects word N (1-based) with the keys: the caret goes to its end, then
# Ctrl+Shift+Left selects it. Sets `picked` to "TIME JSON" of the first
# EVENT after the selecting key and `latency` to its milliseconds; returns
# 2 when the keys didn't select the word (the client's view in `seen`), 1
# when no event came.
picked=""
latency=""
select_word() {  # n event
  local n="$1" start=0 i t
  for ((i = 0; i < n - 1; i++)); do start=$((start + ${#words[$i]} + 1)); done
  local end=$((start + ${#words[$((n - 1))]}))
  xdotool key ctrl+Home
  for ((i = 0; i < n; i++)); do xdotool key ctrl+Right; done
  seen="$(reader_expect mousepad 15 "caret=$end" selection=none)" || return 2
  settle
  t="$(now)"
  xdotool key ctrl+shift+Left
  seen="$(reader_expect mousepad 15 "selection=$start:$end")" || return 2
  picked="$(event_after "$2" "$t" 20)" || return 1
  latency="$(ms_since "$t" "${picked%% *}")"
}

# ------------------------------------------------------------ the document
xdotool windowfocus --sync "$window"
xdotool key ctrl+a
xdotool type --delay 20 "$document"
if ! seen="$(reader_expect mousepad 15 "text=$document")"; then
  xdotool key ctrl+a
  xdotool type --delay 40 "$document"
  seen="$(reader_expect mousepad 15 "text=$document")" ||
    { unmet "setup" "typed '$document' twice, the document holds: $seen"; finish; }
fi

# ------------------------------------------------------------ the C host's figures
c_select=()
c_alt=""
if ! start_host c "$host" "$library" --seconds 120; then
  fail "setup" "the C host didn't start: $(tail -n 3 "$hostlog" | tr '\n' '|')"
  finish
fi
if activate_mousepad app_changed >/dev/null; then
  for n in 1 2 3; do
    if select_word "$n" text_select; then c_select+=("$latency"); fi
  done
  settle
  t="$(now)"
  xdotool key alt+Return
  got="$(event_after alt_enter_pressed "$t" 20)" && c_alt="$(ms_since "$t" "${got%% *}")"
fi
[ ${#c_select[@]} -gt 0 ] || echo "     (the C host gave no text_select: no figure to compare with)"
stop_host

# ------------------------------------------------------------ the Node host
node_select=()
node_alt=""
if ! start_host node node "$here/node_host.js" "$library" --seconds 120; then
  fail "setup" "the Node host didn't start: $(tail -n 5 "$hostlog" | tr '\n' '|')"
  finish
fi
if grep -q '^host loop glib,' "$hostlog"; then
  pass "loop 'auto' turns GLib's default context in a plain Node process with the desktop library"
else
  fail "loop 'auto'" "$(grep '^host loop' "$hostlog")"
fi

if ! got="$(activate_mousepad appChanged)"; then
  fail "appChanged" "none in three activations of mousepad (the X focus is on $(xdotool getwindowfocus), mousepad's window is $window): $(tail -n 3 "$hostlog" | tr '\n' '|')"
  finish
elif [[ "$got" == *'"bundleId":"org.xfce.mousepad"'* && "$got" == *'"name":"mousepad"'* ]]; then
  pass "appChanged: mousepad, with its bundleId and name"
else
  fail "appChanged" "unexpected data: $got"
fi

for n in 1 2 3; do
  word="${words[$((n - 1))]}"
  select_word "$n" textSelected
  case $? in
    0)
      if [[ "$picked" == *"\"selectedText\":\"$word\""* && "$picked" == *'"isEditable":true'* ]]; then
        pass "textSelected: '$word' after the keys selected it"
        node_select+=("$latency")
      else
        fail "textSelected: '$word'" "the first textSelected after the keys: $picked"
      fi
      ;;
    1) fail "textSelected: '$word'" "none within 20 s, though the independent client reads it selected: $(tail -n 2 "$hostlog" | tr '\n' '|')" ;;
    *) unmet "textSelected: '$word'" "the keys didn't select it, the independent client reads: $seen" ;;
  esac
done

# Alt+Return with 'gamma' selected.
settle
t="$(now)"
xdotool key alt+Return
if got="$(event_after altEnterPressed "$t" 20)"; then
  node_alt="$(ms_since "$t" "${got%% *}")"
  if [[ "$got" == *'"selectedText":"gamma"'* ]]; then
    pass "altEnterPressed on Alt+Return, with the selection"
  else
    fail "altEnterPressed" "unexpected data: $got"
  fi
else
  fail "altEnterPressed" "none within 20 s of Alt+Return: $(tail -n 2 "$hostlog" | tr '\n' '|')"
fi

# setText over the selected word, with the user's text on the clipboard.
settle
printf '%s' "the user's clipboard" | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
track_pid $!
clip_get() { timeout 5 xclip -o -selection clipboard; }
clip_holds() { [ "$(clip_get 2>/dev/null)" = "$1" ]; }
if ! wait_for 20 clip_holds "the user's clipboard"; then
  unmet "setText" "xclip didn't put the user's text on the clipboard"
elif ! seen="$(reader_expect mousepad 15 selection=11:16)"; then
  unmet "setText" "'gamma' isn't selected any more, the independent client reads: $seen"
else
  t="$(now)"
  echo "setText DELTA" >&3
  if times="$(did_after setText "$t" 30)"; then
    if seen="$(reader_expect mousepad 15 'text=alpha beta DELTA')"; then
      pass "setText: the document holds 'alpha beta DELTA', as the independent client reads it"
    else
      fail "setText" "the document, as the independent client reads it: $seen"
    fi
    clip="$(clip_get 2>&1)"
    if [ "$clip" = "the user's clipboard" ]; then
      pass "setText: the user's clipboard is back"
    else
      fail "setText" "the clipboard holds '$clip' after setText"
    fi
    echo "     setText in JavaScript took $(ms_since ${times% *} ${times#* }) ms"
  else
    fail "setText" "the call didn't return within 30 s: $(tail -n 3 "$hostlog" | tr '\n' '|')"
  fi
fi
stop_host

# ------------------------------------------------------------ the figures
figure() { [ -n "$1" ] && echo "$1 ms" || echo "none"; }
echo "     latency key -> textSelected: Node $(figure "$(echo "${node_select[*]}" | median)") (${node_select[*]:-none}), C host $(figure "$(echo "${c_select[*]}" | median)") (${c_select[*]:-none}), medians of the three selections"
echo "     latency Alt+Return -> altEnterPressed: Node $(figure "$node_alt"), C host $(figure "$c_alt")"
finish
