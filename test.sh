#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test suite: the unit and
# offscreen window tests through CTest, then the end-to-end test under Xvfb;
# then the Windows executables, built with MinGW-w64, and their suite under
# Wine (a private prefix in build-win/, docs/windows.md); then the Linux
# side's checks of those executables.
#
# The builds' progress and each suite's start go to standard error, as
# ./run.sh does; each suite's own CTest lines to standard output, and at the
# end one line per suite: what passed and failed, and how long it took.
set -euo pipefail
cd "$(dirname "$0")"
say() { echo "test.sh: $*" >&2; }

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
summaries=()
failed=0
# The closing lines: one per suite, and the build that stopped the run.
finish() {
  echo
  for line in "${summaries[@]}"; do echo "test.sh: $line"; done
  exit "$failed"
}
build() {  # build NAME SCRIPT
  say "building $1"
  "$2" --progress && return
  summaries+=("$1: the build failed, its suites did not run")
  failed=1
  finish
}

scripts/install-deps.sh test >&2
build "build/ (everything, with tests and benchmarks)" scripts/build.sh
# run_suite NAME CTEST_ARGUMENTS...: one CTest run, its closing lines kept.
run_suite() {
  local name=$1; shift
  local log=$logs/${#summaries[@]}.log started=$SECONDS status=0
  say "suite started: $name"
  ctest --output-on-failure --timeout 300 "$@" | tee "$log" || status=$?
  local result
  result=$(grep -E '^[0-9]+% tests passed' "$log" | tail -1 || true)
  [ -n "$result" ] || result="no tests ran (ctest status $status)"
  summaries+=("$name: $result, $((SECONDS - started)) s")
  [ "$status" -eq 0 ] || failed=1
}

export QT_QPA_PLATFORM=offscreen
run_suite "Linux (build/)" --test-dir build -j2 -E '^e2e_wine_'

build "build-win/ (the Windows executables, MinGW-w64)" scripts/build-windows.sh
WINEDEBUG=-all run_suite "Windows under Wine (build-win/)" --test-dir build-win -j2
# The Windows machine under Wine against this machine: Linux-side checks of
# the executables just built.
run_suite "Wine checks of the Windows executables (build/, e2e_wine_*)" --test-dir build -R '^e2e_wine_'
finish
