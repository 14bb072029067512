#!/usr/bin/env bash
# scripts/install-deps.sh on every system it knows: the package table names
# each role on every system (Debian, Fedora, Arch, openSUSE), run roles
# everywhere; the system is chosen from os-release by ID, then ID_LIKE; and
# the Debian path runs for real here (everything is installed: nothing to do).
#
# usage: install_deps_test.sh SOURCE_DIR
set -euo pipefail
source=$1
script=$source/scripts/install-deps.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The table: six columns a row, a known "when", each role once, a name on
# every system ("-", no such package there, only for what tests need).
awk '
  /^[[:space:]]*(#|$)/ { next }
  NF != 6 { print "row of " NF " columns: " $0; bad = 1 }
  $2 != "run" && $2 != "test" { print "when is neither run nor test: " $0; bad = 1 }
  seen[$1]++ { print "role twice: " $1; bad = 1 }
  { for (c = 3; c <= NF; c++) if ($c == "" || ($c == "-" && $2 == "run")) { print "role " $1 " not named in column " c; bad = 1 } }
  { rows++ }
  END { if (rows < 20) { print "only " rows " roles"; bad = 1 } exit bad }
' "$source/scripts/packages.txt"

# Every system lists a name for each run role, and more for the tests.
roles_run=$(awk '!/^[[:space:]]*(#|$)/ && $2 == "run"' "$source/scripts/packages.txt" | wc -l)
for system in debian fedora arch opensuse; do
  run=$("$script" --list "$system" run | wc -l)
  test=$("$script" --list "$system" test | wc -l)
  [ "$run" -ge "$roles_run" ] || { echo "$system: $run run packages for $roles_run roles"; exit 1; }
  [ "$test" -gt "$run" ] || { echo "$system: the tests add nothing"; exit 1; }
done
status=0; "$script" --list plan9 run >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || { echo "an unknown system was listed (status $status)"; exit 1; }

# os-release as these systems write it: the first known word of ID, then ID_LIKE.
check_system() {  # check_system EXPECTED OS_RELEASE_TEXT
  printf '%s\n' "$2" >"$work/os-release"
  local got status=0
  got=$("$script" --system "$work/os-release") || status=$?
  if [ -z "$1" ]; then
    [ "$status" -ne 0 ] && [ -z "$got" ] || { echo "chose \"$got\" for: $2"; exit 1; }
  else
    [ "$got" = "$1" ] || { echo "chose \"$got\", not $1, for: $2"; exit 1; }
  fi
}
check_system debian 'ID=debian'
check_system debian $'ID=ubuntu\nID_LIKE=debian'
check_system debian $'ID=linuxmint\nID_LIKE="ubuntu debian"'
check_system fedora 'ID=fedora'
check_system fedora $'ID="rocky"\nID_LIKE="rhel centos fedora"'
check_system arch 'ID=arch'
check_system arch $'ID=manjaro\nID_LIKE=arch'
check_system opensuse $'ID="opensuse-tumbleweed"\nID_LIKE="opensuse suse"'
check_system opensuse $'ID="opensuse-leap"\nID_LIKE="suse opensuse"'
check_system "" $'ID=gentoo'
check_system "" ''
[ "$("$script" --system)" = debian ] || { echo "this machine is not taken for Debian"; exit 1; }

# The Debian path, for real: every name the Debian column gives is a package
# installed here, and nothing is left to install.
while read -r package; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    { echo "the Debian list names $package, which is not an installed package"; exit 1; }
done < <("$script" --list debian test)
"$script" --list debian run | grep -qx qt6-base-dev || { echo "the Debian run list lacks qt6-base-dev"; exit 1; }
"$script" run >"$work/out" 2>&1 || { cat "$work/out"; exit 1; }
"$script" test >"$work/out" 2>&1 || { cat "$work/out"; exit 1; }
[ ! -s "$work/out" ] || { echo "install-deps.sh was not quiet with everything installed:"; cat "$work/out"; exit 1; }
echo "the package table names every role on four systems; os-release chooses; the Debian path is quiet here"
