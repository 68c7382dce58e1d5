#!/usr/bin/env bash
# The library on a real (virtual) Linux desktop against the floor: a client
# of our own (minimal_client.h) that gets the same data for the same user
# actions with the fewest requests it can.
#
#   bench/linux/run.sh [--short] [--apps "N ..."] [BUILD_DIR]
#   bench/linux/run.sh --table RESULTS     the table of an earlier run's figures
#
# BUILD_DIR (default: build-bench beside the repository) holds
# bin/libaxtrack.so, bin/axtrack-bench-host and
# bin/libaxtrack-bench-iocount.so, built with
#
#   cmake -S . -B BUILD_DIR -DCMAKE_BUILD_TYPE=Release -DAXTRACK_TESTS=OFF &&
#   cmake --build BUILD_DIR -j2 --target axtrack axtrack-bench-host
#
# It starts its own desktop (tests/linux/desktop_env.sh: Xvfb, a private
# session bus, the accessibility bus, mousepad), openbox and a second
# mousepad, then runs the same user actions (xdotool) twice: once with the
# library loaded by a host, once with the floor client in the same host
# program. Per event kind, document size, place of the selection and
# number of applications it reports, per event, for both: the D-Bus
# messages the host wrote, the bytes it wrote and read on D-Bus sockets,
# X11 requests and round trips (counted by a shim preloaded into the host,
# io_counts.cpp) and the host's CPU time (getrusage), over many repetitions
# of the action. Both hosts' data for the last event of each series are
# compared ("same data"). Timings are reported, never asserted.
#
# --short: 1 KB and the middle of the document only, 2 applications, 3
# repetitions (about a minute). The full run (1 KB, 1 MB, 10 MB; start,
# middle, end; 2 and 20 applications; 10 repetitions, 5 for 10 MB) takes
# about five minutes. --apps "N ...": these numbers of applications, in
# rising order, in place of the default ones (2 and 20; with --short, 2);
# `--short --apps "2 20"` measures in about a minute the events whose
# cost may grow with the applications. The table goes to standard output
# (markdown), the raw figures to $AXBENCH_RESULTS if set, the hosts' logs
# to the folder $AXBENCH_LOGS if set.
#
# To see where a figure comes from: AXBENCH_TRACE=1 puts each D-Bus method
# call the host makes into its log (keep the logs with $AXBENCH_LOGS);
# $AXBENCH_WRAP is a command put before the host's (a profiler: `strace -f
# -c -o FILE`, `perf record -g -o FILE`), which then runs both hosts.
# AXBENCH_REPS sets the repetitions of a --short run.
set -u

here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
short=0
apps_given=""
while [ $# -gt 0 ]; do
  case "$1" in
    --short) short=1 ;;
    --apps)
      apps_given="${2:?--apps takes the numbers of applications, as in --apps \"2 20\"}"
      shift
      ;;
    *) break ;;
  esac
  shift
done
build="${1:-$repo/build-bench}"
[ -d "$build" ] && build="$(cd "$build" && pwd)"
library="$build/bin/libaxtrack.so"
host="$build/bin/axtrack-bench-host"
shim="$build/bin/libaxtrack-bench-iocount.so"
document="$here/document.py"

# ---------------------------------------------------------------- the table
# Markdown, one row per series that both hosts ran: per event, ours / the
# floor's.
print_table() {  # results
  echo "| event | document | selection | apps | D-Bus messages written, ours / min | D-Bus bytes moved, ours / min | X11 round trips, ours / min | host CPU, ours / min | same data |"
  echo "|---|---|---|---|---|---|---|---|---|"
  awk '$1 == "ours" { key = $2 " " $3 " " $4 " " $5; ours[key] = $0; order[++n] = key }
       $1 == "minimal" { key = $2 " " $3 " " $4 " " $5; minimal[key] = $0 }
       END { for (i = 1; i <= n; i++) if (order[i] in minimal) print ours[order[i]] "\t" minimal[order[i]] }' "$1" |
  while IFS=$'\t' read -r o m; do
    read -r _ kind size place apps reps events cpu writes out in _ rt hash <<<"$o"
    read -r _ _ _ _ _ mreps mevents mcpu mwrites mout min _ mrt mhash <<<"$m"
    same=yes
    [ "$hash" = "$mhash" ] || same="no"
    [ "$events" = "$reps" ] && [ "$mevents" = "$mreps" ] || same="$same (events: $events/$reps, $mevents/$mreps)"
    echo "| $kind | $(human_bytes "$size") | $place | $apps | $(per "$writes" "$reps") / $(per "$mwrites" "$mreps") |" \
      "$(human_bytes $(((out + in) / reps))) / $(human_bytes $(((mout + min) / mreps))) |" \
      "$(per "$rt" "$reps") / $(per "$mrt" "$mreps") | $(ms "$cpu" "$reps") / $(ms "$mcpu" "$mreps") | $same |"
  done
}
human_bytes() {
  awk -v b="$1" 'BEGIN {
    if (b >= 1048576) printf "%.1f MB", b / 1048576; else if (b >= 1024) printf "%.1f KB", b / 1024; else printf "%d B", b }'
}
per() { awk -v v="$1" -v n="$2" 'BEGIN { x = v / n; if (x == int(x)) printf "%d", x; else printf "%.1f", x }'; }
ms() { awk -v v="$1" -v n="$2" 'BEGIN { printf "%.2f ms", v / n / 1000 }'; }

if [ "${1:-}" = --table ]; then
  print_table "${2:?--table takes a results file}"
  exit
fi

. "$repo/tests/linux/desktop_env.sh"
missing=($(desktop_missing))
command -v openbox >/dev/null 2>&1 || missing+=(openbox)
for file in "$library" "$host" "$shim"; do
  [ -f "$file" ] || missing+=("$file")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "linux bench: missing: ${missing[*]} (see tests/linux/packages.txt and the build line above)" >&2
  exit 2
fi

if [ "$short" = 1 ]; then
  sizes=(1024)
  places=(middle)
  app_counts=(2)
  reps=${AXBENCH_REPS:-3}
else
  sizes=(1024 1048576 10485760)
  places=(start middle end)
  app_counts=(2 20)
  reps=10
fi
if [ -n "$apps_given" ]; then
  read -r -a app_counts <<<"$apps_given"
  previous=1
  for n in "${app_counts[@]}"; do
    # The applications are added, never taken away: each number above the last.
    [[ "$n" =~ ^[0-9]+$ ]] && [ "$n" -gt "$previous" ] && [ "$n" -ge 2 ] ||
      { echo "linux bench: --apps takes rising numbers of 2 or more, not \"$apps_given\"" >&2; exit 2; }
    previous=$n
  done
fi

results="$(mktemp /tmp/axtrack-bench-results.XXXXXX)"
cleanup() {
  [ -n "${hostpid:-}" ] && stop_host
  [ -n "${AXBENCH_LOGS:-}" ] && [ -n "$work" ] && mkdir -p "$AXBENCH_LOGS" && cp "$work"/host-*.log "$AXBENCH_LOGS"/
  desktop_stop
  [ -n "${AXBENCH_RESULTS:-}" ] && cp "$results" "$AXBENCH_RESULTS"
  rm -f "$results"
}
trap cleanup EXIT

die() {
  echo "linux bench: $*" >&2
  exit 1
}

# ---------------------------------------------------------------- the desktop
desktop_start || die "$desktop_error"
cd "$work" || die "can't enter $work"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || die "openbox didn't come up"

window_pid() { xprop -id "$1" _NET_WM_PID | awk '{print $3}'; }
mousepad_windows() { xdotool search --onlyvisible --class mousepad 2>/dev/null | sort; }
# Another mousepad process (not a window of the first one), shown: its
# window id in `launched`.
launch_mousepad() {
  local before after
  before="$(mousepad_windows)"
  (cd "$work" && exec mousepad --disable-server >>"$work/mousepads.log" 2>&1) &
  pids+=($!)
  launched=""
  local deadline=$((SECONDS + 20))
  while [ "$SECONDS" -le "$deadline" ]; do
    after="$(comm -13 <(echo "$before") <(mousepad_windows) | grep -m1 .)"
    if [ -n "$after" ]; then
      launched="$after"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
applications=1  # on the accessibility bus, besides the host
add_applications() {  # up to this many
  while [ "$applications" -lt "$1" ]; do
    launch_mousepad || die "mousepad number $((applications + 1)) didn't show a window"
    [ -z "${other:-}" ] && other="$launched"
    newest="$launched"
    applications=$((applications + 1))
  done
}

editor="$window"
editor_pid="$(window_pid "$editor")"
other=""
newest=""
add_applications 2

# ---------------------------------------------------------------- the host
hostlog=""
hostpid=""
start_host() {  # label, then the host's own arguments
  hostlog="$work/host-$1.log"
  shift
  # shellcheck disable=SC2086
  LD_PRELOAD="$shim" timeout 900 ${AXBENCH_WRAP:-} "$host" "$@" <"$work/stdin" >"$hostlog" 2>&1 &
  hostpid=$!
  pids+=("$hostpid")
  wait_for 10 grep -q '^host ready' "$hostlog"
}
stop_host() {
  [ -n "$hostpid" ] || return 0
  kill -TERM "$hostpid" 2>/dev/null
  wait "$hostpid" 2>/dev/null
  hostpid=""
}
mkfifo "$work/stdin"
exec 9<>"$work/stdin"

events_of() { grep -c "^event [0-9.]* $1 " "$hostlog"; }
# Waits up to 5 s for the host's Nth event of a kind.
wait_event() {  # kind count
  local deadline=$((SECONDS + 5))
  while [ "$(events_of "$1")" -lt "$2" ]; do
    [ "$SECONDS" -gt "$deadline" ] && return 1
    sleep 0.02
  done
}
mark() {  # label
  local n
  n="$(grep -c '^mark ' "$hostlog")"
  echo "mark $1" >&9
  wait_for 5 sh -c "[ \$(grep -c '^mark ' '$hostlog') -gt $n ]"
}

# The user's actions, one event each.
select_more() { xdotool key shift+Right; }
caret_right() { xdotool key Right; }
hot_key() { xdotool key alt+Return; }
# Between the editor and the application launched last, which the
# accessibility bus lists last.
switches=0
switch_app() {
  switches=$((switches + 1))
  # (xdotool complains of the moment between two active windows.)
  if [ $((switches % 2)) = 1 ]; then xdotool windowactivate --sync "$newest"; else xdotool windowactivate --sync "$editor"; fi 2>/dev/null
}
focus_moves=0
move_focus() {
  focus_moves=$((focus_moves + 1))
  if [ $((focus_moves % 2)) = 1 ]; then xdotool key ctrl+f; else xdotool key Escape; fi
}
# Brings the editor to the front from the other application: the host
# adopts it.
front_editor() {
  local n
  n="$(events_of app_changed)"
  xdotool windowactivate --sync "$other" 2>/dev/null
  sleep 0.4
  xdotool windowactivate --sync "$editor" 2>/dev/null
  wait_event app_changed $((n + 1)) || true
  switches=0
  sleep 0.4
}

# One series: a warm-up action, then REPS actions, each waited for; the
# marks around them give the host's spending per event. Appends
# "client kind size place apps reps events cpu_us writes bytes_out bytes_in
# x11_requests x11_round_trips last_hash" to the results.
series() {  # client kind size place apps reps action
  local client="$1" kind="$2" size="$3" place="$4" apps="$5" reps="$6" action="$7"
  local label="$kind-$size-$place-$apps" n i got
  n="$(events_of "$kind")"
  "$action"
  wait_event "$kind" $((n + 1)) || echo "linux bench: $client: no $kind for the warm-up of $label" >&2
  sleep 0.3
  mark "$label-from"
  n="$(events_of "$kind")"
  for ((i = 1; i <= reps; i++)); do
    "$action"
    wait_event "$kind" $((n + i)) || echo "linux bench: $client: no $kind for action $i of $label" >&2
    sleep 0.1
  done
  sleep 0.4
  mark "$label-to"
  got=$(($(events_of "$kind") - n))
  awk -v from="$label-from" -v to="$label-to" -v prefix="$client $kind $size $place $apps $reps $got" -v kind="$kind" '
    $1 == "event" && $3 == kind { last = $5 }
    $1 == "mark" && $2 == from { for (i = 3; i <= 8; i++) a[i] = $i; since = 1 }
    $1 == "mark" && $2 == to { for (i = 3; i <= 8; i++) b[i] = $i; hash = last }
    END { printf "%s", prefix; for (i = 3; i <= 8; i++) printf " %d", b[i] - a[i]; printf " %s\n", hash }
  ' "$hostlog" >>"$results"
}

# The caret at PLACE of a document of CHARS characters, room left after it
# for the series' actions.
place_caret() {  # place chars
  local offset
  case "$1" in
    start) offset=0 ;;
    middle) offset=$(($2 / 2)) ;;
    end) offset=$(($2 - reps - 4)) ;;
  esac
  "$document" caret "$editor_pid" "$offset" || die "can't place the caret"
  sleep 0.5
}

client_args() {
  case "$1" in
    ours) echo "--library $library" ;;
    minimal) echo "--minimal" ;;
  esac
}

# ---------------------------------------------------------------- the series
for apps in "${app_counts[@]}"; do
  add_applications "$apps"
  for size in "${sizes[@]}"; do
    # The document sizes with 2 applications; with more, the events whose
    # cost may grow with them, on the small document.
    [ "$apps" != "${app_counts[0]}" ] && [ "$size" != "${sizes[0]}" ] && continue
    chars="$("$document" load "$editor_pid" "$size")" || die "can't load a document of $size bytes"
    series_reps=$reps
    [ "$size" -ge 10000000 ] && series_reps=$(((reps + 1) / 2))
    for client in ours minimal; do
      # shellcheck disable=SC2046
      start_host "$client-$apps-$size" $(client_args "$client") || die "the $client host didn't start: $(tail -3 "$hostlog")"
      front_editor
      for place in "${places[@]}"; do
        [ "$apps" != "${app_counts[0]}" ] && [ "$place" != middle ] && continue
        if [ "$apps" = "${app_counts[0]}" ]; then
          place_caret "$place" "$chars"
          series "$client" text_select "$size" "$place" "$apps" "$series_reps" select_more
          place_caret "$place" "$chars"
          series "$client" caret "$size" "$place" "$apps" "$series_reps" caret_right
        fi
        place_caret "$place" "$chars"
        series "$client" alt_enter_pressed "$size" "$place" "$apps" "$series_reps" hot_key
      done
      if [ "$size" = "${sizes[0]}" ]; then
        series "$client" focused_changed "$size" - "$apps" "$reps" move_focus
        # The text has the focus again.
        [ $((focus_moves % 2)) = 1 ] && xdotool key Escape
        focus_moves=0
        series "$client" app_changed "$size" - "$apps" "$reps" switch_app
        xdotool windowactivate --sync "$editor" 2>/dev/null
      fi
      stop_host
    done
  done
done

print_table "$results"
