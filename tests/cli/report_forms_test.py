#!/usr/bin/python3
"""veltrix-report's JSON document and UTF-8 text on every simulated machine
(tests/machines) and captured tree (tests/trees), and on this machine: the
document is valid against docs/report.schema.json (Debian's jsonschema), and
--encoding utf-8 is the default report decoded with LF, except where the
default had to write "?" for a character Windows-1252 lacks."""
import json
import pathlib
import subprocess
import sys
import tempfile

import jsonschema

report, source = sys.argv[1], pathlib.Path(sys.argv[2])
schema = json.loads((source / "docs/report.schema.json").read_text())
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
failures = []

machines = [["--machine", str(p)] for p in sorted((source / "tests/machines").glob("*.json"))]
trees = [["--root", str(p)] for p in sorted((source / "tests/trees").iterdir()) if p.is_dir()]
# This machine, as the environment leaves it (no VELTRIX_MACHINE or VELTRIX_ROOT).
env = {k: v for k, v in __import__("os").environ.items() if k not in ("VELTRIX_MACHINE", "VELTRIX_ROOT")}


def run(args):
    done = subprocess.run([report] + args, capture_output=True, env=env, timeout=120)
    if done.returncode != 0:
        failures.append(f"{args}: status {done.returncode}: {done.stderr.decode(errors='replace')}")
    return done.stdout


for args in machines + trees + [[]]:
    name = args[-1] if args else "this machine"
    document = run(args + ["--format", "json"])
    try:
        parsed = json.loads(document.decode("utf-8"))
        errors = sorted(validator.iter_errors(parsed), key=lambda e: list(e.path))
        for error in errors[:5]:
            failures.append(f"{name}: {'/'.join(map(str, error.path))}: {error.message}")
        if len(parsed["categories"]) != 15:
            failures.append(f"{name}: {len(parsed['categories'])} categories")
    except (UnicodeDecodeError, json.JSONDecodeError, KeyError) as e:
        failures.append(f"{name}: not a JSON document: {e}")
    # One category alone is valid too.
    single = json.loads(run(args + ["--format", "json", "--category", "14"]))
    if list(single["categories"]) != ["Battery"] or not validator.is_valid(single):
        failures.append(f"{name}: --category 14 gives {list(single['categories'])}")

    if not args:
        continue  # this machine's free memory and load change between two runs
    default = run(args)
    utf8 = run(args + ["--encoding", "utf-8"])
    if b"\r" in utf8:
        failures.append(f"{name}: --encoding utf-8 holds CR")
    # Back to Windows-1252 ("?" for what it lacks), LF as CR LF: the default.
    if utf8.decode("utf-8").replace("\n", "\r\n").encode("cp1252", errors="replace") != default:
        failures.append(f"{name}: --encoding utf-8 is not the default report decoded")


# A list cut at 32,767 devices says so: one line on standard error and "cut"
# in the JSON document, while the text report is byte for byte that of the
# first 32,767 devices alone. One printer fewer cuts nothing and says nothing.
scratch = tempfile.TemporaryDirectory()


def printers_machine(count):
    path = pathlib.Path(scratch.name) / f"printers-{count}.json"
    printers = [{"name": f"P{i}", "port": f"LPT{i}:"} for i in range(count)]
    path.write_text(json.dumps({"spooler": {"printers": printers}}))
    return ["--machine", str(path)]


def run_with_errors(args):
    done = subprocess.run([report] + args, capture_output=True, env=env, timeout=120)
    return done.returncode, done.stdout, done.stderr.decode(errors="replace")


reports = {}
for count in (32767, 32768, 40000):
    machine = printers_machine(count)
    status, document, errors = run_with_errors(machine + ["--format", "json", "--category", "Printers"])
    printers = json.loads(document)["categories"]["Printers"]
    if not validator.is_valid(json.loads(document)):
        failures.append(f"{count} printers: the document is not valid")
    expected_cut = None if count == 32767 else {"shown": 32767, "found": count}
    expected_line = "" if count == 32767 else f"veltrix-report: Printers: 32767 of {count} devices shown, the most a list holds\n"
    if status != 0 or printers.get("cut") != expected_cut or len(printers["items"]) != 32767:
        failures.append(f"{count} printers: status {status}, cut {printers.get('cut')}, {len(printers['items'])} items")
    if errors != expected_line:
        failures.append(f"{count} printers: standard error {errors!r}")
    status, text, errors = run_with_errors(machine)
    if status != 0 or errors != expected_line:
        failures.append(f"{count} printers, text: status {status}, standard error {errors!r}")
    reports[count] = text
if not (reports[32767] == reports[32768] == reports[40000]):
    failures.append("a cut list changed the text report")

for failure in failures:
    print("FAILED:", failure)
print(f"{len(machines)} machine files, {len(trees)} trees and this machine checked")
sys.exit(1 if failures else 0)
