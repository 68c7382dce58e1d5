#!/usr/bin/env bash
# The real-desktop tests again, against Debian 13's ("trixie") desktop stack:
# its libatspi, GTK 3 and 4, Qt 6, LibreOffice, Firefox ESR and Chromium,
# which is what most Linux users run today. The library and the test hosts
# are the ones built here, unchanged, as a host ships them; only the
# desktop and the applications around them are Debian 13's.
#
#   tests/linux/debian13.sh BUILD_DIR [SCRIPT...]
#
# SCRIPT names tests/linux scripts to run inside the tree (default: run.sh
# bus_restart.sh hung_app.sh clipboard_run.sh desktop_loss.sh unload.sh
# wayland_session.sh wayland_desktops.sh, the last two under sway 1.10, mutter
# 48 and KWin 6). The tree is a debootstrapped
# minimal Debian 13 in AXTRACK_DEBIAN13_ROOT (default /srv/axtrack-trixie),
# made on first use from Debian's archive (needs root and debootstrap) with
# the packages of tests/linux/packages-debian13.txt, and kept for the next
# run. The source tree is mounted at its own path inside it, so the scripts
# run as they do here. The last line is "debian13: N passed, N failed",
# counting the scripts; each script prints its own cases.
set -u

here="$(cd "$(dirname "$0")" && pwd)"
top="$(cd "$here/../.." && pwd)"
[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [SCRIPT...]" >&2; exit 2; }
build="$(cd "$1" && pwd)" || exit 2
shift
scripts=("$@")
[ ${#scripts[@]} -gt 0 ] || scripts=(run.sh bus_restart.sh hung_app.sh clipboard_run.sh desktop_loss.sh unload.sh wayland_session.sh
  wayland_desktops.sh)
root="${AXTRACK_DEBIAN13_ROOT:-/srv/axtrack-trixie}"
mirror="${AXTRACK_DEBIAN_MIRROR:-http://deb.debian.org/debian}"

passed=0
failed=0
finish() {
  echo "debian13: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}
setup_failed() {
  failed=$((failed + 1))
  echo "FAIL debian13 setup: $1"
  finish
}

case "$build" in
  "$top"/*) ;;
  *) setup_failed "the build folder must be inside the source tree ($top), which is all the tree sees" ;;
esac
[ "$(id -u)" -eq 0 ] || setup_failed "needs root (debootstrap, chroot and mounts)"

# ---------------------------------------------------------------- the tree
if [ ! -x "$root/usr/bin/apt-get" ]; then
  command -v debootstrap >/dev/null || setup_failed "debootstrap is not installed"
  echo "making a Debian 13 tree in $root"
  rm -rf "$root"
  debootstrap --variant=minbase trixie "$root" "$mirror" >/tmp/axtrack-debootstrap.log 2>&1 ||
    { tail -n 20 /tmp/axtrack-debootstrap.log; setup_failed "debootstrap failed"; }
fi

mounted=()
unmount_all() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R -l "${mounted[$i]}" 2>/dev/null
  done
  mounted=()
}
trap unmount_all EXIT
mount_into() {  # how... target
  local target="${*: -1}"
  mkdir -p "$target"
  mount "$@" || return 1
  mounted+=("$target")
}
mount_into -t proc proc "$root/proc" || setup_failed "can't mount /proc"
mount_into --rbind /sys "$root/sys" || setup_failed "can't mount /sys"
mount_into --rbind /dev "$root/dev" || setup_failed "can't mount /dev"
# The machine's own /tmp: X servers listen on abstract sockets shared with
# the machine, so the tree must see the machine's display locks to pick a
# free display.
mount_into --bind /tmp "$root/tmp" || setup_failed "can't mount /tmp"
mount_into --bind "$top" "$root$top" || setup_failed "can't mount the source tree"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null

# A clean environment, but for the tests' own switches.
inside() {
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    ${AXTRACK_KEEP_WORK:+AXTRACK_KEEP_WORK="$AXTRACK_KEEP_WORK"} \
    ${AXTRACK_COUNT_REQUESTS:+AXTRACK_COUNT_REQUESTS="$AXTRACK_COUNT_REQUESTS"} "$@"
}

wanted=()
while read -r p; do
  case "$p" in '' | \#*) continue ;; esac
  wanted+=("$p")
done <"$here/packages-debian13.txt"
missing=()
for p in "${wanted[@]}"; do
  inside dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing into the Debian 13 tree: ${missing[*]}"
  inside sh -c "DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends ${missing[*]}" >/tmp/axtrack-debian13-apt.log 2>&1 ||
    { tail -n 30 /tmp/axtrack-debian13-apt.log; setup_failed "apt-get in the tree failed"; }
fi
echo "Debian 13 tree: $(inside cat /etc/debian_version); libatspi $(inside dpkg-query -W -f='${Version}' libatspi2.0-0t64 2>/dev/null)," \
  "GTK 4 $(inside dpkg-query -W -f='${Version}' libgtk-4-1 2>/dev/null), Qt 6 $(inside dpkg-query -W -f='${Version}' libqt6core6t64 2>/dev/null)"

# ---------------------------------------------------------------- the tests
for script in "${scripts[@]}"; do
  echo
  echo "-- Debian 13: $script"
  if inside bash -c "cd '$top' && AXTRACK_DISTRIBUTION=debian13 bash 'tests/linux/$script' '$build'"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL debian13 $script"
  fi
done
finish
