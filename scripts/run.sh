#!/usr/bin/env bash
# Builds Quillet and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUILLET_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
if [ -x build/quillet ]; then
    exec build/quillet "$@"
fi
exec build/quillet-cli "$@"
