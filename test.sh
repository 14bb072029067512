#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test suite: the unit and
# offscreen window tests through CTest, then the end-to-end test under Xvfb.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2 --timeout 300
