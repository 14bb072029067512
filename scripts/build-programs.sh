#!/usr/bin/env bash
# Builds the three programs, and nothing else, in Release into build-release/:
#   build-release/app/veltrix, build-release/cli/veltrix-report,
#   build-release/cli/veltrix-capture
# No tests, no benchmarks, no debugging information. The build's progress
# is shown (on standard error when run.sh calls this).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-release/build.ninja ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  echo "Configuring build-release/ (Release)"
  cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVELTRIX_BENCH=OFF \
        "${launcher[@]}" >/dev/null
fi
cmake --build build-release --target veltrix veltrix-report veltrix-capture -- -j"$(nproc)"
