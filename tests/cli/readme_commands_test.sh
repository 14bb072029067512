#!/usr/bin/env bash
# The commands the README shows a user, as written there, against the
# programs built here: every such command is in the list below, with where
# it runs; the quick ones run here. A command added to the README without a
# place in this list fails the test.
#
# usage: readme_commands_test.sh SOURCE_DIR VELTRIX VELTRIX_REPORT
set -euo pipefail
source=$(realpath "$1") veltrix=$(realpath "$2") report=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
readme=$source/README.md

# Every command in an indented block, and every `...` span that starts with
# one of the project's programs or scripts.
{
  grep -E '^    [a-zA-Z.$A-Z_]' "$readme" | sed 's/^    //; s/ *#.*$//' | grep -vE '^(veltrix-report \[|  )' || true
  grep -oE '`(\./|sudo |man |cpack |veltrix|scripts/|bench/|fuzz/|cmake |ctest )[^`]*`' "$readme" | tr -d '`'
} | sort -u >"$work/shown"

# Where each runs: "here" (below), or the test that runs it.
cat >"$work/covered" <<'LIST'
./run.sh	run_script_output (stand-ins), the README's first command
./test.sh	.ci/run
./run.sh > report.txt	run_script_output
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVELTRIX_BENCH=OFF	debian_package (verbatim)
cmake --build build-release	debian_package (verbatim)
DESTDIR="$pkgdir" cmake --install build-release --prefix /usr	debian_package (verbatim)
cmake -S . -B build -G Ninja	./test.sh (scripts/build.sh)
cmake --build build	./test.sh (scripts/build.sh)
QT_QPA_PLATFORM=offscreen ctest --test-dir build -E '^e2e_wine_'	./test.sh
cpack --config build-release/CPackConfig.cmake -B build-release	debian_package
sudo apt install ./build-release/veltrix_1.0.0_amd64.deb	debian_package (the package lintian checks)
man veltrix-report	debian_package (the pages in the package)
veltrix-report | head -1	here
veltrix-report	here
veltrix-report --help | --version	here
veltrix --version	here
veltrix-report --privacy	here
veltrix-capture DIR	linux_tests (CaptureCommand)
veltrix-capture --privacy DIR	linux_tests (privacy captures)
veltrix-report --root DIR	here (a captured tree)
veltrix-capture --machine-file FILE.json	linux_tests (CaptureCommand, machine files)
veltrix-capture.exe --privacy veltrix-machine.json	e2e_wine_capture
veltrix-report --machine veltrix-machine.json	e2e_wine_capture (the capture reported on Linux)
veltrix-report --changes-since EARLIER.json [--against LATER.json] [--all-fields] [...]	cli_report_changes
scripts/install-deps.sh	install_deps
scripts/packages.txt	install_deps
bench/run.sh	bench (by hand)
fuzz/run.sh [SECONDS]	fuzz (by hand)
LIST
missing=0
while IFS= read -r command; do
  grep -qF -- "$command	" "$work/covered" || { echo "the README shows a command no test runs: $command"; missing=1; }
done <"$work/shown"
[ "$missing" -eq 0 ] || exit 1

# The programs where the README says ./run.sh puts them: the same places in
# this build's tree.
tree=$(dirname "$(dirname "$veltrix")")
for program in $(grep -oE 'build-release/(app|cli)/[a-z/-]+' "$readme" | sort -u); do
  [ -x "$tree/${program#build-release/}" ] || { echo "the README names $program, which is not a program"; exit 1; }
done

# The quick ones, as written, with the programs built here first on the path.
mkdir -p "$work/bin"
ln -s "$veltrix" "$work/bin/veltrix"
ln -s "$report" "$work/bin/veltrix-report"
export PATH=$work/bin:$PATH VELTRIX_MACHINE=$source/tests/machines/laptop.json
cd "$work"
[ "$(bash -c 'veltrix-report | head -1')" = $'Processor\r' ] || { echo "veltrix-report | head -1"; exit 1; }
env -u DISPLAY -u WAYLAND_DISPLAY veltrix --version | grep -qE '^veltrix [0-9.]+$'
veltrix-report >/dev/null
veltrix-report --help | head -1 | grep -q '^usage: veltrix-report '
veltrix-report --version | grep -qE '^veltrix-report [0-9.]+$'
unset VELTRIX_MACHINE
VELTRIX_ROOT=$source/tests/trees/desktop bash -c 'veltrix-report --privacy' >/dev/null
bash -c "veltrix-report --root $source/tests/trees/desktop" | head -1 | grep -qx $'Processor\r'
echo "$(wc -l <"$work/shown") commands in the README, each run by a test"
