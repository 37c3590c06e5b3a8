#!/usr/bin/env bash
# Builds Quillet with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DQUILLET_SANITIZE=ON >/dev/null
cmake --build build-test -j"$(nproc)"
# Each fuzz target for a few seconds from its seeds: the whole step stays under two minutes.
bash scripts/fuzz.sh 10
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-test && ctest --output-on-failure --timeout 600 -j"$(nproc)"
