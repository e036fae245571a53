#!/usr/bin/env bash
# Runs the fault sweep at every position: a fault of ours at each Windows call of the program's own
# code in the one-window and the four-window runs of tests/system/fault_sweep_test.cpp, split
# between processes, and prints how many runs and windows each part checked and how many windows
# did not come back as they were. Needs the native build (build/). Usage: scripts/fault-sweep.sh [JOBS]
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=${1:-6}
output=$(mktemp -d)
pids=()
for offset in $(seq 0 $((jobs - 1))); do
  KELMOR_FAULT_SWEEP_STRIDE=$jobs KELMOR_FAULT_SWEEP_OFFSET=$offset \
    build/tests/system_tests --gtest_filter='FaultSweep.*' >"$output/part-$offset.log" 2>&1 &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || true; done
grep -h 'calls,' "$output"/part-*.log | sort
awk '/calls,/ { name = $1 " " $2; runs[name] += $5; windows[name] += $7; lost[name] += $9 }
  END { for (name in runs) printf "%s all positions: %d runs, %d windows, %d not back as they were\n", name, runs[name], windows[name], lost[name] }' \
  "$output"/part-*.log
if grep -q 'FAILED' "$output"/part-*.log; then
  grep -h -m 20 'fault after' "$output"/part-*.log || true
  echo "fault sweep: FAILED (logs in $output)"
  exit 1
fi
echo "fault sweep: passed (logs in $output)"
