#!/usr/bin/python3
"""veltrix-report --changes-since on pairs of machines: simulated machines
(tests/machines) and captured trees (tests/trees), each pair an earlier report
and a copy of the machine changed the way a real one changes. Every case runs
in both forms: the text lines (UTF-8 here; Windows-1252 with CR LF checked on
its own) and the JSON document, valid against docs/changes.schema.json. The
statuses: 0 nothing changed (no output), 1 changes, 2 bad input, 3 not
written. With --privacy on both runs the masks still match, on trees and on
machine files."""
import copy
import json
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile

import jsonschema

report, source = sys.argv[1], pathlib.Path(sys.argv[2])
schema = json.loads((source / "docs/changes.schema.json").read_text())
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
scratch = pathlib.Path(tempfile.mkdtemp())
env = {k: v for k, v in os.environ.items() if k not in ("VELTRIX_MACHINE", "VELTRIX_ROOT", "VELTRIX_PRIVACY_KEY")}
failures = []


def run(args, extra_env=None):
    done = subprocess.run([report] + args, capture_output=True, timeout=120, env={**env, **(extra_env or {})})
    return done.returncode, done.stdout, done.stderr.decode(errors="replace")


def earlier_report(machine, name, extra=()):
    path = scratch / f"{name}.earlier.json"
    status, document, errors = run(machine + ["--format", "json"] + list(extra))
    assert status == 0, errors
    path.write_bytes(document)
    return path


def machine_file(name, change):
    document = json.loads((source / "tests/machines" / name).read_text())
    change(document)
    path = scratch / f"changed-{len(list(scratch.iterdir()))}-{name}"
    path.write_text(json.dumps(document, ensure_ascii=False))
    return ["--machine", str(path)]


def tree_copy(name, change):
    path = scratch / f"tree-{len(list(scratch.iterdir()))}-{name}"
    shutil.copytree(source / "tests/trees" / name, path, symlinks=True)
    change(path)
    return ["--root", str(path)]


def compare(case, earlier, later, expected_lines, check_json=None, extra=(), extra_env=None):
    """Both forms of one pair; `expected_lines` the UTF-8 text, in order."""
    args = ["--changes-since", str(earlier)] + later + list(extra)
    status, text, errors = run(args + ["--encoding", "utf-8"], extra_env)
    expected_status = 1 if expected_lines else 0
    lines = text.decode("utf-8").splitlines()
    if status != expected_status or lines != expected_lines or errors:
        failures.append(f"{case}: status {status}, lines {lines}, expected {expected_lines}; {errors}")
    if not expected_lines and text:
        failures.append(f"{case}: nothing changed, yet {text!r}")
    status, document, errors = run(args + ["--format", "json"], extra_env)
    try:
        parsed = json.loads(document)
    except json.JSONDecodeError as e:
        failures.append(f"{case}: not JSON: {e}")
        return None
    for error in list(validator.iter_errors(parsed))[:3]:
        failures.append(f"{case}: {'/'.join(map(str, error.path))}: {error.message}")
    if status != expected_status or parsed["changed"] != bool(expected_lines):
        failures.append(f"{case}: JSON status {status}, changed {parsed['changed']}; {errors}")
    if check_json and not check_json(parsed["categories"]):
        failures.append(f"{case}: JSON {json.dumps(parsed['categories'])[:600]}")
    return parsed


def desktop_printers(document):
    document["spooler"]["printers"] = [p for p in document["spooler"]["printers"] if p["name"] != "Kantoor"]
    document["spooler"]["default_printer"] = "PDF"


def memory_doubled(document):
    document["memory"]["total_physical"] *= 2


def monitor_swapped(document):
    document["display"]["adapters"][1]["monitors"][0] = "DELL U2412M"


def usb_device_added(document):
    devices = document["usb"]["devices"]
    twin = json.loads(json.dumps(next(d for d in devices if "W700B41B" in d["id"])).replace("W700B41B", "W700C99Z"))
    twin["port"], twin["driver"] = 3, twin["driver"][:-1] + "9"
    devices.append(twin)


def disk_replaced(document):
    document["disks"]["2"]["identify"]["serial"] = "9VM1WXYZ"


def disk_moved(document):
    disks = document["disks"]
    disks["0"], disks["1"] = disks["1"], disks["0"]


def battery_drained(document):
    document["power"]["life_percent"] = 12


machines = source / "tests/machines"
desktop = earlier_report(["--machine", str(machines / "desktop.json")], "desktop")
workstation = earlier_report(["--machine", str(machines / "workstation.json")], "workstation")
drives = earlier_report(["--machine", str(machines / "windows-drives.json")], "windows-drives")

compare("memory size changed", desktop, machine_file("desktop.json", memory_doubled),
        ["Geheugengebruik: gewijzigd: Totaal Fysiek: 34359738368 -> 68719476736"],
        lambda c: list(c) == ["MemoryUsage"] and c["MemoryUsage"]["fields"] ==
        [{"key": "TotalPhysical", "before": 34359738368, "after": 68719476736}])
compare("printer removed, default changed", desktop, machine_file("desktop.json", desktop_printers),
        ["Printers: verwijderd (Naam: Kantoor)", "Printers: gewijzigd (Naam: PDF): Geselecteerd: Nee -> Ja"],
        lambda c: [d["item"]["Port"] for d in c["Printers"]["removed"]] == ["socket://192.168.1.40:9100"]
        and c["Printers"]["added"] == [] and c["Printers"]["changed"][0]["fields"] ==
        [{"key": "Selected", "before": {"text": "Nee", "value": 0}, "after": {"text": "Ja", "value": 1}}])
compare("monitor swapped", workstation, machine_file("workstation.json", monitor_swapped),
        ["Weergave: gewijzigd: Monitor: LG TV -> DELL U2412M"],
        lambda c: c["Display"]["fields"] == [{"key": "Monitor", "before": "LG TV", "after": "DELL U2412M"}]
        and not c["Display"]["added"] and not c["Display"]["removed"])
compare("USB device added", workstation, machine_file("workstation.json", usb_device_added),
        ["USB Apparaten: toegevoegd (Naam: EgisTec Touch Fingerprint Sensor, Serienummer: W700C99Z, "
         "Leverancier-ID: 7290, Produkt-ID: 1392)"],
        lambda c: [d["identity"]["SerialNumber"] for d in c["USBDevices"]["added"]] == ["W700C99Z"]
        and c["USBDevices"]["added"][0]["index"] == 4 and not c["USBDevices"]["changed"])
compare("disk replaced", drives, machine_file("windows-drives.json", disk_replaced),
        ["Harde Stations: verwijderd (Naam: ST3500418AS, Serienummer: 9VM1ABCD, Controller: Secundaire Master)",
         "Harde Stations: toegevoegd (Naam: ST3500418AS, Serienummer: 9VM1WXYZ, Controller: Secundaire Master)"],
        lambda c: [d["identity"]["SerialNumber"] for d in c["HardDrives"]["removed"]] == ["9VM1ABCD"]
        and [d["identity"]["SerialNumber"] for d in c["HardDrives"]["added"]] == ["9VM1WXYZ"])
compare("disk moved to another port", drives, machine_file("windows-drives.json", disk_moved),
        ["Harde Stations: gewijzigd (Naam: Maxtor 6Y080P0, Serienummer: Y24X835E, Controller: Primaire Slave): "
         "Controller: Primaire Master -> Primaire Slave"],
        lambda c: c["HardDrives"]["changed"][0]["fields"] ==
        [{"key": "Controller", "before": {"text": "Primaire Master", "value": 0},
          "after": {"text": "Primaire Slave", "value": 1}}] and not c["HardDrives"]["removed"])

# A battery that ran down is no change of hardware, unless every field is asked for.
laptop = earlier_report(["--machine", str(machines / "laptop.json")], "laptop")
drained = machine_file("laptop.json", battery_drained)
compare("battery level, live", laptop, drained, [])
compare("battery level, --all-fields", laptop, drained, ["Batterij: gewijzigd: Levenspercentage: 87 -> 12"],
        extra=["--all-fields"])

# Captured trees: a memory size, a disk's serial (VPD page 80h) under the same model and place.
trees = source / "tests/trees"


def meminfo_grown(tree):
    meminfo = tree / "proc/meminfo"
    meminfo.write_text(meminfo.read_text().replace("MemTotal:        8120832 kB", "MemTotal:       16241664 kB"))


def cruzer_replaced(tree):
    page = tree / "sys/block/sdc/device/vpd_pg80"
    page.write_bytes(page.read_bytes().replace(b"4C530001230318117392", b"4C530001230318117399"))


tree_desktop = earlier_report(["--root", str(trees / "desktop")], "tree-desktop")
compare("tree: memory size changed", tree_desktop, tree_copy("desktop", meminfo_grown),
        [f"Geheugengebruik: gewijzigd: Totaal Fysiek: {8120832 * 1024} -> {16241664 * 1024}"])
storage = earlier_report(["--root", str(trees / "storage-desktop")], "storage")
replaced_tree = tree_copy("storage-desktop", cruzer_replaced)
compare("tree: disk replaced", storage, replaced_tree,
        ["Harde Stations: verwijderd (Naam: SanDisk Cruzer Blade, Serienummer: 4C530001230318117392, "
         "Controller: Secundaire Master)",
         "Harde Stations: toegevoegd (Naam: SanDisk Cruzer Blade, Serienummer: 4C530001230318117399, "
         "Controller: Secundaire Master)"])

# Nothing changed: every machine file and tree against its own report, and this machine.
for machine in [["--machine", str(p)] for p in sorted(machines.glob("*.json"))] + \
               [["--root", str(p)] for p in sorted(trees.iterdir()) if p.is_dir()] + [[]]:
    name = machine[-1] if machine else "this machine"
    compare(f"{name}: nothing changed", earlier_report(machine, "same-" + "-".join(machine).replace("/", "_")), machine, [])

# Two reports, no machine: --against.
changed_report = scratch / "desktop-later.json"
changed_report.write_bytes(run(machine_file("desktop.json", memory_doubled) + ["--format", "json"])[1])
compare("--against", desktop, ["--against", str(changed_report)],
        ["Geheugengebruik: gewijzigd: Totaal Fysiek: 34359738368 -> 68719476736"])
compare("--against, --category", desktop, ["--against", str(changed_report), "--category", "Printers"], [])

# The text's own encodings: Windows-1252 with CR LF unless --encoding utf-8.
cafe = machine_file("desktop.json", lambda d: d["spooler"]["printers"].append({"name": "Café 北", "port": "LPT1:"}))
status, text, _ = run(["--changes-since", str(desktop)] + cafe)
if status != 1 or text != "Printers: toegevoegd (Naam: Café ?)\r\n".encode("cp1252"):
    failures.append(f"Windows-1252 text: {status} {text!r}")

# Privacy on both runs: the masks are stable for one key, so identities match;
# a replaced disk is still removed + added, under masks.
key = {"VELTRIX_PRIVACY_KEY": "changes-test"}
masked = scratch / "storage-masked.json"
masked.write_bytes(run(["--root", str(trees / "storage-desktop"), "--format", "json", "--privacy"], key)[1])
compare("privacy: nothing changed", masked, ["--root", str(trees / "storage-desktop"), "--privacy"], [],
        extra_env=key)
serials = [d["SerialNumber"] for d in json.loads(masked.read_text())["categories"]["HardDrives"]["items"]]
if "4C530001230318117392" in serials:
    failures.append(f"privacy: the serials were not masked: {serials}")
status, document, errors = run(["--changes-since", str(masked), "--format", "json", "--privacy"] + replaced_tree, key)
drives_changed = json.loads(document)["categories"].get("HardDrives", {})
removed = [d["identity"]["SerialNumber"] for d in drives_changed.get("removed", [])]
added = [d["identity"]["SerialNumber"] for d in drives_changed.get("added", [])]
if status != 1 or removed != [serials[2]] or len(added) != 1 or added[0] in serials or \
        "4C53000123031811739" in document.decode() or drives_changed.get("changed"):
    failures.append(f"privacy: disk replaced: {status} removed {removed} added {added}; {errors}")

# Privacy on a machine file: the file is captured masked, as veltrix-capture
# --privacy writes it. One key gives the same masks run after run (from
# --machine and from VELTRIX_MACHINE alike); without one, every run has masks
# of its own.
for case, name, planted in [("disk serials", "windows-drives.json", ["Y24X835E", "9VM1ABCD", "1C2D-9E0F"]),
                            ("MAC addresses", "workstation.json", ["3A-5B-7F", "68-00-01"])]:
    machine = ["--machine", str(machines / name)]
    status, first, errors = run(machine + ["--format", "json", "--privacy"], key)
    again = run(machine + ["--format", "json", "--privacy"], key)[1]
    fresh = run(machine + ["--format", "json", "--privacy"])[1]
    plain = run(machine + ["--format", "json"])[1].decode()
    kept = [value for value in planted if value in first.decode() or value not in plain]
    if status != 0 or errors or kept or first != again or fresh == first or len(fresh) != len(first):
        failures.append(f"privacy, {name}: status {status}, kept or not planted {kept}, "
                        f"same key same bytes {first == again}, no key other masks {fresh != first}; {errors}")
    earlier = scratch / f"masked-{name}"
    earlier.write_bytes(first)
    compare(f"privacy, {name}: nothing changed", earlier, machine + ["--privacy"], [], extra_env=key)
    compare(f"privacy, VELTRIX_MACHINE={name}: nothing changed", earlier, ["--privacy"], [],
            extra_env={**key, "VELTRIX_MACHINE": str(machines / name)})

# Bad input: one escaped line on standard error, status 2; a report not written: status 3.
newer = scratch / "newer.json"
newer.write_text('{"schema": "urn:veltrix:report:2", "categories": {}}')
foreign = scratch / "foreign.json"
foreign.write_text('{"schema": "urn:other:\\u001b[31mred", "categories": {}}')
broken = scratch / "broken.json"
broken.write_text(json.dumps({"schema": "urn:veltrix:report:1", "version": "1.0.0",
                              "categories": {"HardDrives": {"number": 9, "heading": "x", "fields": {}}}}))
for case, args, needle in [
        ("a newer report", ["--changes-since", str(newer)], "is a newer report"),
        ("a foreign file", ["--changes-since", str(foreign)], "not a Veltrix JSON report"),
        ("a machine file", ["--changes-since", str(machines / "desktop.json")], "not a Veltrix JSON report"),
        ("a device list missing", ["--changes-since", str(broken)], "HardDrives has no list of devices"),
        ("not JSON", ["--changes-since", str(source / "README.md")], "is not JSON"),
        ("a folder", ["--changes-since", str(scratch)], "cannot read"),
        ("a foreign later file", ["--changes-since", str(desktop), "--against", str(foreign)], "not a Veltrix"),
        ("--against with a machine", ["--changes-since", str(desktop), "--against", str(desktop), "--machine",
                                      str(machines / "desktop.json")], "reads no machine"),
        ("--against with --privacy", ["--changes-since", str(desktop), "--against", str(desktop), "--privacy"],
         "reads no machine"),
        ("--against alone", ["--against", str(desktop)], "needs --changes-since"),
        ("--all-fields alone", ["--all-fields"], "needs --changes-since")]:
    for form in (["--format", "json"], []):
        # A machine is named so that only the file is at fault.
        machine = [] if "--against" in args else ["--machine", str(machines / "desktop.json")]
        status, out, errors = run(args + form + machine)
        if status != 2 or out or needle not in errors or errors.count("\n") != 1 or "\x1b" in errors:
            failures.append(f"{case} {form}: status {status}, {out[:80]!r}, {errors!r}")
status, _, errors = run(["--changes-since", str(desktop), "--output", str(scratch / "no/such/folder/x.txt")] +
                        machine_file("desktop.json", memory_doubled))
if status != 3 or not errors.startswith("veltrix-report: cannot write"):
    failures.append(f"an output that cannot be written: status {status}, {errors!r}")
# Nothing changed into a file: the file is replaced by an empty one, status 0.
stale = scratch / "stale.txt"
stale.write_text("an older run's changes\n")
status, _, errors = run(["--changes-since", str(desktop), "--machine", str(machines / "desktop.json"),
                         "--output", str(stale)])
if status != 0 or stale.read_bytes() != b"":
    failures.append(f"nothing changed into a file: status {status}, {stale.read_bytes()!r} {errors}")

shutil.rmtree(scratch)
for failure in failures:
    print("FAILED:", failure)
print("changes checked: machine files, trees, this machine, privacy, bad input")
sys.exit(1 if failures else 0)
