#!/usr/bin/env bash
# Builds the settings loader's fuzz target with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ and runs it for a minute; any finding fails.
# Usage: scripts/fuzz.sh [seconds]   (default: 60)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
bash scripts/install-deps.sh fuzz
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMOR_SANITIZE=ON >/dev/null
grep -q '^KELMOR_HAS_LIBFUZZER:INTERNAL=1' build-fuzz/CMakeCache.txt \
  || { echo "fuzz: clang here cannot link libFuzzer (-fsanitize=fuzzer)" >&2; exit 1; }
cmake --build build-fuzz --parallel "$(nproc)" --target settings_fuzz
# The corpus grows across runs on the same machine; findings land beside it.
mkdir -p build-fuzz/corpus build-fuzz/findings
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
build-fuzz/bench/settings_fuzz -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix=build-fuzz/findings/ build-fuzz/corpus
