#!/usr/bin/env python3
"""Compiles one case's source of tests/layers exactly as the build would (the
command of its object library in compile_commands.json), without running the
build tool, and checks whether the include line resolved.

check_include.py BUILD_DIR TARGET HEADER (sees|blocked)
"""
import json
import shlex
import subprocess
import sys

build, target, header, expected = sys.argv[1:5]
with open(f"{build}/compile_commands.json", encoding="utf-8") as f:
    entries = json.load(f)
marker = f"CMakeFiles/{target}.dir/"
matches = [e for e in entries if marker in e.get("output", e["command"])]
if len(matches) != 1:
    sys.exit(f"{target}: {len(matches)} compile commands found, expected one")
entry = matches[0]
argv = shlex.split(entry["command"])
# The object is not wanted: only whether the include resolves.
argv[argv.index("-o") + 1] = "/dev/null"
result = subprocess.run(argv + ["-fsyntax-only"], cwd=entry["directory"], capture_output=True, text=True)
output = result.stdout + result.stderr
missing = header in output and ("No such file" in output or "not found" in output)
if expected == "blocked":
    if result.returncode != 0 and missing:
        print(f"{target} cannot include {header}, as the arrows say:")
        print(next(line for line in output.splitlines() if header in line and ("No such" in line or "not found" in line)))
        sys.exit(0)
    sys.exit(f"{target} was expected not to see {header}; compiler said ({result.returncode}):\n{output}")
if result.returncode == 0:
    print(f"{target} includes {header}")
    sys.exit(0)
sys.exit(f"{target} was expected to include {header}; compiler said:\n{output}")
