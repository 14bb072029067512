#!/usr/bin/env bash
# The switch that rewrites expected reports (VELTRIX_REWRITE_EXPECTED=1), on
# a copy of tests/machines and of one captured tree: a damaged expected
# report fails the tests, the switch writes it back from this build exactly as
# reviewed, and the tests pass on it again. The source tree is never written.
#   rewrite_expected_test.sh SOURCE_DIR CORE_TESTS LINUX_TESTS
set -euo pipefail
source_dir=$1 core_tests=$2 linux_tests=$3
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
unset VELTRIX_REWRITE_EXPECTED

cp -r "$source_dir/tests/machines" "$copy/machines"
mkdir "$copy/trees"
cp -r "$source_dir/tests/trees/desktop" "$copy/trees/desktop"
machine_report=machines/desktop.expected.txt
tree_report=trees/desktop/expected-report.txt
before=$(cd "$source_dir/tests" && sha256sum machines/*.expected.txt trees/*/expected-report.txt)

run_both() {
  VELTRIX_TEST_DATA_DIR=$copy "$core_tests" --gtest_filter='Report.EveryShippedMachineMatchesItsReviewedReport' \
    >"$copy/core.log" 2>&1 &&
  VELTRIX_TEST_DATA_DIR=$copy "$linux_tests" --gtest_filter='Trees/TreeReport.*' >"$copy/linux.log" 2>&1
}
fail() { echo "FAIL: $*"; cat "$copy"/*.log 2>/dev/null; exit 1; }

# The reviewed reports of the copy pass as they are.
run_both || fail "the copy's reviewed reports do not pass"

# A changed line in each, and a report emptied as for a new machine.
sed -i '3s/.*/a line the build never writes/' "$copy/$machine_report" "$copy/$tree_report"
: >"$copy/machines/laptop.expected.txt"
run_both && fail "the damaged reports passed"
grep -q "desktop" "$copy/core.log" || fail "the machine test did not name the damaged report"

# The switch writes them back from the build, byte for byte as reviewed.
VELTRIX_REWRITE_EXPECTED=1 run_both || fail "the tests failed with the switch on"
grep -q "rewrote .*$machine_report" "$copy/core.log" || fail "the machine test did not say what it rewrote"
grep -q "rewrote .*$tree_report" "$copy/linux.log" || fail "the tree test did not say what it rewrote"
for report in "$machine_report" "$tree_report" machines/laptop.expected.txt; do
  cmp "$source_dir/tests/$report" "$copy/$report" || fail "$report was not restored"
done
# Reports that were right are left as they were.
if grep -q "rewrote .*workstation" "$copy/core.log"; then fail "an unchanged report was rewritten"; fi

run_both || fail "the rewritten reports do not pass"
after=$(cd "$source_dir/tests" && sha256sum machines/*.expected.txt trees/*/expected-report.txt)
[ "$before" = "$after" ] || fail "the source tree's expected reports changed"
echo "the switch rewrote the damaged reports and nothing else"
