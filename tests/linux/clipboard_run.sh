#!/usr/bin/env bash
# The user's clipboard through setText, with owners that misbehave, on a
# real (virtual) Linux desktop with mousepad as the application written in.
#
#   tests/linux/clipboard_run.sh [BUILD_DIR]
#
# BUILD_DIR (default: build-linux beside the repository) holds
# bin/libaxtrack.so and bin/axtrack-linux-host. Besides what run.sh needs
# (tests/linux/packages.txt) it needs xclip and python3-xlib, for the owners
# of clipboard_owner.py. Cases:
#
#   plain       an owner that answers at once: its text is back
#   slow        one that answers each request 0.7 s after it gets it: every
#               target is back when setText returns
#   silent      one that never answers: the word is still replaced, and the
#               clipboard has an owner afterwards (ours), never none
#   ten         10 targets, 0.4 s per answer, with MULTIPLE: all 10 back
#   ten-single  the same without MULTIPLE (one request per target, sent
#               together): those that came are back when setText returns,
#               the rest follow as the owner sends them
#   refused     one that lists MULTIPLE but refuses it: asked one target
#               at a time instead, all of them are back
#   newer copy  a copy made while a slow owner's answers are still being
#               added after setText: the copy stays
#   twice       a second setText right after the first, while the slow
#               owner's answers still come: its paste offers only its text
#   huge claim  an owner that says its format in pieces (INCR) is 1 GiB and
#               sends 3 small pieces: all of it is back, and the host set
#               nothing aside for the claim (its address space stays put)
#   endless     one that sends that format in pieces without end: past the
#               bound on a saved clipboard (64 MiB) the format is dropped as
#               unreadable; the owner's text is back, the format isn't
#               offered, and the host's peak memory stays near the bound
#   late paste  a client that asks for the clipboard after setText put it
#               back, with a time from before: it gets the replacement
#   large       a 50 MB image from xclip: back whole, read three times; the
#               host's memory is measured before and after
#
# Every wait is bounded. It prints each setText's duration and the memory
# figures; the last line is "clipboard: N passed, N failed".
set -u

here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../../build-linux}"
[ -d "$build" ] && build="$(cd "$build" && pwd)"
library="$build/bin/libaxtrack.so"
host="$build/bin/axtrack-linux-host"
reader="$here/atspi_reader.py"
owner_py="$here/clipboard_owner.py"

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS $1"; }
fail() { failed=$((failed + 1)); echo "FAIL $1: $2"; }
finish() {
  echo "clipboard: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

. "$here/desktop_env.sh"
. "$here/host_log.sh"
missing=($(desktop_missing))
command -v xclip >/dev/null 2>&1 || missing+=(xclip)
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || missing+=(python3-xlib)
for file in "$library" "$host"; do
  [ -f "$file" ] || missing+=("$file")
done
if [ ${#missing[@]} -gt 0 ]; then
  fail "setup" "missing: ${missing[*]}"
  finish
fi

trap desktop_stop EXIT
desktop_start || { fail "setup" "$desktop_error"; finish; }
cd "$work" || { fail "setup" "can't enter $work"; finish; }

settle() { sleep 0.4; }
host_start 280 || { fail "setup" "$host_error"; finish; }

document() { timeout 10 "$reader" text mousepad; }
select_word() {  # n word
  local t i
  xdotool windowfocus --sync "$window"
  settle
  t="$(now)"
  xdotool key ctrl+Home
  for ((i = 0; i < $1; i++)); do xdotool key ctrl+Right; done
  xdotool key ctrl+shift+Left
  event_after text_select "$t" 5 | grep -q "\"selected_text\":\"$2\""
}
clip_get() { timeout 10 xclip -selection clipboard -o -t "${1:-UTF8_STRING}" 2>/dev/null; }
# The clipboard has an owner (anyone): asking it for its targets succeeds.
clip_owned() { /usr/bin/python3 -c '
from Xlib import display
d = display.Display()
raise SystemExit(0 if d.get_selection_owner(d.intern_atom("CLIPBOARD")) != 0 else 1)'; }
duration() { awk -v t0="${1% *}" -v t1="${1#* }" 'BEGIN { printf "%.0f", (t1 - t0) * 1000 }'; }

# Starts clipboard_owner.py with ARGS and waits until it owns the clipboard.
owner=""
start_owner() {
  stop_owner
  /usr/bin/python3 "$owner_py" "$@" >"$work/owner.log" 2>&1 &
  owner=$!
  pids+=("$owner")
  wait_for 5 grep -q '^ready' "$work/owner.log"
}
stop_owner() {
  [ -n "$owner" ] && kill -TERM "$owner" 2>/dev/null && wait "$owner" 2>/dev/null
  owner=""
}
# How many of the ten formats read back as they were.
formats_back() {
  local n=0 k
  [ "$(clip_get)" = 'owner text' ] && n=1
  for k in 1 2 3 4 5 6 7 8 9; do
    [ "$(clip_get "application/x-axtrack-test-$k")" = "format $k" ] && n=$((n + 1))
  done
  echo "$n"
}
# Runs setText WORD over the selected word; sets `times` and `took` (ms).
replace() {  # word
  local t
  t="$(now)"
  call setText "$1"
  times="$(did_after setText "$t" 15)" || return 1
  took="$(duration "$times")"
}
# The host itself, not the timeout that runs it.
hostproc="$(cat "/proc/$hostpid/task/$hostpid/children" 2>/dev/null | awk '{ print $1 }')"
rss_kb() { awk -v what="${1:-VmRSS}:" '$1 == what { print $2 }' "/proc/${hostproc:-$hostpid}/status"; }

xdotool windowfocus --sync "$window"
event_after app_changed 0 5 >/dev/null || fail "setup" "mousepad wasn't adopted"
xdotool key ctrl+a
xdotool type --delay 5 'one two three four five six seven'
settle

# ---------------------------------------------------------------- plain
if ! start_owner; then
  fail "plain" "the owner didn't take the clipboard"
elif ! select_word 1 one; then
  fail "plain" "no text_select for one"
elif ! replace ONE; then
  fail "plain" "setText didn't return"
else
  doc="$(document)"
  if [[ "$doc" == 'ONE two'* ]] && [ "$(clip_get)" = 'owner text' ]; then
    pass "plain: the word was replaced and the owner's text is back ($took ms)"
  else
    fail "plain" "document '$doc', clipboard '$(clip_get)'"
  fi
fi

# ---------------------------------------------------------------- slow
if ! start_owner --delay 0.7 --formats 3; then
  fail "slow owner" "the owner didn't take the clipboard"
elif ! select_word 2 two; then
  fail "slow owner" "no text_select for two"
elif ! replace TWO; then
  fail "slow owner" "setText didn't return"
else
  doc="$(document)"
  text="$(clip_get)"
  f1="$(clip_get application/x-axtrack-test-1)"
  f2="$(clip_get application/x-axtrack-test-2)"
  if [[ "$doc" == 'ONE TWO three'* ]] && [ "$text" = 'owner text' ] && [ "$f1" = 'format 1' ] &&
     [ "$f2" = 'format 2' ] && [ "$took" -le 2000 ]; then
    pass "slow owner (0.7 s per answer): all 3 targets are back when setText returns ($took ms)"
  else
    fail "slow owner" "document '$doc', clipboard '$text' '$f1' '$f2', $took ms; owner: $(tr '\n' '|' <"$work/owner.log")"
  fi
fi

# ---------------------------------------------------------------- silent
if ! start_owner --silent; then
  fail "silent owner" "the owner didn't take the clipboard"
elif ! select_word 3 three; then
  fail "silent owner" "no text_select for three"
elif ! replace THREE; then
  fail "silent owner" "setText didn't return"
else
  doc="$(document)"
  sleep 0.5
  if [[ "$doc" == 'ONE TWO THREE four'* ]] && clip_owned && [ "$took" -le 2000 ]; then
    pass "silent owner: the word was replaced, the clipboard still has an owner ($took ms)"
  else
    fail "silent owner" "document '$doc', owned: $(clip_owned && echo yes || echo no), $took ms"
  fi
fi

# ---------------------------------------------------------------- ten
if ! start_owner --delay 0.4 --formats 10; then
  fail "ten formats" "the owner didn't take the clipboard"
elif ! select_word 4 four; then
  fail "ten formats" "no text_select for four"
elif ! replace FOUR; then
  fail "ten formats" "setText didn't return"
else
  doc="$(document)"
  n="$(formats_back)"
  if [[ "$doc" == 'ONE TWO THREE FOUR five'* ]] && [ "$n" = 10 ] && [ "$took" -le 2000 ]; then
    pass "ten formats (0.4 s per answer, MULTIPLE): all 10 are back when setText returns ($took ms)"
  else
    fail "ten formats" "document '$doc', $n of 10 back, $took ms; owner: $(tr '\n' '|' <"$work/owner.log")"
  fi
fi

# ---------------------------------------------------------------- ten without MULTIPLE
if ! start_owner --delay 0.4 --formats 10 --no-multiple; then
  fail "ten formats, one by one" "the owner didn't take the clipboard"
elif ! select_word 5 five; then
  fail "ten formats, one by one" "no text_select for five"
else
  t0="$(now)"
  if ! replace FIVE; then
    fail "ten formats, one by one" "setText didn't return"
  else
    at_return="$(formats_back)"
    doc="$(document)"
    # Ten answers 0.4 s apart after the list: the last comes about 4.4 s
    # after the read began.
    deadline=$((SECONDS + 8))
    while n="$(formats_back)"; [ "$n" != 10 ] && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.3; done
    later="$(awk -v t0="$t0" -v t1="$(now)" 'BEGIN { printf "%.1f", t1 - t0 }')"
    if [[ "$doc" == 'ONE TWO THREE FOUR FIVE six'* ]] && [ "$n" = 10 ] && [ "$took" -le 2000 ]; then
      pass "ten formats, one request each: setText took $took ms, $at_return back then, all 10 ${later} s after it began"
    else
      fail "ten formats, one by one" "document '$doc', $n of 10 back after ${later} s, $took ms"
    fi
  fi
fi

# ---------------------------------------------------------------- MULTIPLE refused
if ! start_owner --formats 4 --refuse-multiple; then
  fail "MULTIPLE refused" "the owner didn't take the clipboard"
elif ! select_word 6 six; then
  fail "MULTIPLE refused" "no text_select for six"
elif ! replace SIX; then
  fail "MULTIPLE refused" "setText didn't return"
else
  doc="$(document)"
  got="$(clip_get) $(clip_get application/x-axtrack-test-1) $(clip_get application/x-axtrack-test-3)"
  if [[ "$doc" == *'SIX seven' ]] && [ "$got" = 'owner text format 1 format 3' ] &&
     grep -q '^answered MULTIPLE no' "$work/owner.log"; then
    pass "MULTIPLE refused: the targets were asked for one by one and are back ($took ms)"
  else
    fail "MULTIPLE refused" "document '$doc', clipboard '$got'; owner: $(tr '\n' '|' <"$work/owner.log")"
  fi
fi

# ---------------------------------------------------------------- a newer copy meanwhile
if ! start_owner --delay 0.4 --formats 10 --no-multiple; then
  fail "newer copy" "the owner didn't take the clipboard"
elif ! select_word 6 SIX; then
  fail "newer copy" "no text_select for SIX"
elif ! replace six; then
  fail "newer copy" "setText didn't return"
else
  # The owner's remaining answers come over the next 3 s.
  printf 'newer copy' | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
  pids+=($!)
  sleep 4
  got="$(clip_get)"
  # xclip serves its text under any target: the owner's targets must not
  # be the ones listed.
  late="$(clip_get TARGETS | grep -c x-axtrack-test)"
  if [ "$got" = 'newer copy' ] && [ "$late" = 0 ]; then
    pass "newer copy: a copy made while the slow owner's answers still came stays"
  else
    fail "newer copy" "clipboard '$got', $late of the owner's targets listed"
  fi
fi

# ---------------------------------------------------------------- twice in a row
if ! start_owner --delay 0.4 --formats 10 --no-multiple; then
  fail "twice in a row" "the owner didn't take the clipboard"
elif ! select_word 7 seven; then
  fail "twice in a row" "no text_select for seven"
elif ! replace SEVEN; then
  fail "twice in a row" "the first setText didn't return"
else
  # The owner's remaining answers come during the second paste.
  t="$(now)"
  call setText EIGHT
  sleep 0.7
  during="$(clip_get TARGETS | grep -c x-axtrack-test)"
  during_text="$(clip_get)"
  if ! did_after setText "$t" 15 >/dev/null; then
    fail "twice in a row" "the second setText didn't return"
  else
    doc="$(document)"
    after="$(clip_get)"
    if [[ "$doc" == *'SEVENEIGHT' ]] && [ "$during" = 0 ] && [ "$during_text" = EIGHT ] &&
       [ "$after" = 'owner text' ]; then
      pass "twice in a row: the second paste offered only its own text, the owner's text is back"
    else
      fail "twice in a row" "document '$doc', during: '$during_text' with $during of the owner's targets, after: '$after'"
    fi
  fi
fi

# ---------------------------------------------------------------- a huge INCR claim
if ! start_owner --no-multiple --incr 1073741824 3; then
  fail "huge claim" "the owner didn't take the clipboard"
elif ! select_word 1 ONE; then
  fail "huge claim" "no text_select for ONE"
else
  before="$(rss_kb VmPeak)"
  if ! replace one; then
    fail "huge claim" "setText didn't return"
  else
    big="$(clip_get application/x-axtrack-big)"
    text="$(clip_get)"
    after="$(rss_kb VmPeak)"
    doc="$(document)"
    if [[ "$doc" == 'one TWO'* ]] && [ "$big" = 'piece 0;piece 1;piece 2;' ] && [ "$text" = 'owner text' ] &&
       [ $((after - before)) -lt 100000 ]; then
      pass "huge claim: the 3 pieces are back, the 1 GiB claimed was never set aside ($took ms)"
    else
      fail "huge claim" "document '$doc', big '$big', text '$text', address space $before -> $after kB; owner: $(tr '\n' '|' <"$work/owner.log")"
    fi
  fi
fi

# ---------------------------------------------------------------- endless pieces
if ! start_owner --no-multiple --incr 1073741824 -1; then
  fail "endless pieces" "the owner didn't take the clipboard"
elif ! select_word 2 TWO; then
  fail "endless pieces" "no text_select for TWO"
else
  before="$(rss_kb VmHWM)"
  if ! replace two; then
    fail "endless pieces" "setText didn't return"
  else
    # Past the bound the reader stops asking for pieces: the owner waits.
    sleep 2
    listed="$(clip_get TARGETS | grep -c x-axtrack-big)"
    text="$(clip_get)"
    peak="$(rss_kb VmHWM)"
    doc="$(document)"
    echo "  peak memory of the host around an endless INCR: $((before / 1024)) MB -> $((peak / 1024)) MB"
    if [[ "$doc" == 'one two THREE'* ]] && [ "$listed" = 0 ] && [ "$text" = 'owner text' ] &&
       [ $((peak - before)) -lt 200000 ]; then
      pass "endless pieces: the format was dropped at the bound, the owner's text is back ($took ms)"
    else
      fail "endless pieces" "document '$doc', big listed $listed, text '$text', peak $before -> $peak kB; owner: $(tr '\n' '|' <"$work/owner.log")"
    fi
  fi
fi
stop_owner

# ---------------------------------------------------------------- a late paste
# An application busy enough to ask for the clipboard only after the
# replacement put the user's content back asks with the time of its key:
# it gets the replacement's text, and everyone else the user's content.
rm -f "$work/late-go"
if ! start_owner; then
  fail "late paste" "the owner didn't take the clipboard"
elif ! select_word 3 THREE; then
  fail "late paste" "no text_select for THREE"
else
  /usr/bin/python3 "$here/late_paster.py" "$work/late-go" >"$work/late.log" 2>&1 &
  late=$!
  pids+=("$late")
  if ! wait_for 10 grep -q '^watching' "$work/late.log"; then
    fail "late paste" "the late client didn't start: $(tr '\n' '|' <"$work/late.log")"
  elif ! replace three; then
    fail "late paste" "setText didn't return"
  elif ! touch "$work/late-go" || ! wait_for 45 grep -q '^now ' "$work/late.log"; then
    fail "late paste" "the late client didn't finish: $(tr '\n' '|' <"$work/late.log")"
  else
    doc="$(document)"
    if [[ "$doc" == 'one two three FOUR'* ]] && grep -qx 'stamped' "$work/late.log" &&
       grep -qx 'late three' "$work/late.log" && grep -qx 'now owner text' "$work/late.log"; then
      pass "late paste: a request timed before the clipboard was put back gets the replacement, a current one the owner's text"
    else
      fail "late paste" "document '$doc'; the late client: $(tr '\n' '|' <"$work/late.log")"
    fi
  fi
fi
stop_owner

# ---------------------------------------------------------------- large
head -c 50000000 /dev/urandom >"$work/image.png"
xclip -quiet -selection clipboard -t image/png -i "$work/image.png" >/dev/null 2>&1 &
xclip_pid=$!
pids+=("$xclip_pid")
if ! wait_for 10 sh -c 'timeout 2 xclip -selection clipboard -o -t TARGETS | grep -q image/png'; then
  fail "large content" "xclip didn't take the clipboard"
elif ! select_word 6 six; then
  fail "large content" "no text_select for six"
else
  before="$(rss_kb)"
  if ! replace LARGE; then
    fail "large content" "setText didn't return"
  else
    sleep 0.5
    after="$(rss_kb)"
    peak_set="$(rss_kb VmHWM)"
    same=0
    for i in 1 2 3; do clip_get image/png | cmp -s - "$work/image.png" && same=$((same + 1)); done
    served="$(rss_kb)"
    peak="$(rss_kb VmHWM)"
    doc="$(document)"
    echo "  memory of the host with 50 MB restored: before setText $((before / 1024)) MB," \
      "after $((after / 1024)) MB, after 3 transfers $((served / 1024)) MB;" \
      "peak $((peak_set / 1024)) MB during setText, $((peak / 1024)) MB with the transfers; setText $took ms"
    # One copy of the content, and none per transfer.
    if [[ "$doc" == *'LARGE SEVENEIGHT' ]] && [ "$same" = 3 ] && [ $((after - before)) -lt 80000 ] &&
       [ $((served - after)) -lt 20000 ]; then
      pass "large content: the 50 MB image is back whole three times, held once"
    else
      fail "large content" "document '$doc', $same of 3 whole, memory $before -> $after -> $served kB"
    fi
  fi
fi

finish
