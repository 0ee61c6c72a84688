#!/usr/bin/env bash
# Builds a Release of the scale benchmarks and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DNODEX_BENCH=ON >/dev/null
cmake --build build-bench --target scale_bench -j"$(nproc)"
QT_QPA_PLATFORM=offscreen build-bench/Nodex/scale_bench "$@"
