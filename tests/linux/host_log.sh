# Reading the test host's output (axtrack-linux-host writes one line per
# event and per call) while it runs, and starting it. Sourced, not run;
# the caller sets `hostlog` to the file the host writes, or host_start
# does.

# The first event NAME handed over after time SINCE (and holding the text
# HOLDING, when given), waited for up to SECONDS: prints "TIME JSON".
event_after() {  # name since seconds [holding]
  local deadline=$((SECONDS + $3))
  local line
  while [ "$SECONDS" -le "$deadline" ]; do
    line="$(awk -v name="$1" -v since="$2" -v holding="${4:-}" '$1 == "event" && $3 == name && $2 > since && index($0, holding) {
      print $2 " " substr($0, length($1 " " $2 " " $3 " ") + 1); exit }' "$hostlog")"
    if [ -n "$line" ]; then echo "$line"; return 0; fi
    sleep 0.05
  done
  return 1
}

# The times "T0 T1" of the first call NAME made after SINCE, waited for up
# to SECONDS.
did_after() {  # name since seconds
  local deadline=$((SECONDS + $3))
  local line
  while [ "$SECONDS" -le "$deadline" ]; do
    line="$(awk -v name="$1" -v since="$2" '$1 == "did" && $2 == name && $3 > since { print $3 " " $4; exit }' "$hostlog")"
    if [ -n "$line" ]; then echo "$line"; return 0; fi
    sleep 0.05
  done
  return 1
}

# The lines the library printed during the call made after SINCE.
lines_of_call() {  # name since
  awk -v name="$1" -v since="$2" '$1 == "calling" && $2 == name && $3 > since { on = 1; next }
    on && $1 == "did" { exit } on { print }' "$hostlog"
}

now() { date +%s.%N; }
ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) * 1000 }'; }  # from to
latency() { echo "  latency $1 $(ms "$2" "${3%% *}") ms"; }  # name since event-line

# Starts the test host ($host, on $library, in $work) for SECONDS, its
# commands coming from a pipe that `call` writes; with --window it shows a
# window of its own, whose id is then `hostwin`. The host's process joins
# `pids`. False, with `host_error` saying why, when it didn't come up
# within 10 s.
host_start() {  # seconds [--window]
  hostlog="$work/host.log"
  mkfifo "$work/stdin"
  exec 9<>"$work/stdin"
  timeout $(($1 + 20)) "$host" "$library" --seconds "$1" "${@:2}" <"$work/stdin" >"$hostlog" 2>&1 &
  hostpid=$!
  pids+=("$hostpid")
  local ready='^host ready'
  [ "${2:-}" = --window ] && ready='^host window'
  if ! wait_for 10 grep -q "$ready" "$hostlog"; then
    host_error="the host didn't start: $(tail -3 "$hostlog" | tr '\n' '|')"
    return 1
  fi
  hostwin="$(awk '$1 == "host" && $2 == "window" { print $3; exit }' "$hostlog")"
}
call() { echo "$*" >&9; }

# The X clipboard's owner window (0 for none).
x_owner() {
  /usr/bin/python3 -c 'from Xlib import display
d = display.Display()
o = d.get_selection_owner(d.intern_atom("CLIPBOARD"))
print(o if isinstance(o, int) else o.id)'
}
