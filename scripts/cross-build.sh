#!/usr/bin/env bash
# Cross-builds the Windows program "Kelmor 2.exe" with norvex.dll and the artwork beside it,
# into build-win/bin. Usage: scripts/cross-build.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh cross
# The artwork is drawn by a host tool; build it natively first.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kelmor-artwork
cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DKELMOR_ARTWORK_TOOL="$PWD/build/bin/kelmor-artwork" >/dev/null
cmake --build build-win --parallel "$(nproc)"
ls -l build-win/bin
test -f "build-win/bin/Kelmor 2.exe"
