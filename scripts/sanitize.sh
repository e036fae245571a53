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
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)" --timeout 900
