#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each one for
# SECONDS (default 60), one line per target. New inputs go to
# build-fuzz/fuzz-corpus/<name>/ (the seeds in fuzz/corpus/ stay as they
# are); an input that fails is kept in build-fuzz/fuzz-artifacts/.
#   fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(alsa codepage cups_reply display_replies drive_replies edid ethtool_drvinfo id_database input_devices
           meminfo os_release power_supply privacy reply_file sim_file spooler_answer stored_form usb_descriptors usb_hub_replies
           volume_files)
fi
build=build-fuzz
lock=/tmp/veltrix-build.lock
if [ ! -f "$build/build.ninja" ]; then
  flock "$lock" cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DVELTRIX_FUZZ=ON \
    -DBUILD_TESTING=OFF -DVELTRIX_BENCH=OFF >/dev/null
fi
flock "$lock" cmake --build "$build" --target "${targets[@]/%/_fuzz}" | { grep -vE '^\[[0-9]+/[0-9]+\]|^ninja: no work to do' || true; }

status=0
mkdir -p "$build/fuzz-artifacts"
for name in "${targets[@]}"; do
  corpus="$build/fuzz-corpus/$name"
  log="$build/fuzz-artifacts/$name.log"
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 -print_final_stats=1
           -artifact_prefix="$build/fuzz-artifacts/$name-")
  [ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")
  if "$build/fuzz/$name"_fuzz "${options[@]}" "$corpus" "fuzz/corpus/$name" >"$log" 2>&1; then
    result=ok
  else
    result="FAILED, see $log"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "$name: ${runs:-0} runs in ${seconds} s, $result"
done
exit "$status"
