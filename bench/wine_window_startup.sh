#!/usr/bin/env bash
# The window's time to show: veltrix.exe under Wine against the Linux
# veltrix, both on one private Xvfb, on a simulated machine. Each run is
# timed from the program's start to its window list (VELTRIX_WINDOW_LIST),
# which each side writes once the form has been painted the first time; the
# mean wall time of RUNS runs each, and their ratio. Wine's start-up is
# included (each run is a new Windows process); the wineserver is started
# once before the runs and kept, as it is while a user works, and the
# first, cold run is reported on its own line.
#   bench/wine_window_startup.sh [RUNS] [MACHINE.json]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
machine=$(realpath "${2:-tests/machines/desktop.json}")
linux=build/app/veltrix
windows=build-win/app/veltrix.exe
for exe in "$linux" "$windows"; do
  [ -f "$exe" ] || { echo "bench: $exe is not built (scripts/build.sh, scripts/build-windows.sh)" >&2; exit 1; }
done
export WINEPREFIX=${VELTRIX_WINEPREFIX:-$PWD/build-win/wine-prefix} WINEDEBUG=-all
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
source tests/e2e/private_xvfb.sh
start_private_xvfb "$work" 1024x768x24
export DISPLAY=$private_display
unset QT_QPA_PLATFORM

# Microseconds from the start of the command to its window list, then the
# program is ended.
shown_after() {
  local list=$work/list start end pid
  rm -f "$list"
  start=$(date +%s%N)
  VELTRIX_MACHINE=$machine VELTRIX_WINDOW_LIST=$list "$@" >/dev/null 2>&1 &
  pid=$!
  until [ -s "$list" ]; do
    kill -0 "$pid" 2>/dev/null || { echo "bench: $* ended without showing its window" >&2; exit 1; }
    sleep 0.002
  done
  end=$(date +%s%N)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo $(((end - start) / 1000))
}
mean() { local total=0 i; for ((i = 0; i < runs; ++i)); do total=$((total + $("$@"))); done; echo $((total / runs)); }

wineserver -k 2>/dev/null || true
scripts/wine-run.sh cmd /c exit >/dev/null 2>&1 || true  # the prefix, made once
wineserver -k 2>/dev/null || true
cold=$(shown_after scripts/wine-run.sh "$windows")
wineserver -p 60 2>/dev/null || true  # kept running between the runs below
linux_us=$(mean shown_after "$linux")
wine_us=$(mean shown_after scripts/wine-run.sh "$windows")
echo "window shown on $machine, mean of $runs runs:"
printf '  Linux (Qt, X11):      %8.1f ms\n' "$(echo "$linux_us / 1000" | bc -l)"
printf '  Windows under Wine:   %8.1f ms (Wine start-up included)\n' "$(echo "$wine_us / 1000" | bc -l)"
printf '  ratio Wine / Linux:   %8.1f\n' "$(echo "$wine_us / $linux_us" | bc -l)"
printf '  first run, cold Wine: %8.1f ms\n' "$(echo "$cold / 1000" | bc -l)"
