#!/usr/bin/python3
"""veltrix-report as a program in a pipeline: a reader that closes the pipe
(`| head -1`, `| true`) ends it quietly with status 0, whether SIGPIPE is
left as it is or ignored (a print library may ignore it); a write that fails
is status 1; bad input is status 2."""
import os
import signal
import subprocess
import sys

report, machine = sys.argv[1], sys.argv[2]
failures = []


def check(what, condition, detail=""):
    if not condition:
        failures.append(f"{what}: {detail}")


def run_into_closed_pipe(args, disposition):
    read_end, write_end = os.pipe()
    os.close(read_end)
    run = subprocess.run([report] + args, stdout=write_end, stderr=subprocess.PIPE,
                         preexec_fn=lambda: signal.signal(signal.SIGPIPE, disposition), timeout=120)
    os.close(write_end)
    return run


for disposition, name in ((signal.SIG_DFL, "SIGPIPE default"), (signal.SIG_IGN, "SIGPIPE ignored")):
    for args in (["--machine", machine], ["--machine", machine, "--format", "json"], ["--help"], []):
        run = run_into_closed_pipe(args, disposition)
        check(f"{name}, {args}: status", run.returncode == 0, str(run.returncode))
        check(f"{name}, {args}: standard error", run.stderr == b"", run.stderr.decode(errors="replace"))

    # A real pipeline whose reader leaves after one line; this machine's
    # report too, where a print library may be loaded.
    trap = "trap '' PIPE; " if disposition == signal.SIG_IGN else ""
    for args in (f'--machine "{machine}"', ""):
        shell = subprocess.run(["bash", "-c", f'set -o pipefail; {trap}"$0" {args} 2>"$1" | head -1', report,
                                "/dev/stderr"], capture_output=True, timeout=120)
        check(f"{name}, | head -1 {args}: status", shell.returncode == 0, str(shell.returncode))
        check(f"{name}, | head -1 {args}: output", shell.stdout.count(b"\n") == 1, repr(shell.stdout))
        check(f"{name}, | head -1 {args}: standard error", shell.stderr == b"", shell.stderr.decode(errors="replace"))

# Writes that fail are status 1; /proc/version takes no report.
for target in ("/proc/version", "/nonexistent/dir/report.txt"):
    run = subprocess.run([report, "--machine", machine, "--output", target], capture_output=True, timeout=120)
    check(f"--output {target}: status", run.returncode == 1, str(run.returncode))
    check(f"--output {target}: one line", run.stderr.count(b"\n") == 1, run.stderr.decode(errors="replace"))
run = subprocess.run([report, "--machine", machine], stdout=open("/dev/full", "wb"), stderr=subprocess.PIPE)
check("/dev/full: status", run.returncode == 1, str(run.returncode))
check("/dev/full: message", run.stderr == b"veltrix-report: cannot write to standard output\n", repr(run.stderr))

run = subprocess.run([report, "--category", "16"], capture_output=True)
check("usage: status", run.returncode == 2, str(run.returncode))

for failure in failures:
    print("FAILED:", failure)
sys.exit(1 if failures else 0)
