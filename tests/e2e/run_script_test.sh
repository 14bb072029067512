#!/usr/bin/env bash
# ./run.sh > report.txt must capture the report alone: run.sh is copied
# beside stand-ins for the installer, the build and veltrix-report that all
# talk on standard output, and only the report may reach it.
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/scripts" "$work/build-release/cli"
cp "$source/run.sh" "$work/"
for script in scripts/install-deps.sh scripts/build-programs.sh; do
  printf '#!/bin/sh\necho "chatter of %s"\necho "warning: from %s" >&2\n' "$script" "$script" >"$work/$script"
done
printf '#!/bin/sh\necho "the report"\n' >"$work/build-release/cli/veltrix-report"
chmod +x "$work/scripts/"*.sh "$work/build-release/cli/veltrix-report"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/run.sh" 2>"$work/err")
if [ "$out" != "the report" ]; then
  echo "standard output held more than the report:"; echo "$out"; exit 1
fi
grep -q "chatter of scripts/build-programs.sh" "$work/err" || { echo "the build's output was lost"; exit 1; }
echo "standard output holds the report alone; the build talks on standard error"
