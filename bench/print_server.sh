#!/usr/bin/env bash
# veltrix-report's peak memory and wall time with and without a print server
# to ask: without one (no CUPS_SERVER, no client.conf, no scheduler socket)
# libcups is never loaded; with CUPS_SERVER set it is loaded and asked (here
# a socket nobody listens on, so the figure is the library's own cost, not
# a server's answer time). The median of 15 runs of each.
#
# usage: bench/print_server.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
report=$build/cli/veltrix-report
peak=$build/bench/peak-memory
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
for socket in /run/cups/cups.sock /var/run/cups/cups.sock /etc/cups/client.conf; do
  [ -e "$socket" ] && echo "note: $socket exists here, so libcups is loaded in both runs"
done

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
measure() { # label, then environment assignments
  local label=$1; shift
  local kb=() ms=()
  for _ in $(seq 15); do
    # peak-memory prints "PROGRAM: peak NNN KB, NNN ms, exit N" (bench/peak_memory.cpp)
    line=$(env -i PATH="$PATH" HOME="$home" "$@" "$peak" "$report" 2>&1 | tail -n1)
    kb+=("$(sed -E 's/.*peak ([0-9]+) KB.*/\1/' <<<"$line")")
    ms+=("$(sed -E 's/.*KB, ([0-9.]+) ms.*/\1/' <<<"$line")")
  done
  printf '%-34s peak %6s kB   wall %6s ms\n' "$label" \
    "$(printf '%s\n' "${kb[@]}" | median)" "$(printf '%s\n' "${ms[@]}" | median)"
}
measure "no print server (libcups unloaded)"
measure "CUPS_SERVER set (libcups loaded)" CUPS_SERVER="$home/none.sock"
