#!/usr/bin/env bash
# veltrix.exe under Wine in a private Xvfb and prefix, end to end, on the
# simulated machines desktop, workstation and windows-drives and on Wine's
# own machine:
# - every page: a click on the tab strip, then the Right key from tab to
#   tab, a screenshot of each of the fifteen pages, all different; then
#   Ctrl+Tab round the tabs, and on the pages with an index two clicks on
#   the index bar's right arrow, a screenshot after each;
# - the window list (VELTRIX_WINDOW_LIST): the client 617 x 422, the header
#   63 high, and on the simulated machines every window's name, rectangle,
#   state and text equal to the Linux window's (the classes are each side's
#   own and not compared);
# - "Opslaan Alle Als..." through the window menu (a right click on the
#   header), the name typed into the system's save dialog: on the simulated
#   machines the file equals veltrix-report.exe's report of the machine and
#   tests/machines/<machine>.expected.txt byte for byte; on Wine's own, it
#   has the fifteen blocks.
# Screenshots go to ARTIFACTS/<machine>/NN-<category>.png.
#
# usage: wine_window_e2e.sh SOURCE_DIR VELTRIX VELTRIX_REPORT ARTIFACTS_DIR
set -euo pipefail
source "$(dirname "$0")/wine_common.sh" "$1"
linux_window=$2 linux_report=$3 artifacts=$4
wine_window=$wine_src/build-win/app/veltrix.exe
[ -f "$wine_window" ] || { echo "SKIPPED: $wine_window is not built (scripts/build-windows.sh builds it)"; exit 0; }
wine_skip_unless_ready xdotool import winepath
work=$(mktemp -d)
xvfb_pid= app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  wine_end_server
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
wine_end_server  # a server of an earlier run may still hold another display

source "$(dirname "$0")/private_xvfb.sh"
start_private_xvfb "$work" 1024x768x24
export DISPLAY=$private_display
unset QT_QPA_PLATFORM

# The prefix, with Wine's own faces (Debian's fonts-wine) in its font folder;
# without them Wine draws "MS Sans Serif" in a wider face.
"$wine_src/scripts/wine-fonts.sh"

categories=(processor memory-usage display network sound keyboard mouse printers joysticks
            hard-drives optical-drives logical-drives ports usb-devices battery)
indexed=" 2 3 4 7 8 9 10 11 12 13 "
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Starts veltrix.exe with the given environment and waits for its window
# and its window list.
start_window() {
  local list=$1; shift
  rm -f "$list"
  env -u VELTRIX_MACHINE "$@" VELTRIX_WINDOW_LIST="$list" "$wine_src/scripts/wine-run.sh" "$wine_window" >"$work/wine.log" 2>&1 &
  app_pid=$!
  window=$(timeout 90 xdotool search --sync --name '^Veltrix$' | head -n1)
  [ -n "$window" ] || { echo "veltrix.exe showed no window:"; cat "$work/wine.log"; exit 1; }
  for _ in $(seq 100); do [ -s "$list" ] && break; sleep 0.1; done
  [ -s "$list" ] || { echo "veltrix.exe wrote no window list"; exit 1; }
  sleep 0.5
}

stop_window() {
  kill "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=
  wine_end_server
}

click() { xdotool mousemove --window "$window" "$1" "$2" click "${3:-1}"; sleep 0.3; }

# The field of a named window's line: 3 the rectangle, 4 the state.
list_field() { awk -F'\t' -v name="$2" -v f="$3" '$1 == name { print $f; exit }' "$1"; }

check_geometry() {  # check_geometry MACHINE LIST
  local form header
  form=$(list_field "$2" FormVeltrix 3) header=$(list_field "$2" InfoFrameVeltrix 3)
  [ "$form" = 0,0,617,422 ] || fail "$1: the client is $form, not 0,0,617,422"
  [ "$header" = 0,0,617,63 ] || fail "$1: the header is $header, not 0,0,617,63"
}

# Name, rectangle, state and text of every window, in one order.
comparable() { cut -f1,3,4,5 "$1" | LC_ALL=C sort; }

compare_lists() {  # compare_lists MACHINE WINE_LIST LINUX_LIST
  local differences
  differences=$(diff <(comparable "$3") <(comparable "$2") | grep '^[<>]' || true)
  if [ -n "$differences" ]; then
    fail "$1: windows that differ (< Linux, > Wine):"
    echo "$differences"
  fi
  compared=$((compared + $(wc -l <"$2")))
}

# Every tab with the Right key from the Processor tab (the first of the row
# next to the page), a screenshot of each page. Then Ctrl+Tab, which moves
# between the tabs from anywhere in the window, round them once more: on
# the pages with an index, two clicks on the index bar's right arrow, a
# screenshot after each.
shoot_pages() {  # shoot_pages MACHINE LIST
  local dir=$artifacts/$1 n shot
  rm -rf "$dir"; mkdir -p "$dir"
  click 40 101
  for n in $(seq 0 14); do
    [ "$n" -gt 0 ] && { xdotool key Right; sleep 0.4; }
    import -window "$window" "$dir/$(printf '%02d' "$n")-${categories[$n]}.png"
    shots=$((shots + 1))
  done
  local distinct
  distinct=$(md5sum "$dir"/*.png | cut -d' ' -f1 | sort -u | wc -l)
  [ "$distinct" = 15 ] || fail "$1: $distinct different pages of 15 in the screenshots ($dir)"

  xdotool key ctrl+Tab; sleep 0.4  # from Batterij round to Processor
  for n in $(seq 1 14); do
    xdotool key ctrl+Tab; sleep 0.4
    [[ $indexed == *" $n "* ]] || continue
    # The bar's place on its page: the list has the hidden pages' frames
    # beside the shown one, which stands at (16, 112).
    local bar frame_x right top bottom
    bar=$(list_field "$2" "HScrollIndex($n)" 3)
    frame_x=$(list_field "$2" "FrameVeltrix($n)" 3 | cut -d, -f1)
    IFS=, read -r _ top right bottom <<<"$bar"
    for step in 1 2; do
      click $((right - frame_x + 16 - 6)) $(((top + bottom) / 2))
      import -window "$window" "$dir/$(printf '%02d' "$n")-${categories[$n]}-index-step$step.png"
      shots=$((shots + 1))
    done
  done
}

# "Opslaan Alle Als..." from the window menu, opened by a right click on the
# header; the name typed into the save dialog. Wine's dialog completes the
# typed folder in a list that the first Return closes; a second saves.
save_all() {  # save_all FILE
  local dialog
  click 300 30 3
  sleep 0.5
  xdotool key l
  dialog=$(timeout 20 xdotool search --sync --name '^Opslaan Alle Als$' | head -n1)
  [ -n "$dialog" ] || { fail "no save dialog"; return; }
  xdotool windowfocus "$dialog"; sleep 0.3
  xdotool key ctrl+a
  xdotool type --delay 2 "$(WINEPREFIX=$VELTRIX_WINEPREFIX winepath -w "$1" 2>/dev/null)"
  sleep 0.5
  for _ in 1 2 3; do
    xdotool search --name '^Opslaan Alle Als$' >/dev/null || break
    xdotool key Return; sleep 1
  done
  for _ in $(seq 50); do [ -s "$1" ] && break; sleep 0.1; done
  sleep 0.3
}

compared=0 shots=0
for machine in desktop workstation windows-drives wine; do
  json=$wine_src/tests/machines/$machine.json
  if [ "$machine" = wine ]; then
    start_window "$work/wine.list"
  else
    start_window "$work/$machine.list" VELTRIX_MACHINE="$json"
  fi
  check_geometry "$machine" "$work/$machine.list"
  if [ "$machine" != wine ]; then
    QT_QPA_PLATFORM=offscreen VELTRIX_MACHINE="$json" VELTRIX_WINDOW_LIST="$work/$machine.linux.list" \
      timeout 60 "$linux_window" >/dev/null 2>&1 &
    linux_pid=$!
    for _ in $(seq 300); do [ -s "$work/$machine.linux.list" ] && break; sleep 0.1; done
    sleep 0.2
    kill "$linux_pid" 2>/dev/null || true; wait "$linux_pid" 2>/dev/null || true
    compare_lists "$machine" "$work/$machine.list" "$work/$machine.linux.list"
  fi
  shoot_pages "$machine" "$work/$machine.list"
  save_all "$work/$machine.saved.txt"
  if [ ! -s "$work/$machine.saved.txt" ]; then
    fail "$machine: nothing saved through the window menu"
  elif [ "$machine" = wine ]; then
    blocks=$(tr -d '\r' <"$work/$machine.saved.txt" |
      awk 'prev != "" && $0 ~ /^-+$/ && length($0) == length(prev) { n++ } { prev = $0 } END { print n + 0 }')
    [ "$blocks" = 15 ] || fail "wine: the saved file has $blocks blocks, not 15"
  else
    timeout 120 "$wine_src/scripts/wine-run.sh" "$wine_report" --machine "$json" >"$work/$machine.report.txt" 2>/dev/null
    cmp "$work/$machine.report.txt" "$work/$machine.saved.txt" ||
      fail "$machine: the saved file differs from veltrix-report.exe --machine"
    cmp "$wine_src/tests/machines/$machine.expected.txt" "$work/$machine.saved.txt" ||
      fail "$machine: the saved file differs from tests/machines/$machine.expected.txt"
    "$linux_report" --machine "$json" | cmp - "$work/$machine.saved.txt" ||
      fail "$machine: the saved file differs from the Linux veltrix-report"
  fi
  echo "$machine: $(wc -l <"$work/$machine.list") windows, saved $(stat -c %s "$work/$machine.saved.txt" 2>/dev/null || echo 0) bytes"
  cp "$work/$machine.list" "$artifacts/$machine/window-list.txt"
  stop_window
done

[ "$failures" = 0 ] || { echo "$failures failures; screenshots in $artifacts"; exit 1; }
echo "veltrix.exe under Wine: $compared window lines equal to the Linux window's, $shots screenshots in $artifacts, four save files checked"
