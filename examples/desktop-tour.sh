#!/usr/bin/env bash
# The library on a real Linux desktop, in one command:
#
#   examples/desktop-tour.sh [BUILD_DIR]
#
# It checks that the Debian packages of tests/linux/packages.txt are there
# (it installs nothing: it says what to install), builds libaxtrack.so and
# axtrack-play in BUILD_DIR (default: build-linux beside the repository;
# configured with -DAXTRACK_LINUX_DESKTOP=ON), starts a
# private virtual desktop with mousepad on it (tests/linux/desktop_env.sh:
# nothing touches your own session), types a line into mousepad and plays
# examples/desktop-tour.json with `axtrack-play --desktop`: the player is
# the host, xdotool is the user, and every line the host sees is printed as
# it comes. Everything started is stopped on exit.
set -u

repo="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$repo/build-linux}"
say() { echo "desktop-tour: $*" >&2; }

# ---------------------------------------------------------------- packages
missing=()
while read -r p; do
  [ -z "$p" ] && continue
  case "$p" in \#*) continue ;; esac
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done <"$repo/tests/linux/packages.txt"
if [ ${#missing[@]} -gt 0 ]; then
  say "missing Debian packages: ${missing[*]}"
  say "install them with: apt-get install -y ${missing[*]}"
  exit 1
fi

# ---------------------------------------------------------------- the build
# Configured every time (quick when nothing changed), so that a tree whose
# last configuring failed, or that lacks the backend, is put right. A tree
# this script creates needs neither the tests nor the benchmarks (nor their
# packages); if configuring it fails, its cache goes, and the next run starts
# afresh instead of building a half-configured tree.
mkdir -p "$build"
log="$build/desktop-tour-build.log"
configure=(-DAXTRACK_LINUX_DESKTOP=ON)
fresh=0
if [ ! -f "$build/CMakeCache.txt" ]; then
  fresh=1
  configure+=(-DAXTRACK_TESTS=OFF -DAXTRACK_BENCH=OFF)
fi
say "configuring $build with -DAXTRACK_LINUX_DESKTOP=ON"
if ! cmake -S "$repo" -B "$build" "${configure[@]}" >"$log" 2>&1; then
  tail -20 "$log" >&2
  if [ "$fresh" -eq 1 ]; then
    for f in "$build/CMakeFiles/CMakeError.log" "$build/CMakeFiles/CMakeOutput.log"; do
      [ -f "$f" ] && { echo "---- $(basename "$f")"; cat "$f"; } >>"$log"
    done
    rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
  fi
  say "configuring failed; the whole log is $log"
  exit 1
fi
say "building libaxtrack.so and axtrack-play in $build"
if ! cmake --build "$build" --target axtrack axtrack-play -j2 >>"$log" 2>&1; then
  tail -30 "$log" >&2
  say "the build failed; the whole log is $log"
  exit 1
fi

# ---------------------------------------------------------------- the desktop
. "$repo/tests/linux/desktop_env.sh"
missing=($(desktop_missing))
if [ ${#missing[@]} -gt 0 ]; then
  say "missing: ${missing[*]} (see tests/linux/packages.txt)"
  exit 1
fi
trap desktop_stop EXIT
say "starting a virtual desktop with mousepad"
desktop_start || { say "$desktop_error"; exit 1; }

# Something to select. Then the focus goes to the bare desktop, so that
# bringing mousepad forward during the tour is an application change.
xdotool windowfocus --sync "$window"
xdotool type --delay 5 'alpha beta gamma'
xdotool key ctrl+Home
xdotool windowfocus --sync "$root"

say "playing examples/desktop-tour.json (about 9 seconds)"
"$build/bin/axtrack-play" --desktop "$repo/examples/desktop-tour.json"
status=$?
[ "$status" -eq 0 ] || say "the player exited with status $status"
exit "$status"
