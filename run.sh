#!/usr/bin/env bash
# Installs what is missing, builds, and opens Veltrix on this machine.
# Without a display it prints the report of this machine instead.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/app/veltrix ]; then
  exec build/app/veltrix "$@"
fi
exec build/cli/veltrix-report "$@"
