#!/usr/bin/env bash
# End to end: what a screen reader hears of Veltrix. The window runs in Xvfb
# on a simulated machine with Qt's accessibility on, under a D-Bus session
# of its own (the accessibility bus and its registry start from it); a
# Python script walks the tree through AT-SPI as a screen reader would and
# holds every caption and value against veltrix-report for the same machine
# (accessibility_tree.py says what it checks). The tree it walked is kept in
# the artifacts folder.
#
# usage: accessibility_e2e.sh VELTRIX VELTRIX_REPORT MACHINE.json ARTIFACTS_DIR
set -euo pipefail
veltrix=$1 report=$2 machine=$3 artifacts=$4
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${VELTRIX_PRIVATE_BUS:-}" ]; then
  for tool in dbus-run-session Xvfb xdotool /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed (scripts/install-deps.sh test)"; exit 0; }
  done
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIPPED: python3-pyatspi is not installed"; exit 0; }
  # The session bus, and the accessibility bus it starts, end with the script.
  VELTRIX_PRIVATE_BUS=1 exec timeout 90 dbus-run-session -- "$0" "$@"
fi

mkdir -p "$artifacts"
work=$(mktemp -d)
cleanup() {
  [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/private_xvfb.sh"
start_private_xvfb "$work" 1024x768x24
export DISPLAY=$private_display
unset QT_QPA_PLATFORM  # the real X11 platform: AT-SPI comes with it
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

VELTRIX_MACHINE=$machine "$veltrix" >"$work/veltrix.log" 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --sync --name '^Veltrix$' | head -n1)
[ -n "$window" ] || { echo "the window did not appear"; cat "$work/veltrix.log"; exit 1; }

"$report" --machine "$machine" >"$work/report.txt"
if ! timeout 60 /usr/bin/python3 "$here/accessibility_tree.py" "$work/report.txt" "$window" "$artifacts/accessibility-tree.txt"; then
  echo "--- veltrix's output"; cat "$work/veltrix.log"
  exit 1
fi
import -window root "$artifacts/accessibility-window.png"
