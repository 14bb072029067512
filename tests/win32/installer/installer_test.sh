#!/usr/bin/env bash
# The Windows installer end to end under Wine: cpack makes
# veltrix-<version>-win64.exe from this build; in a fresh prefix of its own
# it installs the three programs (the window, the report and the capture),
# the Start-menu entries and the uninstall entry;
# the installed report command runs; the uninstaller then takes everything
# away again except what the user saved, beside the programs and in the
# user's documents. Compared as lists of files and registry keys before the
# install and after the uninstall.
#   installer_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
src=$2
export VELTRIX_WINEPREFIX=$build/wine-prefix-installer
export WINEPREFIX=$VELTRIX_WINEPREFIX
export WINEDEBUG=-all
work=$build/installer-test
for program in makensis wine wineserver; do
  command -v "$program" >/dev/null || { echo "SKIPPED: $program is not installed (scripts/install-deps.sh)"; exit 0; }
done
trap 'wineserver -k 2>/dev/null || true' EXIT
rm -rf "$WINEPREFIX" "$work"
mkdir -p "$work"

(cd "$work" && cpack -G NSIS --config "$build/CPackConfig.cmake" >cpack.log) || { cat "$work/cpack.log"; exit 1; }
installer=$(ls "$work"/veltrix-*-win64.exe)
echo "installer: $(basename "$installer"), $(stat -c %s "$installer") bytes"

wine_run() { "$src/scripts/wine-run.sh" "$@"; }
# Files of the prefix's drive C and the registry keys naming the program.
# Wine keeps caches and its own logs under drive_c/windows: left out, as
# they change with every start of a program. So is the user's Temp folder:
# an uninstaller runs from a copy of itself there, which the system removes
# at the next start (it is marked so).
files_of_drive() {
  (cd "$WINEPREFIX/drive_c" && find . \( -path ./windows -o -path './users/*/Temp' \) -prune -o -print | LC_ALL=C sort)
}
registry_mentions() {
  wineserver -w
  grep -il veltrix "$WINEPREFIX"/*.reg 2>/dev/null | xargs -r -n1 basename || true
}

wine_run cmd /c exit 0 >/dev/null 2>&1   # make the prefix
wineserver -w
files_of_drive >"$work/before.txt"
[ -z "$(registry_mentions)" ] || { echo "a fresh prefix already names Veltrix"; exit 1; }

# A silent install (/S), waited for.
wine_run "$installer" /S
wineserver -w
root="$WINEPREFIX/drive_c/Program Files/Veltrix"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Veltrix"
for installed in "$root/veltrix.exe" "$root/veltrix-report.exe" "$root/veltrix-capture.exe" "$root/windows.md" "$root/Uninstall.exe" \
                 "$menu/Veltrix.lnk" "$menu/Uninstall.lnk"; do
  [ -f "$installed" ] || { echo "not installed: ${installed#"$WINEPREFIX"/}"; find "$WINEPREFIX/drive_c/Program Files" "$WINEPREFIX/drive_c/ProgramData" -ipath '*veltrix*'; exit 1; }
done
cmp "$root/veltrix-report.exe" "$build/cli/veltrix-report.exe" || { echo "the installed report command is not the built one"; exit 1; }
cmp "$root/veltrix-capture.exe" "$build/cli/capture/veltrix-capture.exe" || { echo "the installed capture command is not the built one"; exit 1; }
grep -q 'Uninstall\\\\Veltrix\]' "$WINEPREFIX/system.reg" || { echo "no uninstall entry in the registry"; exit 1; }

# The installed report command runs, and reads its machine file.
version=$(wine_run "$root/veltrix-report.exe" --version | tr -d '\r')
echo "installed: $version"
wine_run "$root/veltrix-report.exe" --machine "$(winepath -w "$src/tests/machines/desktop.json" 2>/dev/null)" \
  --output "C:\\Program Files\\Veltrix\\mijn-rapport.txt"
# The installed capture command runs beside it: a machine file the
# installed report command reads.
capture_version=$(wine_run "$root/veltrix-capture.exe" --version | tr -d '\r')
[ "$capture_version" = "${version/veltrix-report/veltrix-capture}" ] ||
  { echo "installed capture: $capture_version, report: $version"; exit 1; }
wine_run "$root/veltrix-capture.exe" "C:\\Program Files\\Veltrix\\machine.json" >/dev/null
wine_run "$root/veltrix-report.exe" --machine "C:\\Program Files\\Veltrix\\machine.json" >/dev/null ||
  { echo "the installed report command cannot read the installed capture's file"; exit 1; }
rm -f "$root/machine.json"

# The user's documents: in a prefix of wine-run.sh, inside the build
# directory, never the real user's home.
documents=$(realpath "$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/Documents")
case $documents in "$build"/*) ;; *) echo "the prefix's Documents is $documents, outside the build"; exit 1 ;; esac
printf 'bewaard\r\n' >"$documents/opgeslagen.txt"
[ -s "$root/mijn-rapport.txt" ] || { echo "the installed program saved nothing"; exit 1; }

# The uninstaller copies itself away and returns at once; _?= runs it in
# place and waits, as a script needs (it then leaves itself, removed here
# as the copy would remove itself).
wine_run "$root/Uninstall.exe" /S "_?=C:\\Program Files\\Veltrix"
wineserver -w
rm -f "$root/Uninstall.exe"

files_of_drive >"$work/after.txt"
left=$(LC_ALL=C comm -13 "$work/before.txt" "$work/after.txt")
expected=$(printf '%s\n' "./Program Files/Veltrix" "./Program Files/Veltrix/mijn-rapport.txt")
gone=$(LC_ALL=C comm -23 "$work/before.txt" "$work/after.txt")
if [ "$left" != "$expected" ] || [ -n "$gone" ]; then
  echo "after the uninstall, drive C differs from before the install by more than the user's files:"
  diff <(echo "$expected") <(echo "$left") || true
  [ -z "$gone" ] || { echo "and lost:"; echo "$gone"; }
  exit 1
fi
mentions=$(registry_mentions)
[ -z "$mentions" ] || { echo "the registry still names Veltrix after the uninstall: $mentions"; grep -in veltrix "$WINEPREFIX"/*.reg | head; exit 1; }
[ -f "$documents/opgeslagen.txt" ] || { echo "the uninstall took the user's document"; exit 1; }
echo "installed and uninstalled; left behind only the user's two saved files"
