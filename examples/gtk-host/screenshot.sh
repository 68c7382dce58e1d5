#!/usr/bin/env bash
# The picture of the GTK host in docs/linux.md (docs/gtk-host.png): the host on the virtual desktop
# with mousepad's selection shown and a replacement typed, just before its
# button is clicked (the moment check.sh saves):
#
#   examples/gtk-host/screenshot.sh BUILD_DIR [FILE]    FILE: docs/gtk-host.png
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:?usage: screenshot.sh BUILD_DIR [FILE]}"
file="${2:-$here/../../docs/gtk-host.png}"
"$here/check.sh" "$build" --screenshot "$file"
