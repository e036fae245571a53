#!/usr/bin/env bash
# The idle cost of "Kelmor 2.exe" under Wine: with five Wine programs adopted (wordpad, winecfg,
# notepad, regedit, winemine) and nothing happening, the CPU time over 30 s of Kelmor, the Wine
# server and the adopted programs together, from /proc, as a share of one core. Under qemu's user
# emulation the figure includes the emulation's overhead. The simulation's counterpart is
# bench/idle_bench. Needs build-win/ built (scripts/cross-build.sh).
# Usage: scripts/wine-idle.sh [SECONDS]. Sourced, it only
# defines measure_idle and idle_percent.

# The processes counted: Kelmor, the server and the five programs, matched on their command lines.
idle_process_pattern='Kelmor 2\.exe|wineserver|wordpad\.exe|winecfg\.exe|notepad\.exe|regedit\.exe|winemine\.exe'
idle_programs=(wordpad winecfg notepad regedit winemine)

# A line "TICKS NAME" for each counted process: its CPU time (user and system, all threads) in
# clock ticks, and the counted name its command line holds.
idle_process_ticks() {
  local pid fields name
  for pid in /proc/[0-9]*; do
    # Only this run's processes: other Wine runs on the machine have prefixes of their own.
    { tr '\0' '\n' <"$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    name=$({ tr '\0' ' ' <"$pid/cmdline"; } 2>/dev/null | grep -Eo "$idle_process_pattern" | head -1) || continue
    [ -n "$name" ] || continue
    # The fields after the command's closing parenthesis: utime and stime are the 12th and 13th.
    fields=$(sed -E 's/^.*\) //' "$pid/stat" 2>/dev/null) || continue
    read -r -a stat <<<"$fields"
    echo "$((stat[11] + stat[12])) ${pid#/proc/} $name"
  done
}

# Starts the five programs, waits until Kelmor holds all five, then measures SECONDS (30) of idle
# time; sets idle_percent (one decimal) and idle_program_pids.
measure_idle() {
  local seconds=${1:-30} list=$2
  idle_program_pids=()
  for name in "${idle_programs[@]}"; do
    wine "$name" >"$output/idle-$name.log" 2>&1 &
    idle_program_pids+=($!)
    sleep 3
  done
  local adopted=0
  for _ in $(seq 120); do
    # An adopted window is a child of a border's host; Kelmor's own controls are of its own classes.
    adopted=$(timeout 60 wine "$list" | tr -d '\r' | grep -E '^ +class=.* parent="KelmorControl"' |
      grep -Evc '^ +class="Kelmor' || true)
    [ "$adopted" -ge 5 ] && break
    sleep 1
  done
  echo "idle: $adopted windows adopted"
  # Let the programs finish starting and the adoptions' fades end before measuring.
  sleep 30
  local before after ticks_per_second
  ticks_per_second=$(getconf CLK_TCK)
  idle_process_ticks >"$output/idle-before.txt"
  sleep "$seconds"
  idle_process_ticks >"$output/idle-after.txt"
  # Each process's share, and the sum; a process that ended meanwhile is left out.
  awk -v hz="$ticks_per_second" -v s="$seconds" '
    NR == FNR { before[$2] = $1; next }
    ($2 in before) { used = ($1 - before[$2]) / hz; total += used; printf "idle:   %-14s %6.2f s\n", $3, used }
    END { printf "%.1f\n", 100 * total / s }' "$output/idle-before.txt" "$output/idle-after.txt" >"$output/idle.txt"
  grep '^idle:' "$output/idle.txt" || true
  idle_percent=$(tail -1 "$output/idle.txt")
  echo "idle: $idle_percent % of one core over $seconds s (Kelmor, wineserver and the five programs; includes qemu's emulation)"
  [ "$adopted" -ge 5 ]
}

# Ends the five programs (they are back on the desktop once Kelmor has ended).
end_idle_programs() {
  for pid in "${idle_program_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  set -euo pipefail
  cd "$(dirname "$0")/.."
  bash scripts/install-wine.sh
  source scripts/wine-common.sh
  start_wine_run idle
  start_display
  trap 'wineserver -k 2>/dev/null || true; stop_display' EXIT
  wine "$PWD/build-win/bin/Kelmor 2.exe" >"$output/kelmor.log" 2>&1 &
  sleep 20
  measure_idle "${1:-30}" "$PWD/build-win/bin/window-list.exe"
fi
