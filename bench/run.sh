#!/usr/bin/env bash
# Prints the benchmark figures: collector creation and report composition,
# then the peak memory of veltrix-report on this machine and on a simulated one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
build/bench/veltrix_bench --benchmark_min_time=0.2
build/bench/peak-memory build/cli/veltrix-report
build/bench/peak-memory build/cli/veltrix-report --machine tests/machines/desktop.json
