#!/usr/bin/env bash
# Installs a build tree into a temporary prefix, as a host developer's
# machine would have it, and uses it from there:
#
#   tests/install/check.sh BUILD_DIR
#
# - the library of the desktop backend carries its versioned SONAME;
# - examples/minimal-host builds against the installed package and, on the
#   virtual desktop of the real-application tests (tests/linux/), prints the
#   events of a selection made in mousepad.
# BUILD_DIR must hold the Linux desktop backend (libaxtrack.so). Hosts built
# with find_package and pkg-config, the kit and the installed player are
# ctest's install.hosts (tests/install/hosts.sh).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
build="$(cd "${1:?usage: check.sh BUILD_DIR}" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
. "$here/verdicts.sh"

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log"
version="$(sed -n 's/^#define AXTRACK_VERSION "\(.*\)"/\1/p' "$prefix/include/axtrack/axtrack.h")"
major="${version%%.*}"

check "libaxtrack.so is libaxtrack.so.$major ($version)" \
  bash -c "test \"\$(readelf -d '$prefix/lib/libaxtrack.so' | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p')\" = libaxtrack.so.$major &&
           test -f '$prefix/lib/libaxtrack.so.$version'"

check "examples/minimal-host builds against the installed package" \
  bash -c "cmake -S '$repo/examples/minimal-host' -B '$tmp/host' -DCMAKE_PREFIX_PATH='$prefix' &&
           cmake --build '$tmp/host'"

# The host started, mousepad activated, text typed and selected: the host
# prints the events of both. A subshell: the desktop's own variables and
# its clean-up stay in there.
minimal_host_on_desktop() (
  # The desktop's helpers test and kill as they go: no -e in here.
  set +e +o pipefail
  pids=()
  . "$repo/tests/linux/desktop_env.sh"
  trap desktop_stop EXIT
  desktop_start || { echo "$desktop_error"; return 1; }
  # The host starts with no application active; mousepad's activation then
  # gives it the application to follow.
  xdotool windowfocus --sync "$root"
  "$tmp/host/minimal-host" "$prefix/lib/libaxtrack.so.$major" 20 >"$tmp/host.out" 2>&1 &
  pids+=($!)
  wait_for 10 grep -q 'Accessibility is enabled' "$tmp/host.out"
  # The host may not listen yet when it says so: mousepad is activated
  # again, from the root, until the host tells of it.
  local attempt
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    xdotool windowfocus --sync "$window"
    wait_for 2 grep -q '^app_changed ' "$tmp/host.out" && break
    xdotool windowfocus --sync "$root"
  done
  xdotool type --delay 5 'hello from the minimal host'
  xdotool key ctrl+a
  if ! wait_for 10 grep -q '^text_select .*hello from the minimal host' "$tmp/host.out"; then
    echo "no text_select; the host printed:"
    cat "$tmp/host.out"
    return 1
  fi
  grep -m 1 '^text_select ' "$tmp/host.out"
)
if [ -n "$(. "$repo/tests/linux/desktop_env.sh" && desktop_missing)" ]; then
  echo "skip examples/minimal-host on the virtual desktop: its packages are missing (tests/linux/packages.txt)"
else
  check "examples/minimal-host on the virtual desktop prints a selection's event" minimal_host_on_desktop
  sed 's/^/     /' "$tmp/out.txt" | tail -n 1
fi

echo "install: $passed passed, $failed failed"
test "$failed" -eq 0
