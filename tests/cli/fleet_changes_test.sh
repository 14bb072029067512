#!/usr/bin/env bash
# docs/fleet/veltrix-changes.yml under Ansible, run as docs/fleet.md shows it
# (its fourth sh block), three times over three local hosts: alpha and beta
# simulated machines, gamma a captured tree, each pointed at its machine by
# veltrix_report_args. The first run records each host's report; before the
# second, beta's machine file changes (memory doubled, a USB device added),
# and the second run must name beta alone, with those changes; the third
# finds nothing changed. A copy of the last run's folder is kept in ARTIFACTS.
#   fleet_changes_test.sh VELTRIX_REPORT SOURCE_DIR ARTIFACTS
set -euo pipefail
report=$(realpath "$1") source=$(realpath "$2") artifacts=$(realpath -m "$3")
source "$(dirname "$0")/ansible_sandbox.sh"
export TMPDIR=$work/tmp
mkdir -p "$work/tmp" "$work/bin" "$work/docs"
ln -s "$source/docs/fleet" "$work/docs/fleet"
# veltrix-report on the path is the one built here, on the hosts and on the control machine.
ln -s "$report" "$work/bin/veltrix-report"
export PATH=$work/bin:$PATH

cp "$source/tests/machines/desktop.json" "$work/alpha.json"
cp "$source/tests/machines/workstation.json" "$work/beta.json"
cat >"$work/hosts" <<HOSTS
alpha ansible_connection=local ansible_python_interpreter=/usr/bin/python3 veltrix_report_args="--machine $work/alpha.json"
beta ansible_connection=local ansible_python_interpreter=/usr/bin/python3 veltrix_report_args="--machine $work/beta.json"
gamma ansible_connection=local ansible_python_interpreter=/usr/bin/python3 veltrix_report_args="--root $source/tests/trees/storage-desktop"
HOSTS

command=$(python3 - "$source/docs/fleet.md" <<'PY'
import re, sys
blocks = re.findall(r"^```sh\n(.*?)^```", open(sys.argv[1]).read(), re.S | re.M)
print(blocks[3].strip())
PY
)
[[ $command == "ansible-playbook -i hosts docs/fleet/veltrix-changes.yml "* ]] || { echo "docs/fleet.md: $command"; exit 1; }
out=$HOME/veltrix-reports

run() {
  bash -euc "$command" >"$work/ansible-$1.log" 2>&1 || { cat "$work/ansible-$1.log"; exit 1; }
}

run first
for host in alpha beta gamma; do
  [ -s "$out/$host/last.json" ] || { echo "$host: no report kept"; exit 1; }
  [ ! -e "$out/$host/changes.txt" ] || { echo "$host: a first run compared"; exit 1; }
done
[ ! -s "$out/changed-hosts.txt" ] || { echo "first run:"; cat "$out/changed-hosts.txt"; exit 1; }
# What the host wrote, kept byte for byte.
"$report" --format json --machine "$work/alpha.json" | cmp - "$out/alpha/last.json"

python3 - "$work/beta.json" <<'PY'
import json, sys
machine = json.load(open(sys.argv[1]))
devices = machine["usb"]["devices"]
twin = json.loads(json.dumps(next(d for d in devices if "W700B41B" in d["id"])).replace("W700B41B", "W700C99Z"))
twin["port"], twin["driver"] = 3, twin["driver"][:-1] + "9"
devices.append(twin)
machine["memory"] = {"total_physical": 17179869184}
json.dump(machine, open(sys.argv[1], "w"))
PY
run second
[ "$(cat "$out/changed-hosts.txt")" = beta ] || { echo "second run:"; cat "$out/changed-hosts.txt"; exit 1; }
[ ! -s "$out/alpha/changes.txt" ] && [ ! -s "$out/gamma/changes.txt" ] || { echo "alpha or gamma changed"; exit 1; }
grep -qx "Geheugengebruik: gewijzigd: Totaal Fysiek: Onbekend -> 17179869184" "$out/beta/changes.txt" &&
  grep -qx "USB Apparaten: toegevoegd (Naam: EgisTec Touch Fingerprint Sensor, Serienummer: W700C99Z, Leverancier-ID: 7290, Produkt-ID: 1392)" \
    "$out/beta/changes.txt" || { echo "beta's changes:"; cat "$out/beta/changes.txt"; exit 1; }
[ "$(wc -l <"$out/beta/changes.txt")" -eq 2 ] || { cat "$out/beta/changes.txt"; exit 1; }
grep -q "ok: \[beta\]\|changed: \[beta\]" "$work/ansible-second.log"
grep -q '"msg": \[' "$work/ansible-second.log" && grep -A2 '"msg": \[' "$work/ansible-second.log" | grep -q '"beta"'

run third
[ ! -s "$out/changed-hosts.txt" ] || { echo "third run:"; cat "$out/changed-hosts.txt"; exit 1; }
for host in alpha beta gamma; do
  [ -e "$out/$host/changes.txt" ] && [ ! -s "$out/$host/changes.txt" ] || { echo "$host changed in the third run"; exit 1; }
done
# Nothing left on the hosts.
[ -z "$(find "$work/tmp" -name '*.json')" ] || { echo "reports left on the host:"; find "$work/tmp" -name '*.json'; exit 1; }

mkdir -p "$artifacts"
cp -r "$out/." "$artifacts/"
echo "three runs over three hosts: beta's change found, and only it"
