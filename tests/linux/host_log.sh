# Reading the test host's output (axtrack-linux-host writes one line per
# event and per call) while it runs. Sourced, not run; the caller sets
# `hostlog` to the file the host writes.

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
