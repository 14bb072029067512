#!/usr/bin/env bash
# Installs the Debian packages that are missing; quiet and quick when
# everything is there already.
#   scripts/install-deps.sh run    what building and running the programs need (./run.sh)
#   scripts/install-deps.sh test   that, and what the tests and benchmarks need (./test.sh)
set -euo pipefail
what=${1:-test}
run_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-qpa-plugins
  nlohmann-json3-dev libcups2-dev libblkid-dev
  libxcb1-dev libxcb-xkb-dev libxcb-randr0-dev
  hwdata
  # The window's dialog font is drawn in Liberation Sans (metric-compatible
  # with Arial); the fallbacks are wider and cut captions.
  fonts-liberation
)
test_packages=(
  libgtest-dev libbenchmark-dev e2fsprogs
  cups-daemon cups-client
  xvfb xauth xdotool x11-utils imagemagick locales
  # The window's accessibility tree, walked over AT-SPI on a private bus.
  dbus-daemon at-spi2-core python3-pyatspi
  # Manual pages from their sources; the package checks.
  scdoc lintian appstream
  # The Windows executables, built here and tested under Wine
  # (scripts/build-windows.sh): MinGW-w64 with posix threads, GoogleTest's
  # sources to build for the target, and the 64-bit Wine.
  g++-mingw-w64-x86-64-posix googletest wine wine64
  # Wine's own faces ("MS Sans Serif" with the dialog font's widths, Tahoma,
  # Marlett), linked into the window checks' private prefix.
  fonts-wine
  # The Windows installer (CPack's NSIS generator).
  nsis
  # The JSON report's schema checked by a real validator; the fleet example
  # run by Ansible itself.
  python3-jsonschema ansible-core
)
case $what in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac
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
