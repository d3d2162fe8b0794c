#!/usr/bin/env bash
# Runs one fuzz target for a number of seconds:
#   run_target.sh <fuzzer binary> <tests/fuzz folder> <work folder> <seconds>
# The committed seed corpus corpus/<target>/ is read, never written: libFuzzer adds
# the inputs it finds to <work>/<target>/corpus/, and a crashing input lands in
# <work>/<target>/artifacts/. Ends with one line: executions, seconds, corpus size.
set -uo pipefail
binary=$1 source=$2 work=$3 seconds=$4
name=$(basename "$binary")
target=${name%_fuzzer}
seeds="$source/corpus/$target"
out="$work/$target"
mkdir -p "$out/corpus" "$out/artifacts"
[ -d "$seeds" ] || { echo "fuzz $target: no seed corpus $seeds" >&2; exit 1; }

args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
  -artifact_prefix="$out/artifacts/")
[ -f "$source/$target.dict" ] && args+=(-dict="$source/$target.dict")
symbolizer=$(command -v llvm-symbolizer || command -v llvm-symbolizer-14 || true)
[ -n "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH="$symbolizer"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

log="$out/last_run.log"
"$binary" "${args[@]}" "$out/corpus" "$seeds" >"$log" 2>&1
status=$?
runs=$(grep -E '^stat::number_of_executed_units:' "$log" | awk '{print $2}' | tail -n1)
inputs=$(find "$out/corpus" "$seeds" -type f | wc -l)
if [ $status -ne 0 ]; then
  tail -n 60 "$log"
  echo "fuzz $target: FAILED (exit $status) after ${runs:-?} executions; input in $out/artifacts/"
  exit $status
fi
echo "fuzz $target: ${runs:-?} executions in $seconds s, corpus $inputs inputs"
