#!/usr/bin/env bash
# Runs the conformance probes (tests/conformance/) on the simulated desktop and, built for Windows, under Wine
# on a virtual X display, and compares the two outputs line by line. Lines whose key is listed
# among the known differences in tests/conformance/README.md are left out of the comparison and shown
# side by side instead. Needs build/ and build-win/ built (scripts/test.sh and
# scripts/cross-build.sh). Usage: scripts/wine-conformance.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-wine.sh
source scripts/wine-common.sh
start_wine_run conformance shared
cmake --build build --target conformance_probe >/dev/null

build/tests/conformance/conformance-probe >"$output/sim.txt"
start_display 1920x1080
timeout 300 wine build-win/bin/conformance-probe.exe 2>"$output/wine-errors.txt" | tr -d '\r' >"$output/wine.txt" || true
wineserver -k 2>/dev/null || true
stop_display

for build in sim wine; do
  grep -qx 'probes: done' "$output/$build.txt" \
    || { echo "conformance: the $build run did not finish (see $output/$build.txt)" >&2; exit 1; }
done

# The known differences: the README's lines "- `KEY`: reason", where KEY may hold * and ?.
mapfile -t known < <(sed -n 's/^- `\([^`]*\)`.*/\1/p' tests/conformance/README.md)
is_known() {
  local pattern
  for pattern in "${known[@]}"; do
    # shellcheck disable=SC2053  # the pattern is meant to match as a pattern
    [[ $1 == $pattern ]] && return 0
  done
  return 1
}
split() {
  local line
  : >"$output/$1-compared.txt"
  : >"$output/$1-known.txt"
  while IFS= read -r line; do
    if is_known "${line%%: *}"; then
      echo "$line" >>"$output/$1-known.txt"
    else
      echo "$line" >>"$output/$1-compared.txt"
    fi
  done <"$output/$1.txt"
}
split sim
split wine

echo "conformance: known differences (simulation | Wine):"
diff --side-by-side --suppress-common-lines --width=160 "$output/sim-known.txt" "$output/wine-known.txt" || true
compared=$(wc -l <"$output/sim-compared.txt")
if diff -u "$output/sim-compared.txt" "$output/wine-compared.txt" >"$output/differences.diff"; then
  echo "conformance: $compared lines agree; $(wc -l <"$output/sim-known.txt") lines are known to differ or depend on the theme"
  exit 0
fi
cat "$output/differences.diff"
echo "conformance: the simulation and Wine differ in $(grep -c '^-[^-]' "$output/differences.diff") of $compared lines (see $output)"
exit 1
