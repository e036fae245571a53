#!/usr/bin/env bash
# Builds Kelmor on the simulated desktop and runs the demo scenario. Usage: scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh native
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"

output=build/demo
mkdir -p "$output"
build/bin/kelmor-sim scenarios/demo.scn --out "$output"
echo "Screenshot of the desktop: $PWD/$output/demo.png"
echo "Screenshot of the settings window: $PWD/$output/demo_settings.png"
echo "State dump: $PWD/$output/demo.json"
