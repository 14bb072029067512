#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test suite: the unit and
# offscreen window tests through CTest, then the end-to-end test under Xvfb;
# then the Windows executables, built with MinGW-w64, and their suite under
# Wine (a private prefix in build-win/, docs/windows.md).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2 --timeout 300 -E '^e2e_wine_'

scripts/build-windows.sh
WINEDEBUG=-all ctest --test-dir build-win --output-on-failure -j2 --timeout 300
# The Windows machine under Wine against this machine: Linux-side checks of
# the executables just built.
ctest --test-dir build --output-on-failure --timeout 300 -R '^e2e_wine_'
