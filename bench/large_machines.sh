#!/usr/bin/env bash
# Writes the whole report of large machine files as veltrix-report would, one
# process each, and prints each file's size, the peak memory and processor
# time of the whole run (from the file's bytes to the report's bytes), and
# what each part cost: the document, the simulated machine, the collectors
# and the report. USB devices, printers, registry entries and logical
# drives, 10,000 and 100,000 of each, compact and pretty-printed. A process
# that reports an empty machine gives the baseline the runs are measured
# against. veltrix-report itself refuses files over 16 MiB; the benchmark
# reads them all, so that both sizes of every kind can be compared.
set -euo pipefail
cd "$(dirname "$0")/.."
bench=build/bench/veltrix_large_machines_bench
peak=build/bench/peak-memory
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
echo '{}' >"$dir/empty.json"
echo "baseline: $("$peak" "$bench" --report "$dir/empty.json" 2>/dev/null)"
for kind in UsbDevices Printers RegistryEntries LogicalDrives; do
  for form in compact pretty; do
    for count in 10000 100000; do
      file="$dir/$kind-$count-$form.json"
      "$bench" --write "$kind" "$count" "$form" "$file"
      run=$("$peak" "$bench" --report "$file" 2>"$dir/steps")
      echo "$kind $count $form: $(stat -c %s "$file") bytes; ${run#*: }; $(head -n1 "$dir/steps")"
      rm -f "$file"
    done
  done
done
