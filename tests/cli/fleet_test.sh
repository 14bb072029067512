#!/usr/bin/env bash
# docs/fleet: the commands of docs/fleet.md (its sh blocks) run as written
# there, in a folder of the test's own: the fact installed with a stand-in
# for sudo that puts /etc into the folder, the ad-hoc look at the local
# facts, and the playbook. Ansible gathers the local fact veltrix
# (veltrix-report --format json) of five hosts over a local inventory, each
# host pointed at another simulated machine or captured tree, and the
# playbook merges them into one inventory (JSON and CSV) in a folder it
# makes. The merged inventory must hold exactly what veltrix-report writes
# for each host. A copy is kept in ARTIFACTS.
set -euo pipefail
report=$(realpath "$1") source=$(realpath "$2") artifacts=$(realpath -m "$3")
source "$(dirname "$0")/ansible_sandbox.sh"

# A display adapter whose name a spreadsheet would take for a formula, with
# quotes and a comma in it.
cat >"$work/formula.json" <<'JSON'
{"display": {"adapters": [{"description": "=HYPERLINK(\"x\"), \"quoted\"", "primary": true}]}}
JSON
declare -A machine=(
  [formula]="--machine $work/formula.json"
  [laptop]="--machine $source/tests/machines/laptop.json"
  [workstation]="--machine $source/tests/machines/workstation.json"
  [windows-drives]="--machine $source/tests/machines/windows-drives.json"
  [desktop]="--root $source/tests/trees/desktop"
)
: >"$work/hosts"
for host in "${!machine[@]}"; do
  mkdir -p "$work/facts/$host"
  # The documented fact, with the host's machine in place of this one.
  sed "s|^exec veltrix-report --format json\$|exec \"$report\" --format json ${machine[$host]}|" \
    "$source/docs/fleet/veltrix.fact" >"$work/facts/$host/veltrix.fact"
  grep -q -- "${machine[$host]}" "$work/facts/$host/veltrix.fact"
  chmod +x "$work/facts/$host/veltrix.fact"
  "$report" --format json ${machine[$host]} >"$work/$host.expected.json"
  echo "$host ansible_connection=local ansible_python_interpreter=/usr/bin/python3 veltrix_fact_path=$work/facts/$host" >>"$work/hosts"
done

# The document's commands, read from it: exactly these four, in order.
python3 - "$source/docs/fleet.md" >"$work/commands" <<'PY'
import re, sys
for block in re.findall(r"^```sh\n(.*?)^```", open(sys.argv[1]).read(), re.S | re.M):
    print(block.strip())
PY
mapfile -t commands <"$work/commands"
# (The fourth, the comparison of runs, is fleet_changes_test.sh's.)
[ "${#commands[@]}" -eq 4 ] || { echo "docs/fleet.md shows ${#commands[@]} commands, not 4:"; cat "$work/commands"; exit 1; }
for i in 0 1 2 3; do
  expected=("sudo install " "ansible all -i hosts " "ansible-playbook -i hosts docs/fleet/veltrix-inventory.yml "
            "ansible-playbook -i hosts docs/fleet/veltrix-changes.yml ")
  [[ ${commands[$i]} == "${expected[$i]}"* ]] || { echo "command $((i + 1)) of docs/fleet.md: ${commands[$i]}"; exit 1; }
done
# Stand-ins: sudo runs its command with /etc/ in the test's folder;
# veltrix-report is the one built here, reporting a simulated machine.
mkdir -p "$work/bin" "$work/docs"
ln -s "$source/docs/fleet" "$work/docs/fleet"
cat >"$work/bin/sudo" <<SUDO
#!/bin/bash
exec "\${@//\\/etc\\//$work/etc/}"
SUDO
printf '#!/bin/sh\nexec "%s" --machine "%s" "$@"\n' "$report" "$source/tests/machines/laptop.json" >"$work/bin/veltrix-report"
chmod +x "$work/bin/sudo" "$work/bin/veltrix-report"
export PATH=$work/bin:$PATH

bash -euc "${commands[0]}"
[ -x "$work/etc/ansible/facts.d/veltrix.fact" ] || { echo "the fact was not installed"; exit 1; }
bash -euc "${commands[1]}" >"$work/adhoc.log" 2>&1 || { cat "$work/adhoc.log"; exit 1; }
for host in "${!machine[@]}"; do
  grep -q "^$host | SUCCESS" "$work/adhoc.log" || { echo "$host not gathered:"; cat "$work/adhoc.log"; exit 1; }
done
# (It reads /etc/ansible/facts.d of each host, which the test leaves alone:
# what the facts hold is checked through the playbook, below.)
# The playbook makes its folder: none is there before.
[ ! -e "$HOME/veltrix-inventory" ]
bash -euc "${commands[2]}" >"$work/ansible.log" 2>&1 || { cat "$work/ansible.log"; exit 1; }
ln -s "$HOME/veltrix-inventory" "$work/out"

mkdir -p "$artifacts"
cp "$work/out/veltrix-inventory.json" "$work/out/veltrix-inventory.csv" "$artifacts/"

/usr/bin/python3 - "$work" "${!machine[@]}" <<'PY'
import csv, json, sys
work, hosts = sys.argv[1], sorted(sys.argv[2:])
inventory = json.load(open(f"{work}/out/veltrix-inventory.json"))
assert sorted(inventory) == hosts, sorted(inventory)
for host in hosts:
    expected = json.load(open(f"{work}/{host}.expected.json"))
    assert inventory[host] == expected, f"{host}: the inventory differs from veltrix-report's document"
rows = list(csv.DictReader(open(f"{work}/out/veltrix-inventory.csv", newline="")))
assert [r["host"] for r in rows] == hosts, rows
for row in rows:
    fields = inventory[row["host"]]["categories"]
    assert row["processor"] == (fields["Processor"]["fields"]["Name"] or ""), row
    assert row["memory_bytes"] == str(fields["MemoryUsage"]["fields"]["TotalPhysical"] or ""), row
    disks = fields["HardDrives"]["items"]
    assert row["hard_drives"] == str(len(disks)), row
    assert row["hard_drive_bytes"] == str(sum(d["Capacity"] or 0 for d in disks)), row
    display = fields["Display"]["fields"]["Name"] or ""
    assert row["display"] == ("'" + display if display[:1] in "=+-@" and display else display), row
assert rows[hosts.index("formula")]["display"] == "'=HYPERLINK(\"x\"), \"quoted\"", rows
print(f"the inventory holds {len(hosts)} hosts, each as veltrix-report wrote it")
PY
