#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for the given seconds, each from the seed corpus in
# fuzz/corpus/<target>/ (which also holds every input that once made a reader fail, so each
# run replays them first). New inputs go to <build>/corpus/<target>/, crashes to
# <build>/artifacts/. Prints one line per target; on a fault, its log, and exits 1.
set -euo pipefail
build=${1:?usage: run-fuzz.sh BUILD_DIR [SECONDS]}
seconds=${2:-60}
seeds="$(dirname "$0")/../fuzz/corpus"
mkdir -p "$build/artifacts"
status=0
for fuzzer in "$build"/fuzz/*_fuzz; do
  target=$(basename "$fuzzer" _fuzz)
  corpus="$build/corpus/$target"
  log="$build/artifacts/$target.log"
  mkdir -p "$corpus"
  if "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 \
       -artifact_prefix="$build/artifacts/$target-" "$corpus" "$seeds/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    files=$(find "$corpus" -type f | wc -l)
    echo "$target: $runs runs, $speed exec/s, corpus $files files"
  else
    echo "$target: FAULT (log: $log)"
    grep -E -A30 "ERROR|runtime error|deadly signal" "$log" | head -60
    status=1
  fi
done
exit $status
