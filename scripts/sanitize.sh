#!/usr/bin/env bash
# Builds Kelmor with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs
# every test and scenario under them. Usage: scripts/sanitize.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh native
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMOR_SANITIZE=ON >/dev/null
cmake --build build-asan --parallel "$(nproc)"
# Leaks count as findings too; a finding makes the test fail.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
# The random settings files run a third as many cases here: under the sanitizers the full 3000
# take most of the time-out, and the fuzz target covers the store besides.
export KELMOR_SETTINGS_RANDOM_CASES=${KELMOR_SETTINGS_RANDOM_CASES:-1000}
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)" --timeout 900
