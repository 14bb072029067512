#!/usr/bin/env bash
# Runs a command on a private X server of its own (Xvfb), which it ends
# afterwards: the system's windows under Wine need a display. With
# VELTRIX_WINEPREFIX set, that prefix's Wine server is ended too, so that no
# Wine process stays connected to the X server that is gone.
set -euo pipefail
work=$(mktemp -d)
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
cleanup() {
  if [ -n "${VELTRIX_WINEPREFIX:-}" ]; then WINEPREFIX=$VELTRIX_WINEPREFIX wineserver -k 2>/dev/null || true; fi
  kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "with_xvfb: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
"$@"
