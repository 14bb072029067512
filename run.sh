#!/usr/bin/env bash
# Installs what building and running need, builds the programs in Release
# (build-release/), and opens Veltrix on this machine. Without a display it
# prints the report of this machine instead.
set -euo pipefail
cd "$(dirname "$0")"
# What installing and building say goes to standard error: standard output
# is for the report alone (./run.sh > report.txt).
scripts/install-deps.sh run >&2
scripts/build-programs.sh >&2
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build-release/app/veltrix ]; then
  exec build-release/app/veltrix "$@"
fi
exec build-release/cli/veltrix-report "$@"
