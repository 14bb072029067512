#!/usr/bin/env bash
# Configures (once) and builds into build/.
#   scripts/build.sh [--progress]
set -euo pipefail
cd "$(dirname "$0")/.."
# VELTRIX_WERROR=ON (as .ci/run sets it) builds with warnings as errors;
# unset, the build is configured with them off again.
werror=${VELTRIX_WERROR:-OFF}
if [ ! -f build/build.ninja ]; then
  # ccache, where installed, lets several checkouts share their compiled objects.
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRIX_WERROR="$werror" "${launcher[@]}" >/dev/null
elif ! grep -qx "VELTRIX_WERROR:BOOL=$werror" build/CMakeCache.txt; then
  cmake -S . -B build -DVELTRIX_WERROR="$werror" >/dev/null
fi
# Progress lines are dropped; errors and warnings stay. The build's own
# status decides, whatever the filter does.
# --progress (as ./test.sh asks): everything the build says, its progress
# lines too, on standard error.
if [ "${1:-}" = --progress ]; then
  exec cmake --build build -- -j"$(nproc)" >&2
fi
status=0
cmake --build build -- -j"$(nproc)" | { grep -vE '^\[[0-9]+/[0-9]+\]|^ninja: no work to do' || true; } || status=$?
exit "$status"
