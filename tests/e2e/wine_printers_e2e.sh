#!/usr/bin/env bash
# The printers of a private cupsd through Wine's spooler: Wine's winspool
# reads CUPS through libcups, pointed at the private server by CUPS_SERVER.
# veltrix-report.exe --category 7 must list the three printers of the Linux
# printer test in the server's order, Zolder (the server's default) marked.
# Wine names each printer's port "CUPS:" and the printer's name.
#
# usage: wine_printers_e2e.sh SOURCE_DIR
set -euo pipefail
here=$(dirname "$0")
source "$here/wine_common.sh" "$1"
source "$here/private_cupsd.sh"
wine_skip_unless_ready lpstat
for program in /usr/sbin/cupsd /usr/sbin/lpadmin; do
  [ -x "$program" ] || { echo "SKIPPED: $program is not installed (scripts/install-deps.sh)"; exit 0; }
done
work=$(mktemp -d)
cleanup() {
  wine_end_server
  stop_private_cupsd
  rm -rf "$work"
}
trap cleanup EXIT
wine_end_server  # nothing of an earlier run's server, or its print server, is asked
start_private_cupsd "$work/cups"
# The user's own print settings (~/.cups) stay out; Wine needs no display here.
export CUPS_SERVER=$work/cups/cups.sock HOME=$work
unset LPDEST PRINTER DISPLAY
report=$(wine_report --category 7)
expected=$(cat <<'BLOCK'
Printers
--------
Index: 0
Naam: Kantoor
Poort: CUPS:Kantoor
Geselecteerd: Nee

Index: 1
Naam: pdf-out
Poort: CUPS:pdf-out
Geselecteerd: Nee

Index: 2
Naam: Zolder
Poort: CUPS:Zolder
Geselecteerd: Ja
BLOCK
)
[ "$report" = "$expected" ] || { echo "the Printers block under Wine:"; echo "$report"; echo "expected:"; echo "$expected"; exit 1; }
echo "three printers of a private cupsd through Wine's spooler, the default marked: ok"
