#!/usr/bin/env bash
# Installs a build into a temporary prefix, as a host developer's machine
# would have it, and builds hosts against it the ways the README gives:
#
#   tests/install/hosts.sh BUILD_DIR BACKEND
#
# BACKEND is the library the install must give hosts (linux, macos or
# simdesk). A C host (examples/linked-host) is built with find_package(axtrack)
# and with pkg-config and runs through its run path alone; a host's test on
# the kit (examples/kit-host) is built with pkg-config axtrack-kit and its
# output compared; the installed player plays the installed tour. Prints
# "install.hosts: N passed, N failed".
set -u
here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
build="$(cd "${1:?usage: hosts.sh BUILD_DIR BACKEND}" && pwd)"
backend="${2:?usage: hosts.sh BUILD_DIR BACKEND}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
unset PKG_CONFIG_PATH LD_LIBRARY_PATH
. "$here/verdicts.sh"
finish() {
  echo "install.hosts: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

if ! cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
  failed=1
  echo "FAIL cmake --install"
  tail -n 20 "$tmp/install.log"
  finish
fi
version="$(sed -n 's/^#define AXTRACK_VERSION "\(.*\)"/\1/p' "$prefix/include/axtrack/axtrack.h")"

check "find_package(axtrack): axtrack::axtrack is $backend's, the host runs by its run path" \
  bash -c "cmake -S '$repo/examples/linked-host' -B '$tmp/cmake' -DCMAKE_PREFIX_PATH='$prefix' >'$tmp/cmake.log' &&
           grep -q 'axtrack $version, backend $backend\$' '$tmp/cmake.log' &&
           cmake --build '$tmp/cmake' && '$tmp/cmake/linked-host' | grep -qx 'axtrack $version (.*), 3 entry points linked'"

pc() { PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config "$@"; }
if ! command -v pkg-config >/dev/null; then
  echo "skip the pkg-config hosts: pkg-config is not installed"
else
  check "pkg-config axtrack: version $version, backend $backend" \
    bash -c "test \"\$(PKG_CONFIG_PATH='$prefix/lib/pkgconfig' pkg-config --modversion axtrack)\" = '$version' &&
             test \"\$(PKG_CONFIG_PATH='$prefix/lib/pkgconfig' pkg-config --variable=backend axtrack)\" = '$backend'"
  libdir="$(pc --variable=libdir axtrack)"
  # shellcheck disable=SC2046 # the flags are words
  check "cc host.c \$(pkg-config --cflags --libs axtrack): builds, runs by its run path" \
    bash -c "cc -std=c99 -Wall -Wextra -Wpedantic -Werror '$repo/examples/linked-host/host.c' \
               $(pc --cflags --libs axtrack) -Wl,-rpath,'$libdir' -o '$tmp/pc-host' &&
             '$tmp/pc-host' | grep -qx 'axtrack $version (.*), 3 entry points linked'"
  if [ -f "$prefix/lib/pkgconfig/axtrack-kit.pc" ]; then
    check "cc kit_host.c \$(pkg-config --cflags --libs axtrack-kit): the host's test on the installed kit" \
      bash -c "cc -std=c11 -Wall -Wextra -Wpedantic -Werror '$prefix/share/axtrack/kit-host/kit_host.c' \
                 $(pc --cflags --libs axtrack-kit) -Wl,-rpath,'$libdir' -o '$tmp/kit-host' &&
               cd '$prefix/share/axtrack/kit-host' && '$tmp/kit-host' selection.json | diff -u selection.expected -"
  fi
fi

if [ -x "$prefix/bin/axtrack-play" ]; then
  check "the installed player plays the installed tour" \
    bash -c "'$prefix/bin/axtrack-play' '$prefix/share/axtrack/tour.json' | diff -u '$prefix/share/axtrack/tour.expected' -"
fi
finish
