#!/usr/bin/env bash
# The window program's command line, with no display at all: --help and
# --version answer on standard output and exit 0 without a window; every
# other argument (Qt's own "-platform" too) is one line on standard error
# and status 2; a long argument is quoted only in part.
#
# usage: window_arguments_test.sh VELTRIX
set -euo pipefail
veltrix=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$veltrix" "$@" >"$work/out" 2>"$work/err"; }

status=0; run --version || status=$?
[ "$status" -eq 0 ] || { echo "--version: status $status"; cat "$work/err"; exit 1; }
grep -qxE 'veltrix [0-9]+\.[0-9]+\.[0-9]+' "$work/out" || { echo "--version wrote:"; cat "$work/out"; exit 1; }
[ ! -s "$work/err" ] || { echo "--version wrote on standard error:"; cat "$work/err"; exit 1; }

for help in --help -h; do
  status=0; run "$help" || status=$?
  [ "$status" -eq 0 ] || { echo "$help: status $status"; exit 1; }
  head -1 "$work/out" | grep -qx 'usage: veltrix \[--help\] \[--version\]' || { echo "$help wrote:"; cat "$work/out"; exit 1; }
  grep -q VELTRIX_MACHINE "$work/out" || { echo "$help does not name VELTRIX_MACHINE"; exit 1; }
done

long=$(head -c 100000 /dev/zero | tr '\0' x)
for args in "--foo" "report.txt" "-platform offscreen" "--version=1" "--help extra" "--$long"; do
  # shellcheck disable=SC2086  # the cases are words
  status=0; run $args || status=$?
  [ "$status" -eq 2 ] || { echo "'${args:0:40}': status $status, not 2"; exit 1; }
  [ "$(wc -l <"$work/err")" -eq 1 ] || { echo "'${args:0:40}': not one line:"; head -c 2000 "$work/err"; exit 1; }
  grep -q '^veltrix: .*(see veltrix --help)$' "$work/err" || { echo "'${args:0:40}':"; head -c 2000 "$work/err"; exit 1; }
  [ "$(wc -c <"$work/err")" -lt 1000 ] || { echo "'${args:0:40}': $(wc -c <"$work/err") bytes of error"; exit 1; }
  [ ! -s "$work/out" ] || { echo "'${args:0:40}' wrote on standard output"; exit 1; }
done
# Without arguments the window is what it tries to open: without a display
# it says so (status 1), as before.
status=0; run || status=$?
[ "$status" -eq 1 ] || { echo "no arguments, no display: status $status, not 1"; exit 1; }
echo "veltrix answers --help and --version without a display and refuses anything else with one line"
