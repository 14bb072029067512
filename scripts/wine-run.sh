#!/usr/bin/env bash
# Runs a Windows executable under Wine in a private prefix inside the build
# directory (build-win/wine-prefix, or $VELTRIX_WINEPREFIX): a user's own
# ~/.wine is never touched. The prefix is made once, under a lock, so that
# tests started side by side wait for it instead of making it twice.
set -euo pipefail
exe=$1
build=$(cd "$(dirname "$0")/.." && pwd)/build-win
export WINEPREFIX=${VELTRIX_WINEPREFIX:-$build/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
# A new prefix links the user's Desktop and Documents to $HOME: a home of
# the prefix's own beside it, so that what a program saves there (the save
# dialog starts in Documents) stays inside the build directory.
export HOME=$WINEPREFIX-home
mkdir -p "$HOME"
# No Mono or Gecko installer dialogs; no menu entries or icons of installed
# programs written into the user's home (winemenubuilder).
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}
mkdir -p "$(dirname "$WINEPREFIX")"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot --init >/dev/null 2>&1 || true
      wineserver --wait || true
    fi
  ) 9>"$(dirname "$WINEPREFIX")/.wine-prefix.lock"
fi
shift
exec wine "$exe" "$@"
