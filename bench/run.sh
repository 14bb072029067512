#!/usr/bin/env bash
# Prints the benchmark figures: collector creation and report composition,
# veltrix-report's peak memory, the window's start-up time and peak memory
# (in Xvfb), and the cost of one refresh tick.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
build/bench/veltrix_bench --benchmark_min_time=0.2
build/bench/veltrix_drives_bench --benchmark_min_time=0.2
build/bench/veltrix_large_machines_bench --benchmark_min_time=0.2
build/bench/veltrix_privacy_bench --benchmark_min_time=0.2
build/bench/veltrix_changes_bench --benchmark_min_time=0.2
bench/large_machines.sh
build/bench/peak-memory build/cli/veltrix-report
build/bench/peak-memory build/cli/veltrix-report --machine tests/machines/desktop.json
bench/print_server.sh build

# The window needs a display: a private Xvfb unless one is there.
if [ -z "${DISPLAY:-}" ]; then
  exec 3>/tmp/veltrix-bench-display.$$
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null; rm -f /tmp/veltrix-bench-display.$$' EXIT
  for _ in $(seq 100); do [ -s /tmp/veltrix-bench-display.$$ ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 /tmp/veltrix-bench-display.$$)"
fi
unset QT_QPA_PLATFORM
build/bench/veltrix_window_startup >/dev/null  # warm the caches once
for _ in 1 2 3; do
  build/bench/veltrix_window_startup
  build/bench/peak-memory build/bench/veltrix_window_startup
done
build/bench/veltrix_window_tick_bench --benchmark_min_time=0.2
