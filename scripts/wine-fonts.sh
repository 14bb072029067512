#!/usr/bin/env bash
# Makes the Wine prefix $VELTRIX_WINEPREFIX (through scripts/wine-run.sh) and
# links Wine's own faces from Debian's fonts-wine into its C:\windows\Fonts,
# where Wine looks for a Windows system's faces: "MS Sans Serif" with the
# dialog font's widths, Tahoma for the dialogs, Marlett for the menus'
# pictures. Without fonts-wine it says so, and Wine draws "MS Sans Serif" in
# its substitute (Liberation Sans at full width, wider still). For the test
# prefixes only: a Windows system has its own.
set -euo pipefail
"$(dirname "$0")/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
fonts=$VELTRIX_WINEPREFIX/drive_c/windows/Fonts
if [ -f /usr/share/wine/fonts/sserife.fon ]; then
  mkdir -p "$fonts"
  ln -sf /usr/share/wine/fonts/* "$fonts/"
else
  echo "note: fonts-wine is not installed (scripts/install-deps.sh test): Wine's substitute faces are wider"
fi
