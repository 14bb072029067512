#!/usr/bin/env bash
# veltrix-capture's refusals of what it is given stay one short line: an
# unknown option, a stray operand and a directory path of 100 KB are quoted
# only in part (their start and their length), status 2, nothing captured.
# (The directory is refused before anything is read: under a plain file.)
#
# usage: capture_arguments_test.sh VELTRIX_CAPTURE
set -euo pipefail
capture=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
long=$(head -c 100000 /dev/zero | tr '\0' x)
: >"$work/file"
for case in unknown operands path; do
  status=0
  case $case in
    unknown) "$capture" "--$long" >"$work/out" 2>"$work/err" || status=$? ;;
    operands) "$capture" "$work/a" "$long" >"$work/out" 2>"$work/err" || status=$? ;;
    path) "$capture" "$work/file/$long" >"$work/out" 2>"$work/err" || status=$? ;;
  esac
  [ "$status" -eq 2 ] || { echo "$case: status $status, not 2"; head -c 2000 "$work/err"; exit 1; }
  [ "$(wc -l <"$work/err")" -eq 1 ] || { echo "$case: not one line"; head -c 2000 "$work/err"; exit 1; }
  [ "$(wc -c <"$work/err")" -lt 1000 ] || { echo "$case: $(wc -c <"$work/err") bytes of error"; exit 1; }
  grep -q '^veltrix-capture: ' "$work/err" || { echo "$case:"; cat "$work/err"; exit 1; }
done
grep -q 'bytes)' "$work/err" || { echo "the long path is not said to be cut:"; cat "$work/err"; exit 1; }
echo "veltrix-capture quotes the start of a long argument in its one error line"
