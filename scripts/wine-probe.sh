#!/usr/bin/env bash
# Runs the effects library's 32-bit DLL under Wine through norvex-probe, once for each kernel path
# (scalar, SSE2, and AVX2 where the processor has it), and compares every case with the same
# probe built natively on the simulated desktop. Needs build/ and build-win/ built (scripts/test.sh
# and scripts/cross-build.sh). Usage: scripts/wine-probe.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-wine.sh
source scripts/wine-common.sh
start_wine_run probe shared
cmake --build build --target norvex_probe >/dev/null

paths=(scalar sse2)
if grep -qw avx2 /proc/cpuinfo; then
  paths+=(avx2)
else
  echo "norvex-probe: this processor has no AVX2; that path is not run"
fi

NORVEX_KERNEL_PATH=scalar build/tests/norvex-probe >"$output/reference.txt"
cases=$(sed -n 's/^cases //p' "$output/reference.txt")
[ -n "$cases" ] || { echo "norvex-probe: the native reference did not finish" >&2; exit 1; }

passed=0
failed=0
for path in "${paths[@]}"; do
  for build in native wine; do
    result="$output/$build-$path.txt"
    if [ "$build" = native ]; then
      NORVEX_KERNEL_PATH=$path build/tests/norvex-probe >"$result"
    else
      NORVEX_KERNEL_PATH=$path timeout 300 wine build-win/bin/norvex-probe.exe | tr -d '\r' >"$result" || true
    fi
    differing=$(diff "$output/reference.txt" "$result" | grep -c '^>' || true)
    if grep -qx "cases $cases" "$result"; then
      failed=$((failed + differing))
      passed=$((passed + cases - differing))
    else
      echo "norvex-probe: the $build run of the $path path did not finish (see $result)"
      failed=$((failed + cases))
    fi
    [ "$differing" -eq 0 ] || diff "$output/reference.txt" "$result" | head -20
    echo "norvex-probe: $build, $path path: $differing of $cases cases differ from the native scalar run"
  done
done
wineserver -k 2>/dev/null || true
echo "norvex-probe: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
