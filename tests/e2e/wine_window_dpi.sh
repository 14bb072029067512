#!/usr/bin/env bash
# veltrix.exe at 96, 144 and 192 dots per inch under Wine (the prefix's
# LogPixels), on tests/machines/desktop.json: the window lists its windows
# (VELTRIX_WINDOW_LIST) once it is painted, and every rectangle at 144 and
# 192 must be the 96-DPI one scaled edge by edge, each edge rounded as MulDiv
# rounds (e * dpi / 96 to the nearest, halves away from zero): the form's
# client area (its own line, 617 x 422 at 96 DPI), the header spanning it
# (617 x 63), every control. The client area, as the X server shows it
# (Xvfb has no window manager: Wine's window there is the client area, with
# no title bar), is that size and whole on the screen: 1024x768 at 96 and
# 144 DPI, 2560x1600 at 192, where 1234 x 844 pixels do not fit the smaller.
# With VELTRIX_DPI_SHOTS=DIR the screens at 144 and 192 DPI are kept there.
#
# usage: wine_window_dpi.sh SOURCE_DIR
set -euo pipefail
here=$(dirname "$0")
source "$here/wine_common.sh" "$1"
source "$here/private_xvfb.sh"
wine_window=$wine_src/build-win/app/veltrix.exe
[ -f "$wine_window" ] || { echo "SKIPPED: $wine_window is not built (scripts/build-windows.sh builds it)"; exit 0; }
wine_skip_unless_ready xwininfo
# A prefix of its own: the resolution it is set to reaches no other check.
export VELTRIX_WINEPREFIX=$wine_src/build-win/wine-prefix-dpi
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  wine_end_server
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
wine_end_server

# run_at DPI SCREEN: the window list at that resolution in $work/list-DPI,
# the client area's place on the screen in $work/place-DPI (x y width height).
run_at() {
  local dpi=$1 screen=$2
  wine_end_server
  DISPLAY= "$wine_src/scripts/wine-run.sh" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$dpi" /f >/dev/null 2>&1
  wine_end_server
  start_private_xvfb "$work" "$screen"
  [ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
  local list=$work/list-$dpi
  rm -f "$list"
  DISPLAY=$private_display VELTRIX_MACHINE=$wine_src/tests/machines/desktop.json VELTRIX_WINDOW_LIST=$list \
    timeout 120 "$wine_src/scripts/wine-run.sh" "$wine_window" >"$work/wine-$dpi.log" 2>&1 &
  local program=$!
  for _ in $(seq 600); do [ -s "$list" ] && break; sleep 0.1; done
  [ -s "$list" ] || { echo "no window list at $dpi DPI"; cat "$work/wine-$dpi.log"; exit 1; }
  sleep 1  # painted whole before the picture
  # The Wine window of the form: the largest top-level X window shown.
  DISPLAY=$private_display xwininfo -root -children | grep -oE ' [0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+' |
    awk -F'[x+]' '{ if ($1 * $2 > best) { best = $1 * $2; found = $3 " " $4 " " $1 " " $2 } } END { print found }' \
    >"$work/place-$dpi"
  if [ -n "${VELTRIX_DPI_SHOTS:-}" ] && [ "$dpi" != 96 ]; then
    mkdir -p "$VELTRIX_DPI_SHOTS"
    DISPLAY=$private_display import -window root "$VELTRIX_DPI_SHOTS/veltrix-$dpi-dpi.png"
  fi
  wine_end_server
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
}

run_at 96 1024x768x24
run_at 144 1024x768x24
run_at 192 2560x1600x24

# check DPI SCREEN_WIDTH SCREEN_HEIGHT
check() {
  awk -F'\t' -v dpi="$1" -v screenWidth="$2" -v screenHeight="$3" -v placeFile="$work/place-$1" '
    function muldiv(e,   product) {  # e * dpi / 96, to the nearest, halves away from zero
      product = e * dpi
      return product >= 0 ? int((2 * product + 96) / 192) : -int((-2 * product + 96) / 192)
    }
    FNR == 1 { file++ }
    file == 1 { design[FNR] = $0; rows = FNR; next }
    {
      if (FNR > rows) { print "more windows at " dpi " DPI than at 96: " $0; bad = 1; next }
      split(design[FNR], was, "\t")
      if (was[1] != $1 || was[2] != $2) {
        print "window " FNR " differs: " was[1] " " was[2] " / " $1 " " $2; bad = 1; next
      }
      count++
      split(was[3], edge, ",")
      expected = muldiv(edge[1]) "," muldiv(edge[2]) "," muldiv(edge[3]) "," muldiv(edge[4])
      if ($3 != expected) {
        print $1 " (" $2 "): " $3 " at " dpi " DPI, " expected " expected (" was[3] " at 96)"; bad = 1
      }
    }
    END {
      if (count != rows) { print "fewer windows at " dpi " DPI than at 96"; bad = 1 }
      if ((getline place < placeFile) <= 0) { print "no window on the screen at " dpi " DPI"; exit 1 }
      split(place, at, " ")  # the client area on the screen: x y width height
      if (at[3] != muldiv(617) || at[4] != muldiv(422)) {
        print "the client area is " at[3] "x" at[4] " at " dpi " DPI, " \
              muldiv(617) "x" muldiv(422) " expected"; bad = 1
      }
      if (at[1] < 0 || at[2] < 0 || at[1] + at[3] > screenWidth || at[2] + at[4] > screenHeight) {
        print "the window (" place ") is not whole on the " screenWidth "x" screenHeight " screen at " dpi " DPI"
        bad = 1
      }
      printf "%d DPI: %d windows; the client area %dx%d at (%d, %d) on %dx%d\n", \
             dpi, count, at[3], at[4], at[1], at[2], screenWidth, screenHeight
      exit bad
    }' "$work/list-96" "$work/list-$1"
}

# At 96 DPI: the client area 617 x 422, the header its width and 63 high.
client=$(head -n1 "$work/list-96" | cut -f3)
[ "$client" = "0,0,617,422" ] || { echo "no client area of 617 x 422 at 96 DPI:"; cat "$work/list-96"; exit 1; }
header=$(awk -F'\t' 'NR > 1 && $3 ~ /^0,0,617,/ { print $3; exit }' "$work/list-96")
[ "$header" = "0,0,617,63" ] || { echo "no header of 617 x 63 at 96 DPI:"; cat "$work/list-96"; exit 1; }
check 96 1024 768
check 144 1024 768
check 192 2560 1600
for dpi in 144 192; do
  scaled=$(awk -v dpi=$dpi 'BEGIN { printf "0,0,%d,%d", int((617 * dpi + 48) / 96), int((63 * dpi + 48) / 96) }')
  grep -qP "\t${scaled}\t" "$work/list-$dpi" || {
    echo "no header of $scaled at $dpi DPI:"; cat "$work/list-$dpi"; exit 1; }
done
echo "veltrix.exe at 96, 144 and 192 DPI: every window the 96-DPI one scaled, whole on the screen: ok"
