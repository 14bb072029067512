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

for failure in failures:
    print("FAILED:", failure)
print(f"{len(machines)} machine files, {len(trees)} trees and this machine checked")
sys.exit(1 if failures else 0)
