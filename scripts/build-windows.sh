#!/usr/bin/env bash
# Builds the Windows executables into build-win/ with MinGW-w64: the core
# libraries, the simulated and the Windows machine, veltrix.exe (the window
# over the toolkit's Win32 side), veltrix-report.exe and
# the test programs (run under Wine by `ctest --test-dir build-win`).
set -euo pipefail
cd "$(dirname "$0")/.."
werror=${VELTRIX_WERROR:-OFF}
if [ ! -f build-win/build.ninja ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DCMAKE_BUILD_TYPE=Release -DVELTRIX_WERROR="$werror" "${launcher[@]}" >/dev/null
elif ! grep -qx "VELTRIX_WERROR:BOOL=$werror" build-win/CMakeCache.txt; then
  cmake -S . -B build-win -DVELTRIX_WERROR="$werror" >/dev/null
fi
# --progress (as ./test.sh asks): everything the build says, its progress
# lines too, on standard error.
if [ "${1:-}" = --progress ]; then
  exec cmake --build build-win -- -j"$(nproc)" >&2
fi
status=0
cmake --build build-win -- -j"$(nproc)" | { grep -vE '^\[[0-9]+/[0-9]+\]|^ninja: no work to do' || true; } || status=$?
exit "$status"
