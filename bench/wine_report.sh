#!/usr/bin/env bash
# The report of a simulated machine written by the Windows executable under
# Wine, against the same report written by the Linux executable: the mean
# wall time of RUNS runs each, and their ratio. Wine's start-up is included
# (each run is a new Windows process); the wineserver is started once before
# the runs and kept, as it is while a user works, and the first, cold run is
# reported on its own line.
#   bench/wine_report.sh [RUNS] [MACHINE.json]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
machine=${2:-tests/machines/desktop.json}
linux=build/cli/veltrix-report
windows=build-win/cli/veltrix-report.exe
for exe in "$linux" "$windows"; do
  [ -x "$exe" ] || [ -f "$exe" ] || { echo "bench: $exe is not built (scripts/build.sh, scripts/build-windows.sh)" >&2; exit 1; }
done
export WINEPREFIX=${VELTRIX_WINEPREFIX:-$PWD/build-win/wine-prefix} WINEDEBUG=-all

seconds() { local start end; start=$(date +%s%N); "$@" >/dev/null 2>&1; end=$(date +%s%N); echo $(((end - start) / 1000)); }
mean() { local total=0 i; for ((i = 0; i < runs; ++i)); do total=$((total + $("$@"))); done; echo $((total / runs)); }

cmp <("$linux" --machine "$machine") <(scripts/wine-run.sh "$windows" --machine "$machine" 2>/dev/null) ||
  { echo "bench: the two reports differ" >&2; exit 1; }
wineserver -k 2>/dev/null || true
cold=$(seconds scripts/wine-run.sh "$windows" --machine "$machine")
wineserver -p 60 2>/dev/null || true  # kept running between the runs below
linux_us=$(mean seconds "$linux" --machine "$machine")
wine_us=$(mean seconds scripts/wine-run.sh "$windows" --machine "$machine")
wineserver -k 2>/dev/null || true
echo "report of $machine, mean of $runs runs:"
printf '  Linux:                %8.1f ms\n' "$(echo "$linux_us / 1000" | bc -l)"
printf '  Windows under Wine:   %8.1f ms (Wine start-up included)\n' "$(echo "$wine_us / 1000" | bc -l)"
printf '  ratio Wine / Linux:   %8.1f\n' "$(echo "$wine_us / $linux_us" | bc -l)"
printf '  first run, cold Wine: %8.1f ms\n' "$(echo "$cold / 1000" | bc -l)"
