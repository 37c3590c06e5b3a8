#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUILLET_TESTS=OFF -DQUILLET_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)"
for bench in build-bench/quillet_*_bench; do "$bench"; done
if [ -f bench/cli_vs_bc.sh ]; then bash bench/cli_vs_bc.sh build-bench/quillet-cli; fi
