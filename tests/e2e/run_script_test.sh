#!/usr/bin/env bash
# ./run.sh > report.txt must capture the report alone: run.sh is copied
# beside stand-ins for the installer, the build and veltrix-report that all
# talk on standard output, and only the report may reach it.
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/scripts" "$work/build-release/cli"
cp "$source/run.sh" "$work/"
for script in scripts/install-deps.sh scripts/build-programs.sh; do
  printf '#!/bin/sh\necho "chatter of %s"\necho "warning: from %s" >&2\n' "$script" "$script" >"$work/$script"
done
printf '#!/bin/sh\necho "the report"\n' >"$work/build-release/cli/veltrix-report"
chmod +x "$work/scripts/"*.sh "$work/build-release/cli/veltrix-report"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/run.sh" 2>"$work/err")
if [ "$out" != "the report" ]; then
  echo "standard output held more than the report:"; echo "$out"; exit 1
fi
grep -q "chatter of scripts/build-programs.sh" "$work/err" || { echo "the build's output was lost"; exit 1; }
echo "standard output holds the report alone; the build talks on standard error"

# ./test.sh: the builds' progress and each suite's start on standard error,
# every suite run even when one fails, then one closing line per suite after
# CTest's own lines, and a status that says a suite failed. Stand-ins for
# the scripts and for ctest (the second of three suites fails).
cp "$source/test.sh" "$work/"
for script in scripts/install-deps.sh scripts/build.sh scripts/build-windows.sh; do
  printf '#!/bin/sh\necho "progress of %s $*" >&2\n' "$script" >"$work/$script"
done
mkdir -p "$work/bin"
cat >"$work/bin/ctest" <<'CTEST'
#!/bin/bash
count=$(cat "$(dirname "$0")/count" 2>/dev/null || echo 0); count=$((count + 1)); echo "$count" >"$(dirname "$0")/count"
if [ "$count" -eq 2 ]; then
  echo "50% tests passed, 1 tests failed out of 2"; echo "Total Test time (real) =   1.00 sec"; exit 8
fi
echo "100% tests passed, 0 tests failed out of $((count + 4))"; echo "Total Test time (real) =   1.00 sec"
CTEST
chmod +x "$work/scripts/"*.sh "$work/bin/ctest"
status=0
PATH=$work/bin:$PATH "$work/test.sh" >"$work/test.out" 2>"$work/test.err" || status=$?
[ "$status" -ne 0 ] || { echo "test.sh passed with a failed suite"; exit 1; }
grep -q "progress of scripts/build.sh --progress" "$work/test.err" || { echo "test.sh hid the build's progress"; cat "$work/test.err"; exit 1; }
grep -q "progress of scripts/build-windows.sh --progress" "$work/test.err" || { echo "test.sh hid the Windows build's progress"; exit 1; }
[ "$(grep -c '^test.sh: suite started: ' "$work/test.err")" -eq 3 ] || { echo "suites' starts:"; cat "$work/test.err"; exit 1; }
tail -3 "$work/test.out" >"$work/closing"
grep -q '^test.sh: Linux (build/): 100% tests passed, 0 tests failed out of 5, [0-9]* s$' "$work/closing" &&
  grep -q '^test.sh: Windows under Wine (build-win/): 50% tests passed, 1 tests failed out of 2, [0-9]* s$' "$work/closing" &&
  grep -q '^test.sh: Wine checks .*: 100% tests passed, 0 tests failed out of 7, [0-9]* s$' "$work/closing" ||
  { echo "test.sh's closing lines:"; cat "$work/test.out"; exit 1; }
echo "test.sh shows progress and each suite's start, and closes with one line per suite"
