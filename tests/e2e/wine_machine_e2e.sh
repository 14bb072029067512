#!/usr/bin/env bash
# veltrix-report.exe on the Windows machine as Wine gives it, held against
# what Linux knows of the same machine: the processor count and CPUID
# identity of /proc/cpuinfo, the total memory of /proc/meminfo (Wine counts
# whole 4 KiB pages), the modes of a private Xvfb screen, drives C: (the
# prefix's drive_c) and Z: (/) with the capacity df gives, the ports of
# Wine's own list, the network cards' addresses of /sys/class/net; all
# fifteen blocks, and no hang where Wine has no answer (SMART, NDIS, USB
# hubs: those blocks show their fallbacks).
#
# usage: wine_machine_e2e.sh SOURCE_DIR
set -euo pipefail
source "$(dirname "$0")/wine_common.sh" "$1"
wine_skip_unless_ready df awk
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  wine_end_server
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
wine_end_server  # a server of an earlier run may still hold another display

source "$(dirname "$0")/private_xvfb.sh"
start_private_xvfb "$work" 1280x1024x24
export DISPLAY=$private_display
report=$(wine_report 2>"$work/stderr") || { echo "veltrix-report.exe failed:"; cat "$work/stderr"; exit 1; }

headings=$(awk 'prev != "" && $0 ~ /^-+$/ && length($0) == length(prev) { n++ } { prev = $0 } END { print n + 0 }' <<<"$report")
[ "$headings" = 15 ] || { echo "$headings blocks, not 15:"; echo "$report"; exit 1; }

# Processor: count and CPUID identity.
block=$(report_block Processor "$report")
cpus=$(grep -c '^processor' /proc/cpuinfo)
expect_line Processor "Processoren: $cpus" "$block"
field() { awk -F': ' -v key="$1" '$1 ~ "^" key "[ \t]*$" { print $2; exit }' /proc/cpuinfo; }
expect_line Processor "Fabrikant-ID: $(field vendor_id)" "$block"
expect_line Processor "Naam: $(field 'model name' | sed 's/ *$//')" "$block"
family=$(field 'cpu family') model=$(field model) stepping=$(field stepping)
base_family=$(( family >= 15 ? 15 : family ))
signature=$(( (family >= 15 ? family - 15 : 0) << 20 | (model >> 4) << 16 | base_family << 8 | (model & 15) << 4 | stepping ))
grep -q "^Serienummer: $(printf '%08X' "$signature")-" <<<"$block" ||
  { echo "Processor: the signature is not $(printf '%08X' "$signature"):"; echo "$block"; exit 1; }

# Memory: /proc/meminfo's total; Wine counts whole pages and gives at most
# one 4 KiB page less.
block=$(report_block Geheugengebruik "$report")
total=$(sed -n 's/^Totaal Fysiek: \([0-9,]*\) KB$/\1/p' <<<"$block" | tr -d ,)
meminfo=$(awk '/^MemTotal:/ { print $2 }' /proc/meminfo)
[ -n "$total" ] && [ $(( meminfo - total )) -ge 0 ] && [ $(( meminfo - total )) -le 4 ] ||
  { echo "Memory: $total KB against MemTotal $meminfo kB:"; echo "$block"; exit 1; }

# Display: the screen's size in every mode, its 32 bits among them.
block=$(report_block Weergave "$report")
grep -q '^Resolutie: ' <<<"$block" || { echo "Display: no modes:"; echo "$block"; exit 1; }
if grep '^Resolutie: ' <<<"$block" | grep -vqxF 'Resolutie: 1280x1024'; then
  echo "Display: a mode the 1280x1024 screen does not have:"; echo "$block"; exit 1
fi
expect_line Display "Kleuren: 32 bit" "$block"
# The mode in use: Wine gives the modes 0 Hz and the screen 1 Hz, both the
# default rate.
mode=$(awk '/^Index: / { m = "" } { m = m $0 "\n" } /^Geselecteerd: Ja$/ { printf "%s", m; exit }' <<<"$block")
expect_line Display "Kleuren: 32 bit" "$mode"
expect_line Display "Resolutie: 1280x1024" "$mode"

# Logical drives: C: and Z:, fixed, with df's capacity.
block=$(report_block "Logische Stations" "$report")
drive_c=$VELTRIX_WINEPREFIX/drive_c
for letter in C Z; do
  path=$([ $letter = C ] && echo "$drive_c" || echo /)
  entry=$(awk -v l="Letter: $letter:" '$0 == l { on = 1 } on && $0 == "" { exit } on' <<<"$block")
  expect_line "Drive $letter:" "Type: Vast" "$entry"
  expect_line "Drive $letter:" "Bestandssysteem: NTFS" "$entry"
  size=$(df -B1 --output=size "$path" | tail -n1 | tr -d ' ')
  expect_line "Drive $letter:" "Capaciteit: $(sed ':a;s/\B[0-9]\{3\}\>/,&/;ta' <<<"$size") bytes" "$entry"
done

# Ports: Wine's own list, in its order.
block=$(report_block Poorten "$report")
listed=$(sed -n 's/^Naam: //p' <<<"$block")
wine_ports=$(WINEPREFIX=$VELTRIX_WINEPREFIX WINEDEBUG=-all timeout 60 wine reg query \
  'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Ports' 2>/dev/null | tr -d '\r' | awk '$2 == "REG_SZ" { print $1 }')
[ -n "$listed" ] && [ "$(sort <<<"$listed")" = "$(sort <<<"$wine_ports")" ] ||
  { echo "Ports: listed"; echo "$listed"; echo "Wine's list:"; echo "$wine_ports"; exit 1; }

# Network: the cards' addresses are the interfaces' ones; NDIS has no texts.
block=$(report_block Netwerk "$report")
macs=$(sed -n 's/^MAC Adres: //p' <<<"$block" | sort)
linux_macs=$(cat /sys/class/net/*/address | tr 'a-f:' 'A-F-' | sort)
[ "$macs" = "$linux_macs" ] || { echo "Network: $macs against $linux_macs"; exit 1; }

# Where Wine has no answer: each block is there with its fallback.
for heading in "Harde Stations" "Optische Stations" "USB Apparaten"; do
  block=$(report_block "$heading" "$report")
  [ -n "$block" ] || { echo "no $heading block"; exit 1; }
done
echo "the Windows machine under Wine against /proc, df, Xvfb and Wine's ports: ok"
