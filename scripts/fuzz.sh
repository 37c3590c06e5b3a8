#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for SECONDS (60 by default), starting from its seeds in fuzz/corpus/<target>/.
# The inputs it learns stay in build-fuzz/corpus/<target>/ for the next run; an input that breaks
# a target is written to build-fuzz/crashes/ and makes the run fail.
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang libclang-rt-14-dev

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLET_FUZZ=ON \
    -DQUILLET_TESTS=OFF -DQUILLET_SCREENS=OFF "${launcher[@]}" >/dev/null
targets=(PasteFuzzer CliFuzzer EngineKeysFuzzer SettingsFileFuzzer StoreFileFuzzer)
if ! cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}" >build-fuzz/build.log 2>&1; then
    tail -n 40 build-fuzz/build.log
    echo "fuzz: the targets did not build (see build-fuzz/build.log)" >&2
    exit 1
fi

mkdir -p build-fuzz/crashes
failed=()
for target in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$target"
    log="build-fuzz/$target.log"
    if ! "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/crashes/$target-" "build-fuzz/corpus/$target" "fuzz/corpus/$target" \
        >"$log" 2>&1; then
        failed+=("$target")
        grep -E "invariant broken|ERROR|runtime error|SUMMARY|Test unit written" "$log" | head -n 8 || true
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    echo "fuzz $target: ${runs:-0} executions in ${seconds} s"
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: broken by an input: ${failed[*]} (see build-fuzz/*.log and build-fuzz/crashes/)" >&2
    exit 1
fi
