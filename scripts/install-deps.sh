#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; quiet and quick
# when everything is there already.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  nlohmann-json3-dev libcups2-dev libgtest-dev libbenchmark-dev libblkid-dev e2fsprogs
  cups-daemon cups-client
  libxcb1-dev libxcb-xkb-dev libxcb-randr0-dev
  hwdata xvfb xauth xdotool x11-utils imagemagick locales
  # The window's dialog font is drawn in Liberation Sans (metric-compatible
  # with Arial); the fallbacks are wider and cut captions.
  fonts-liberation
  # The Windows executables, built here and tested under Wine
  # (scripts/build-windows.sh): MinGW-w64 with posix threads, GoogleTest's
  # sources to build for the target, and the 64-bit Wine.
  g++-mingw-w64-x86-64-posix googletest wine wine64
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
