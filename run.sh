#!/usr/bin/env bash
# Installs what is missing, builds, and opens Veltrix on this machine.
# Without a display it prints the report of this machine instead.
set -euo pipefail
cd "$(dirname "$0")"
# What installing and building say goes to standard error: standard output
# is for the report alone (./run.sh > report.txt).
scripts/install-deps.sh >&2
scripts/build.sh >&2
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/app/veltrix ]; then
  exec build/app/veltrix "$@"
fi
exec build/cli/veltrix-report "$@"
