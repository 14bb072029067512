#!/usr/bin/env bash
# Installs the packages that are missing; quiet and quick when everything is
# there already. The packages, by role and system, are in
# scripts/packages.txt; the system is chosen by /etc/os-release (ID, then
# ID_LIKE): Debian and its derivatives (apt), Fedora and its kin (dnf), Arch
# (pacman), openSUSE (zypper).
#   scripts/install-deps.sh run    what building and running the programs need (./run.sh)
#   scripts/install-deps.sh test   that, and what the tests and benchmarks need (./test.sh)
#   scripts/install-deps.sh --system [OS_RELEASE]       the system chosen, and nothing installed
#   scripts/install-deps.sh --list SYSTEM run|test      the packages, one a line
set -euo pipefail
here=$(dirname "$0")
table=$here/packages.txt
systems=(debian fedora arch opensuse)

# system_of FILE: the system a machine's os-release names, or nothing.
system_of() {
  local id="" like="" word
  # shellcheck disable=SC1090  # os-release is shell assignments by its definition
  id=$( . "$1" >/dev/null 2>&1; echo "${ID:-}")
  like=$( . "$1" >/dev/null 2>&1; echo "${ID_LIKE:-}")
  for word in $id $like; do
    case $word in
      debian | ubuntu) echo debian; return ;;
      fedora | rhel | centos) echo fedora; return ;;
      arch | archlinux) echo arch; return ;;
      opensuse* | suse | sles) echo opensuse; return ;;
    esac
  done
}

# packages SYSTEM run|test: the names, one a line ("-" rows left out).
packages() {
  local column=0 i
  for i in "${!systems[@]}"; do [ "${systems[$i]}" = "$1" ] && column=$((i + 3)); done
  [ "$column" -gt 0 ] || { echo "install-deps.sh: unknown system \"$1\"" >&2; return 2; }
  awk -v column="$column" -v what="$2" '
    /^[[:space:]]*(#|$)/ { next }
    ($2 == "run" || what == "test") && $column != "-" { n = split($column, names, ","); for (i = 1; i <= n; i++) print names[i] }
  ' "$table"
}

installed() {  # installed SYSTEM PACKAGE
  case $1 in
    debian) dpkg-query -W -f='${Status}' "$2" 2>/dev/null | grep -q "install ok installed" ;;
    fedora | opensuse) rpm -q --whatprovides "$2" >/dev/null 2>&1 ;;
    arch) pacman -Q "$2" >/dev/null 2>&1 ;;
  esac
}

case ${1:-test} in
  --system) system=$(system_of "${2:-/etc/os-release}"); [ -n "$system" ] && echo "$system"; [ -n "$system" ]; exit ;;
  --list) packages "$2" "$3"; exit ;;
  run | test) what=${1:-test} ;;
  *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

system=$(system_of /etc/os-release 2>/dev/null || true)
if [ -z "$system" ]; then
  echo "install-deps.sh: this system is not one whose package names are known (scripts/packages.txt);" \
       "install the packages of the Debian column by their names here" >&2
  exit 1
fi
missing=()
while read -r p; do installed "$system" "$p" || missing+=("$p"); done < <(packages "$system" "$what")
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
case $system in
  debian)
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ;;
  fedora) $sudo dnf install -y -q "${missing[@]}" ;;
  arch) $sudo pacman -S --needed --noconfirm "${missing[@]}" ;;
  opensuse) $sudo zypper --non-interactive install "${missing[@]}" ;;
esac
