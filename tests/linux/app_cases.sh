# The cases every application family runs, sourced by run.sh, which
# defines the helpers used here (start_host, event_after, call, clip_*, ...)
# and runs them under a window manager, with the test host (and its
# window, $hostwin) started.
#
#   app_cases LABEL NAME WINDOW BUNDLE_ID
#
# LABEL names the application in the verdicts; NAME is its name on the
# accessibility bus (and in "app_changed"), WINDOW its window, BUNDLE_ID
# the identifier "app_changed" must carry. The application's own limits
# are given beforehand in these variables:
#
#   app_window_extents  the reason the application gives the extents of its
#                    text only relative to its window (empty: on the screen,
#                    and the selection's rectangle must match the
#                    independent client's); the library places them on the
#                    screen itself, which a click into the rectangle checks
#   app_focus_away   the command that takes the focus from the text to another
#                    element that says it has it (failing when it can't)
#   app_focus_back   the command that gives the text the focus again
#   app_focus_caret  the reason the application reports a caret move along
#                    with the focus coming back (empty: it doesn't), whose
#                    "caret" then replaces "focused_changed" in the delivery
#   app_cold_extents the reason the application's first answers for the
#                    extents of a range of its text are wrong (empty: they
#                    aren't); the client then asks until they settle before
#                    the word is selected
#   app_keys_after_hot_key  what is known of an application whose caret the
#                    arrow keys no longer move after the hot key (empty:
#                    they do); the replacement, which selects with them, is
#                    then said, not judged
#   app_flat_extents the reason the application gives the characters of its
#                    text no height (empty: it gives them one); the rectangle
#                    must still be the one the independent client reads, and
#                    a LIMIT line says what the client read
#   app_busy_host    non-empty: the focus's detour is played again with the
#                    host's thread stopped (busy_host_focus_case)

# The X server's selection traffic and keys from trace_start to
# trace_stop (selection_trace.py), for a replacement that didn't land to
# say whose it was: keys that never came, an application that never asked
# for the clipboard, or a request refused. Without RECORD, nothing.
trace_start() {
  trace_file="$work/selection-trace.$(now)"
  /usr/bin/python3 "$here/selection_trace.py" >"$trace_file" 2>&1 &
  trace_pid=$!
  track_pid "$trace_pid"
  local i
  for i in $(seq 50); do
    grep -q '^tracing' "$trace_file" 2>/dev/null && return
    kill -0 "$trace_pid" 2>/dev/null || return
    sleep 0.1
  done
}
trace_stop() {
  kill "$trace_pid" 2>/dev/null
  wait "$trace_pid" 2>/dev/null || true
}
trace_lines() { grep -v '^tracing' "$trace_file" 2>/dev/null | tail -n 60 | tr '\n' '|'; }

# The first event NAME after SINCE whose data contains TEXT, waited for up
# to SECONDS: prints "TIME JSON". Keys typed one at a time give one
# selection change each; only the one that ends the selection is wanted.
event_with() {  # name since seconds text
  local deadline=$((SECONDS + $3))
  local line
  while [ "$SECONDS" -le "$deadline" ]; do
    line="$(awk -v name="$1" -v since="$2" -v text="$4" '$1 == "event" && $3 == name && $2 > since && index($0, text) {
      print $2 " " substr($0, length($1 " " $2 " " $3 " ") + 1); exit }' "$hostlog")"
    if [ -n "$line" ]; then echo "$line"; return 0; fi
    sleep 0.05
  done
  return 1
}
# The last event NAME after SINCE: prints "TIME JSON".
last_event() {  # name since
  awk -v name="$1" -v since="$2" '$1 == "event" && $3 == name && $2 > since {
    line = $2 " " substr($0, length($1 " " $2 " " $3 " ") + 1) } END { if (line == "") exit 1; print line }' "$hostlog"
}
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# Asks the window manager to activate WINDOW until it is the active one, at
# most 20 s: on a loaded machine a request can be passed over (a newer user
# time of the window in front), and is made again.
activate() {  # window
  local deadline=$((SECONDS + 20))
  while :; do
    timeout 5 xdotool windowactivate --sync "$1" >/dev/null 2>&1
    wait_for 2 is_active "$1" && return 0
    [ "$SECONDS" -lt "$deadline" ] || return 1
  done
}
count_events() {  # name since
  awk -v name="$1" -v since="$2" '$1 == "event" && $3 == name && $2 > since { n++ } END { print n + 0 }' "$hostlog"
}
# How many events NAME after SINCE carry exactly JSON (given through the
# environment: awk -v would read escapes in it).
count_same() {  # name since json
  json="$3" awk -v name="$1" -v since="$2" '$1 == "event" && $3 == name && $2 > since &&
    substr($0, length($1 " " $2 " " $3 " ") + 1) == ENVIRON["json"] { n++ } END { print n + 0 }' "$hostlog"
}
# Selects LENGTH characters from offset FROM of the first line, with the
# keyboard, as the same keys do in every toolkit.
select_chars() {  # from length
  local keys=(ctrl+Home) i
  for ((i = 0; i < $1; i++)); do keys+=(Right); done
  for ((i = 0; i < $2; i++)); do keys+=(shift+Right); done
  xdotool key --delay 15 "${keys[@]}"
}


# Whether a click at the middle of the rectangle in JSON lands in the word
# "gamma" of NAME's text "alpha beta gamma": a mark typed there shows where
# the caret went, and is taken back. Sets clicked to the text with the mark.
has_mark() { [[ "$(timeout 20 "$reader" text "$1" 2>/dev/null)" == *'#'* ]]; }
clicked_into() {  # name json
  local x="" y="" w="" h=""
  read -r x y h w <<<"$(sed -n 's/.*"position":{"x":\([0-9-]*\),"y":\([0-9-]*\)},.*"size":{"height":\([0-9]*\),"width":\([0-9]*\)}.*/\1 \2 \3 \4/p' <<<"$2")"
  clicked="no rectangle"
  [ -n "${w:-}" ] || return 1
  xdotool mousemove "$((x + w / 2))" "$((y + h / 2))" click 1
  # The click took the selection away, the mark is in, and then out again.
  reader_expect "$1" 15 selection=none >/dev/null
  xdotool type '#'
  wait_for 20 has_mark "$1"
  clicked="$(timeout 20 "$reader" text "$1")"
  xdotool key BackSpace
  reader_expect "$1" 15 'text=alpha beta gamma' >/dev/null
  [[ "$clicked" == 'alpha beta g'*'#'*'a' && "$clicked" != *'#'*'#'* ]]
}

# The focus moves to another element and back to the text: one
# "focused_changed" (claims of elements that don't hold the focus, a pane,
# a panel, move nothing). On failure it says what the host got and the
# independent client heard, in order, and whether the application's focus
# report was dropped or overtaken by its caret and selection changes.
focus_case() {  # label name bundle
  local label="$1" name="$2" bundle="$3" t got seen diagnosis
  listen_start "$name" || echo "  (the independent client's listener didn't start: $(tr '\n' '|' <"$heard"))"
  t="$(now)"
  if ! $app_focus_away; then
    unmet "$label focus" "'$app_focus_away' didn't take the focus from the text ($label's side or the keys'); in order: $(sequence_since "$t")"
    listen_stop
    return 0
  fi
  # The focus has gone elsewhere, as the independent client hears it, before
  # it is brought back (else the keys that bring it back would race the
  # ones that took it away).
  wait_for 5 heard_focus_after "$t"
  settle
  t="$(now)"
  $app_focus_back
  if [ -n "$app_focus_caret" ]; then
    # Said, not counted: what the host got, and when.
    got="$(event_after caret "$t" 20)"
    settle
    echo "LIMIT $label focus: $app_focus_caret; in order: $(sequence_since "$t")"
  elif got="$(event_after focused_changed "$t" 20)"; then
    # Nothing more coming can't be waited for: the delivery's delay, and
    # the log let settle.
    sleep 0.5
    settle
    if [[ "$got" == *"\"bundle_id\":\"$bundle\""* ]] && [ "$(count_events focused_changed "$t")" -eq 1 ]; then
      pass "$label focus: one focused_changed when the text gets the focus back"
      report focused_changed "$t" "$got"
    else
      fail "$label focus" "got $got; in order: $(sequence_since "$t")"
    fi
  elif ! seen="$(reader_expect "$name" 5 focused)"; then
    unmet "$label focus" "'$app_focus_back' didn't give the text the focus ($label's side), the independent client reads: $seen; in order: $(sequence_since "$t")"
  else
    diagnosis="$(focus_diagnosis "$t")"
    if [[ "$diagnosis" == unmet* ]]; then
      unmet "$label focus" "${diagnosis#unmet } ($label's side); in order: $(sequence_since "$t")"
    else
      fail "$label focus" "no focused_changed within 20 s of focusing the text: $diagnosis; in order: $(sequence_since "$t")"
    fi
  fi
  listen_stop
  settle
}

# The same detour while the host's thread is busy (stopped, as a host's
# main thread blocked for a moment is): every claim of the detour has been
# taken back by the time the library handles it, and the text's return is
# still one "focused_changed" once the host runs again.
busy_host_focus_case() {  # label name bundle
  local label="$1" name="$2" bundle="$3" t got seen
  listen_start "$name" || echo "  (the independent client's listener didn't start: $(tr '\n' '|' <"$heard"))"
  t="$(now)"
  host_signal STOP
  if ! $app_focus_away; then
    host_signal CONT
    unmet "$label focus, host busy" "'$app_focus_away' didn't take the focus from the text; in order: $(sequence_since "$t")"
  else
    $app_focus_back
    seen="$(reader_expect "$name" 10 focused)"
    host_signal CONT
    if [ -n "$seen" ]; then
      unmet "$label focus, host busy" "'$app_focus_back' didn't give the text the focus, the independent client reads: $seen"
    elif got="$(event_after focused_changed "$t" 20)"; then
      sleep 0.5
      settle
      if [[ "$got" == *"\"bundle_id\":\"$bundle\""* ]] && [ "$(count_events focused_changed "$t")" -eq 1 ]; then
        pass "$label focus, host busy: one focused_changed for the text's return"
      else
        fail "$label focus, host busy" "got $got; in order: $(sequence_since "$t")"
      fi
    else
      fail "$label focus, host busy" "no focused_changed within 20 s of the host running again; in order: $(sequence_since "$t")"
    fi
  fi
  listen_stop
  settle
}

# Sends SIGNAL to the host and what it runs under (timeout, strace):
# stopped all at once; continued, the host before what watches it.
host_signal() {  # signal
  local pids=("$hostpid") i=0 child
  while [ "$i" -lt "${#pids[@]}" ]; do
    for child in $(pgrep -P "${pids[$i]}"); do pids+=("$child"); done
    i=$((i + 1))
  done
  if [ "$1" = CONT ]; then
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill -CONT "${pids[$i]}" 2>/dev/null; done
  else
    kill "-$1" "${pids[@]}" 2>/dev/null
  fi
}

# Whether the independent client heard NAME's focus go to an element after
# T (of ROLE, if given): from the listener's lines in $heard.
heard_focus_after() {  # t [role]
  awk -v t="$1" -v role="${2:-}" '$1 > t && $2 == "focus" && (role == "" || $3 == role) { found = 1 }
    END { exit !found }' "$heard"
}

app_cases() {  # label name window bundle
  local label="$1" name="$2" win="$3" bundle="$4"
  local t="" got="" lines_before="" expected="" ex="" ey="" ew="" eh="" doc="" after="" times="" copies="" seen="" clicked=""

  if ! host_alive; then
    unmet "$label" "the test host has ended before its cases: $(tail -2 "$hostlog" | tr '\n' '|')"
    return 0
  fi

  # Activation, switching from whichever application was in front: one
  # "app_changed" with the application's role, name and identifier, not
  # replaced by a focus event, and the focused element found (else the
  # tracker prints its "no focused element" line and registers less).
  # The pointer rests at the screen's bottom right, on the application's
  # window, as a user's may: a tooltip the application shows there is a
  # window of its own too (Writer's status bar has one), and not the one
  # focusPreiov brings back.
  xdotool mousemove 1270 1020
  lines_before="$(grep -c 'some where around herer' "$hostlog")"
  t="$(now)"
  if ! activate "$win"; then
    unmet "$label activation" "the window manager didn't make its window the active one: $(xdotool getactivewindow 2>&1) is"
  elif got="$(event_after app_changed "$t" 20)"; then
    # Nothing more coming can't be waited for: the delivery's delay, and
    # the log let settle.
    sleep 0.8
    settle
    if [[ "$got" == *"\"bundle_id\":\"$bundle\""* && "$got" == *"\"name\":\"$name\""* &&
          "$got" == *'"role":"AXApplication"'* ]] && [ "$(count_events app_changed "$t")" -eq 1 ] &&
       [ "$(count_events focused_changed "$t")" -eq 0 ] &&
       [ "$(grep -c 'some where around herer' "$hostlog")" -eq "$lines_before" ]; then
      pass "$label activation: one app_changed with its role, name and identifier"
      report app_changed "$t" "$got"
    else
      fail "$label activation" "got $got; $(count_events app_changed "$t") app_changed, $(count_events focused_changed "$t") focused_changed since; $(tail -3 "$hostlog" | tr '\n' '|')"
    fi
  else
    fail "$label activation" "no app_changed within 20 s of activating its window, which is the active one"
  fi

  # The text to work on, read back by the independent client.
  if ! seen="$(type_document "$name" 'alpha beta gamma')"; then
    unmet "$label text" "$seen"
  fi
  xdotool key ctrl+Home
  reader_expect "$name" 15 caret=0 >/dev/null
  settle

  focus_case "$label" "$name" "$bundle"
  [ -z "${app_busy_host:-}" ] || busy_host_focus_case "$label" "$name" "$bundle"

  # The last word selected with one key from the end of the line: the
  # word, editable, and its rectangle as the independent client reads it;
  # one text_select for the one key, though Firefox and Writer report the
  # selection twice for it. Should the application still be answering for
  # its first report when the second comes, what stands is the host's last
  # text_select.
  xdotool key ctrl+Home End
  if ! seen="$(reader_expect "$name" 15 caret=16)"; then
    unmet "$label selection" "End didn't put the caret at the end of the line, the independent client reads: $seen"
  fi
  if [ -n "$app_cold_extents" ]; then
    echo "LIMIT $label selection: $app_cold_extents (the client's first answers for the word: $(for i in 1 2; do timeout 10 "$reader" extents "$name" gamma; done | tr '\n' '|') then $(extents_settled "$name" gamma))"
  fi
  settle
  t="$(now)"
  xdotool key ctrl+shift+Left
  if ! seen="$(reader_expect "$name" 15 selection=11:16)"; then
    unmet "$label selection" "Ctrl+Shift+Left didn't select 'gamma' (11:16), the independent client reads: $seen"
  elif [ -n "$app_window_extents" ]; then
    # The client can't place the word on the screen; a click at the middle
    # of the host's rectangle must land in it.
    if got="$(event_with text_select "$t" 20 '"selected_text":"gamma"')" && [[ "$got" == *'"is_editable":true'* ]] &&
       clicked_into "$name" "$got"; then
      pass "$label selection: text_select with the word, editable, at a rectangle a click lands in ($app_window_extents)"
      report text_select "$t" "$got"
    else
      fail "$label selection" "got ${got:-nothing}; a click at its middle made the text '$clicked'; in order: $(sequence_since "$t")"
    fi
  elif event_with text_select "$t" 20 '"selected_text":"gamma"' >/dev/null; then
    # A second report of the same selection may still come: the delivery's
    # delay, and the log let settle.
    sleep 1
    settle
    got="$(last_event text_select "$t")"
    copies="$(count_same text_select "$t" "${got#* }")"
    expected="$(timeout 20 "$reader" extents "$name" gamma)"
    read -r ex ey ew eh <<<"$expected"
    if [[ "$got" == *'"selected_text":"gamma"'* && "$got" == *'"is_editable":true'* &&
          "$got" == *"\"position\":{\"x\":$ex,\"y\":$ey}"* &&
          "$got" == *"\"size\":{\"height\":$eh,\"width\":$ew}"* ]] && [ "$copies" -eq 1 ]; then
      pass "$label selection: text_select with the word, once, editable, at the extents AT-SPI reports ($expected)"
      report text_select "$t" "$got"
      # Whose the missing height is: the application's, when the
      # independent client reads it too.
      if [ -n "$app_flat_extents" ]; then
        seen="$(timeout 10 "$reader" char-extents "$name" 11)"
        if [[ "$seen" == *' 0' ]]; then
          echo "LIMIT $label selection: $app_flat_extents: the independent client reads 'g' at $seen and 'gamma' (11:16) at $expected, the rectangle the host got"
        else
          echo "NOTE $label selection: said to be flat ($app_flat_extents), but the independent client reads 'g' at $seen"
        fi
      fi
    else
      fail "$label selection" "last $got ($copies alike), AT-SPI reports $expected; all: $(events_after "$t" | grep ' text_select ' | cut -d' ' -f2,4- | tr '\n' '|')"
    fi
  else
    fail "$label selection" "no text_select of the word within 20 s, though the independent client reads it selected: $(events_after "$t" | tail -2 | tr '\n' '|')"
  fi
  settle

  # The caret moves to the start of the line and to its end.
  t="$(now)"
  xdotool key ctrl+Home End
  if ! seen="$(reader_expect "$name" 15 caret=16 selection=none)"; then
    unmet "$label caret" "Ctrl+Home End didn't put the caret at the end of the line, the independent client reads: $seen"
  elif got="$(event_after caret "$t" 20)" && [[ "$got" == *' {}' ]]; then
    pass "$label caret: caret with an empty object"
    report caret "$t" "$got"
  else
    fail "$label caret" "no caret within 20 s: $(events_after "$t" | tr '\n' '|')"
  fi
  settle

  # Alt+Return: the text before the caret, and the focus's detour during
  # the grab of the keyboard sends nothing after it.
  t="$(now)"
  xdotool key alt+Return
  if got="$(event_after alt_enter_pressed "$t" 20)"; then
    # Nothing more coming can't be waited for: the delivery's delay, and
    # the log let settle.
    sleep 1
    settle
    if [[ "$got" == *'"selected_text":"alpha beta gamma"'* && "$got" == *'"is_editable":true'* ]] &&
       [ -z "$(events_after "${got%% *}" | grep -v ' alt_enter_pressed ')" ]; then
      pass "$label hot key: alt_enter_pressed with the text before the caret, nothing after it"
      report alt_enter_pressed "$t" "$got"
    else
      fail "$label hot key" "got $got, then: $(events_after "${got%% *}" | tr '\n' '|')"
    fi
  else
    fail "$label hot key" "no alt_enter_pressed within 20 s: $(events_after "$t" | tr '\n' '|')"
  fi
  settle

  # setText replaces the selected word; the clipboard is as it was.
  if [ -n "${app_keys_after_hot_key:-}" ]; then
    echo "LIMIT $label replace text: $app_keys_after_hot_key"
  else
  clip_set 'clipboard before'
  t="$(now)"
  select_chars 11 5
  if ! seen="$(reader_expect "$name" 15 selection=11:16)"; then
    unmet "$label replace text" "the keys didn't select 'gamma' (11:16), the independent client reads: $seen"
  elif ! event_with text_select "$t" 20 '"selected_text":"gamma"' >/dev/null; then
    fail "$label replace text" "no selection event, though the independent client reads 'gamma' selected: $(events_after "$t" | tail -2 | tr '\n' '|')"
  else
    settle
    trace_start
    t="$(now)"
    call setText DELTA
    local returned=""
    if times="$(did_after setText "$t" 30)"; then
      returned=1
      # The paste is the application's to apply, and a browser's tree
      # follows its page a moment later: waited for, bounded.
      reader_expect "$name" 15 "text=alpha beta DELTA" >/dev/null
      doc="$(timeout 20 "$reader" text "$name")"
      after="$(clip_get)"
    fi
    trace_stop
    if [ -z "$returned" ]; then
      fail "$label replace text" "setText didn't return within 30 s; the X server saw: $(trace_lines)"
    elif [ "$doc" = 'alpha beta DELTA' ] && [ "$after" = 'clipboard before' ]; then
      pass "$label replace text: the document reads '$doc', the clipboard's text is back"
      report_replacement "$times" "text on the clipboard"
    else
      # Whether the paste came late, after the clipboard was put back,
      # or never: what the document holds a moment later.
      sleep 3
      fail "$label replace text" "document '$doc', clipboard '$after'; 3 s later the independent client reads: $(timeout 10 "$reader" expect "$name" 0 text=none 2>&1 | tr '\n' ' '); the library said: $(lines_of_call setText "$t" | tr '\n' '|'); the X focus is on $(xdotool getwindowfocus getwindowname 2>&1 | tr '\n' ' '); the X server saw: $(trace_lines)"
    fi
  fi
  clip_clear
  fi
  settle

  # focusPreiov after the host's own window was activated.
  if ! activate "$hostwin"; then
    unmet "$label focusPreiov" "the window manager didn't make the host's window the active one: '$(xdotool getactivewindow getwindowname 2>&1 | tr '\n' ' ')' is"
  else
    t="$(now)"
    call focusPreiov
    if wait_for 20 is_active "$win"; then
      pass "$label focusPreiov: its window is the active one again"
    else
      fail "$label focusPreiov" "active window $(xdotool getactivewindow), $label is $win"
    fi
  fi
  settle
  return 0
}

# A page's rich-text editor (a contenteditable element, as a mail
# composer's body is), which browsers give as an editable multi-line
# section holding its text: to the host it is a text area like a
# <textarea>, with its selection reported and the hot key's text. The
# independent client gives it the focus and reads back what the keys did.
editor_cases() {  # label name window
  local label="$1 rich-text editor" target="$2/editable" win="$3" t got seen before
  if ! activate "$win"; then
    unmet "$label" "the window manager didn't make the window the active one"
    return 0
  fi
  if ! seen="$(timeout 20 "$reader" focus "$target" 2>&1)" || ! seen="$(reader_expect "$target" 15 focused)"; then
    unmet "$label" "the independent client couldn't give the editor the focus: $seen"
    return 0
  fi
  settle
  if ! seen="$(type_document "$target" 'alpha beta gamma')"; then
    unmet "$label" "$seen"
    return 0
  fi
  xdotool key ctrl+End
  if ! seen="$(reader_expect "$target" 15 caret=16)"; then
    unmet "$label" "Control+End didn't put the caret at the end, the independent client reads: $seen"
    return 0
  fi
  settle

  before="$(grep -c 'Selected text ROle Optional("AXTextArea")' "$hostlog")"
  t="$(now)"
  xdotool key ctrl+shift+Left
  if ! seen="$(reader_expect "$target" 15 selection=11:16)"; then
    unmet "$label selection" "Control+Shift+Left didn't select 'gamma', the independent client reads: $seen"
  elif got="$(event_with text_select "$t" 20 '"selected_text":"gamma"')" && [[ "$got" == *'"is_editable":true'* ]] &&
       [ "$(grep -c 'Selected text ROle Optional("AXTextArea")' "$hostlog")" -gt "$before" ]; then
    pass "$label selection: text_select with the word, editable, from a text area"
    report text_select "$t" "$got"
  else
    fail "$label selection" "got ${got:-no text_select of the word}; the roles the library saw: $(grep 'Selected text ROle' "$hostlog" | tail -2 | tr '\n' '|')"
  fi
  settle

  xdotool key ctrl+End
  if ! seen="$(reader_expect "$target" 15 caret=16)"; then
    unmet "$label hot key" "Control+End didn't put the caret at the end, the independent client reads: $seen"
    return 0
  fi
  settle
  t="$(now)"
  xdotool key alt+Return
  if got="$(event_after alt_enter_pressed "$t" 20)" && [[ "$got" == *'"selected_text":"alpha beta gamma"'* &&
       "$got" == *'"is_editable":true'* ]]; then
    pass "$label hot key: alt_enter_pressed with the text before the caret"
    report alt_enter_pressed "$t" "$got"
  else
    fail "$label hot key" "got ${got:-no alt_enter_pressed within 20 s}: $(events_after "$t" | tr '\n' '|')"
  fi
  settle
  return 0
}
