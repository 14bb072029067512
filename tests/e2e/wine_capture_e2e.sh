#!/usr/bin/env bash
# veltrix-capture.exe of the Windows machine Wine gives, reported on Linux
# with veltrix-report --machine: the same report as veltrix-report.exe under
# Wine, byte for byte, but for the live values, which the two runs each read
# for themselves and which are compared apart: the processor's measured
# speed (within 5 %), the memory available and in use, the free space of
# each drive (Z: is this machine's /, written to while the test runs), and
# the battery. The capture's --privacy run must read and report too.
#
# usage: wine_capture_e2e.sh SOURCE_DIR LINUX_REPORT
set -euo pipefail
source "$(dirname "$0")/wine_common.sh" "$1"
linux_report=$2
wine_capture=$wine_src/build-win/cli/capture/veltrix-capture.exe
wine_skip_unless_ready
[ -f "$wine_capture" ] || { echo "SKIPPED: $wine_capture is not built (scripts/build-windows.sh builds it)"; exit 0; }
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  wine_end_server
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
wine_end_server

source "$(dirname "$0")/private_xvfb.sh"
start_private_xvfb "$work" 1280x1024x24
export DISPLAY=$private_display
wine_run() { timeout 180 "$wine_src/scripts/wine-run.sh" "$@"; }

# The capture, then the report under Wine right after it, so the live
# values have had little time to change.
machine=$(winepath -w "$work/machine.json" 2>/dev/null)
wine_run "$wine_capture" "$machine" >"$work/capture.out" 2>"$work/capture.err" ||
  { echo "veltrix-capture.exe failed:"; cat "$work/capture.err"; exit 1; }
[ -s "$work/machine.json" ] || { echo "no machine file written"; cat "$work/capture.out" "$work/capture.err"; exit 1; }
under_wine=$(wine_report --encoding utf-8 2>"$work/stderr") || { echo "veltrix-report.exe failed:"; cat "$work/stderr"; exit 1; }
on_linux=$("$linux_report" --machine "$work/machine.json" --encoding utf-8) ||
  { echo "veltrix-report --machine cannot report the capture"; exit 1; }

# The live values, by the label of their line.
live='^(Snelheid|Beschikbaar Fysiek|Beschikbaar Virtueel|Belasting|Vrije Ruimte|Laadtoestand|Levenspercentage|Levensduur|Vermogenstoestand): '
if ! diff <(grep -Ev "$live" <<<"$under_wine") <(grep -Ev "$live" <<<"$on_linux") >"$work/diff"; then
  echo "the capture reports differently from the machine it came from (< under Wine, > its capture on Linux):"
  cat "$work/diff"
  exit 1
fi
# Compared apart: the same live lines in both, each a value of its kind.
diff <(grep -Eo "$live" <<<"$under_wine") <(grep -Eo "$live" <<<"$on_linux") >/dev/null ||
  { echo "the live values differ in which lines they fill:"; grep -E "$live" <<<"$under_wine"; grep -E "$live" <<<"$on_linux"; exit 1; }
speed() { sed -n 's/^Snelheid: \([0-9.,]*\) MHz$/\1/p' <<<"$1" | tr -d , | head -n1; }
a=$(speed "$under_wine") b=$(speed "$on_linux")
if [ -n "$a" ] || [ -n "$b" ]; then
  awk -v a="$a" -v b="$b" 'BEGIN { exit !(a > 0 && b > 0 && (a > b ? a - b : b - a) <= a * 0.05) }' ||
    { echo "speed under Wine $a MHz, from the capture $b MHz: more than 5 % apart"; exit 1; }
fi
echo "live values (under Wine | from the capture):"
paste -d'|' <(grep -E "$live" <<<"$under_wine") <(grep -E "$live" <<<"$on_linux")

# A masked capture reads and reports as well, its blocks all there.
wine_run "$wine_capture" --privacy "$(winepath -w "$work/masked.json" 2>/dev/null)" >/dev/null 2>"$work/masked.err" ||
  { echo "veltrix-capture.exe --privacy failed:"; cat "$work/masked.err"; exit 1; }
masked=$("$linux_report" --machine "$work/masked.json" --encoding utf-8) || { echo "the masked capture does not read"; exit 1; }
[ "$(wc -l <<<"$masked")" = "$(wc -l <<<"$on_linux")" ] || { echo "the masked capture reports other lines"; exit 1; }
echo "Wine's machine captured and reported on Linux as under Wine"
