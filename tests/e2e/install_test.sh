#!/usr/bin/env bash
# Installs into a temporary prefix and checks what a desktop needs: the three
# programs, the desktop entry naming the program and its icon, the icons.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/veltrix bin/veltrix-report bin/veltrix-capture share/applications/veltrix.desktop \
         share/icons/hicolor/scalable/apps/veltrix.svg share/icons/hicolor/48x48/apps/veltrix.png; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
grep -qx 'Exec=veltrix' "$prefix/share/applications/veltrix.desktop"
grep -qx 'Icon=veltrix' "$prefix/share/applications/veltrix.desktop"
"$prefix/bin/veltrix-report" --help >/dev/null
# The Debian package depends on the font the window's captions are laid out for.
grep -q 'set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation' "$build/CPackConfig.cmake" ||
  { echo "the package does not depend on fonts-liberation"; exit 1; }
echo "installed into $prefix: programs, desktop entry and icons present"
