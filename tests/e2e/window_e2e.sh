#!/usr/bin/env bash
# End to end: Veltrix in Xvfb on a simulated machine, driven with xdotool as a
# person would. Switches tabs with the mouse and the arrow keys, clicks an
# index scroll bar, opens the window menu from the header's icon and saves
# one category and then all of them through the save dialog. Every saved file
# must equal veltrix-report's output for the same machine byte for byte. A
# screenshot is kept in the artifacts folder.
#
# usage: window_e2e.sh VELTRIX VELTRIX_REPORT MACHINE.json ARTIFACTS_DIR
set -euo pipefail
veltrix=$1 report=$2 machine=$3 artifacts=$4
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
unset QT_QPA_PLATFORM  # the real X11 platform, not offscreen

VELTRIX_MACHINE=$machine "$veltrix" >"$work/veltrix.log" 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --sync --name '^Veltrix$' | head -n1)
[ -n "$window" ] || { echo "the window did not appear"; cat "$work/veltrix.log"; exit 1; }
sleep 0.5

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }

# Waits for a file to be complete and compares it with the command's report.
expect_saved() {
  local file=$1; shift
  for _ in $(seq 100); do [ -s "$file" ] && break; sleep 0.1; done
  sleep 0.3
  "$report" --machine "$machine" "$@" >"$work/expected.txt"
  if ! cmp "$work/expected.txt" "$file"; then
    echo "saved through the window ($file) differs from veltrix-report $*"
    diff <(tr -d '\r' <"$work/expected.txt") <(tr -d '\r' <"$file") || true
    exit 1
  fi
}

# Saves through the window menu: the header's icon opens it; the entry's
# access key picks it; the dialog takes the path typed over the proposal.
save_through_menu() {
  local key=$1 file=$2
  click 28 30
  xdotool key "$key"
  sleep 1
  xdotool key ctrl+a
  xdotool type --delay 2 "$file"
  xdotool key Return
}

# The Processor tab is the first tab of the row next to the page; clicking it
# gives the strip the focus, and Right five times selects Toetsenbord.
click 40 101
for _ in 1 2 3 4 5; do xdotool key Right; sleep 0.1; done
sleep 0.3
import -window root "$artifacts/e2e-keyboard-page.png"
save_through_menu a "$work/keyboard.txt"
expect_saved "$work/keyboard.txt" --category 5

# Back to Processor with the mouse, then Right eight times: Joysticks (no
# devices, so its scroll bar is disabled and a click on its arrow changes
# nothing).
click 40 101
for _ in $(seq 8); do xdotool key Right; sleep 0.1; done
click $((16 + 169 + 28)) $((112 + 21 + 9))
save_through_menu a "$work/joysticks.txt"
expect_saved "$work/joysticks.txt" --category 8

save_through_menu l "$work/all.txt"
expect_saved "$work/all.txt"

import -window root "$artifacts/e2e-window.png"
echo "window end to end: three saves equal veltrix-report; screenshots in $artifacts"
