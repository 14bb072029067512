#!/usr/bin/env bash
# Builds the three programs, and what installing them takes besides (their
# manual pages, the changelog), in Release into build-release/ or the
# folder given:
#   build-release/app/veltrix, build-release/cli/veltrix-report,
#   build-release/cli/capture/veltrix-capture
# No tests, no benchmarks, no debugging information: the tree a packager
# installs from (`cmake --install build-release`). The build's progress is
# shown (on standard error when run.sh calls this).
#   scripts/build-programs.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
tree=${1:-build-release}
if [ ! -f "$tree/build.ninja" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  echo "Configuring $tree/ (Release)"
  cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVELTRIX_BENCH=OFF \
        "${launcher[@]}" >/dev/null
fi
# The whole tree is the programs and their documents: nothing else is in it.
cmake --build "$tree" -- -j"$(nproc)"
