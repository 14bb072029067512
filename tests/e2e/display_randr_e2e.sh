#!/usr/bin/env bash
# The display page of this machine from a real X server: Xvfb at two screen
# sizes and depths, asked through RandR by veltrix-report. The screen's mode
# must be listed with its size and bits per pixel and marked as the one in
# use; Xvfb's modes carry no timings, so the rate is unknown.
#
# usage: display_randr_e2e.sh VELTRIX_REPORT
set -euo pipefail
report=$1
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
unset QT_QPA_PLATFORM
source "$(dirname "$0")/private_xvfb.sh"

check() {
  local screen=$1 size=$2 bits=$3
  start_private_xvfb "$work" "$screen"
  local out
  out=$(DISPLAY=$private_display "$report" --category 2 | tr -d '\r')
  kill "$xvfb_pid"; wait "$xvfb_pid" 2>/dev/null || true; xvfb_pid=
  for line in "Weergave" "Resolutie: $size" "Kleuren: $bits bit" "Vernieuwingsfrequentie: Niet ondersteund" \
              "Geselecteerd: Ja"; do
    grep -qxF "$line" <<<"$out" || { echo "screen $screen: no line \"$line\" in:"; echo "$out"; exit 1; }
  done
}

check 1024x768x24 1024x768 32
check 800x600x16 800x600 16
echo "display page from RandR: ok"
