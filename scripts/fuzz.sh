#!/usr/bin/env bash
# Builds the fuzz targets (the settings loader, the reading of pictures) with clang's libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer, every library instrumented for coverage, into
# build-fuzz/ and runs each for its share of the time; any finding fails.
# Usage: scripts/fuzz.sh [seconds]   (default: 60, split between the targets)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
bash scripts/install-deps.sh fuzz
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMOR_SANITIZE=ON \
  -DKELMOR_FUZZ=ON >/dev/null
grep -q '^KELMOR_HAS_LIBFUZZER:INTERNAL=1' build-fuzz/CMakeCache.txt \
  || { echo "fuzz: clang here cannot link libFuzzer (-fsanitize=fuzzer)" >&2; exit 1; }
cmake --build build-fuzz --parallel "$(nproc)" --target settings_fuzz image_fuzz
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
# Each corpus grows across runs on the same machine; findings land beside it. The pictures start
# from the program's own skin files.
mkdir -p build-fuzz/corpus/settings build-fuzz/corpus/image build-fuzz/findings
cp -n build-fuzz/bin/*.{tpci,rcol,refl,cbox,vee,cbg,mlt} build-fuzz/corpus/image/ 2>/dev/null || true
share=$((seconds / 2))
for target in settings image; do
  echo "fuzz: ${target}_fuzz for ${share} s"
  build-fuzz/bench/${target}_fuzz -max_total_time="$share" -print_final_stats=1 -rss_limit_mb=4096 \
    -artifact_prefix=build-fuzz/findings/ build-fuzz/corpus/$target
done
