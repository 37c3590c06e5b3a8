#!/usr/bin/env bash
# Builds the calculator window's random-key soak with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs it for KEYS keys (100000 by default, as the tests run it)
# from SEED (the tests' own by default): scripts/soak.sh [KEYS [SEED]].
set -euo pipefail
cd "$(dirname "$0")/.."
keys="${1:-100000}"
bash scripts/deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DQUILLET_SANITIZE=ON >/dev/null
cmake --build build-test -j"$(nproc)" --target quillet_soak
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QUILLET_SOAK_KEYS="$keys"
# Qt Test stops a test function after five minutes unless told otherwise: allow 10 ms a key.
export QTEST_FUNCTION_TIMEOUT=$((300000 + keys * 10))
if [ $# -ge 2 ]; then export QUILLET_SOAK_SEED="$2"; fi
build-test/quillet_soak
