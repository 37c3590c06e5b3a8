#!/usr/bin/env bash
# quillet-cli next to bc -l on the same work, in one run: one invocation each, and a batch
# of 10,000 lines on standard input.
set -euo pipefail
cli=${1:?usage: cli_vs_bc.sh path/to/quillet-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/.config XDG_DATA_HOME=$work/.local/share

for i in $(seq 1 10000); do echo "$((i % 97)) + $((i % 13)) × $((i % 7 + 1)) ="; done >"$work/cli.txt"
for i in $(seq 1 10000); do echo "$((i % 97)) + $((i % 13)) * $((i % 7 + 1))"; done >"$work/bc.txt"

# Same answers first.
"$cli" <"$work/cli.txt" | sed 's/d$//' >"$work/cli.out"
bc -l <"$work/bc.txt" >"$work/bc.out"
cmp -s "$work/cli.out" "$work/bc.out" || { echo "quillet-cli and bc disagree"; exit 1; }

seconds() {  # seconds for running "$@" N times
    local n=$1
    shift
    local start end
    start=$(date +%s.%N)
    for _ in $(seq 1 "$n"); do "$@" >/dev/null; done
    end=$(date +%s.%N)
    echo "($end - $start) / $n" | bc -l
}
if command -v hyperfine >/dev/null; then
    hyperfine -N --warmup 20 --runs 300 "$cli 2 + 3 × 4 =" "bc -l /dev/null" 2>&1 | grep -E 'Benchmark|Time|faster|±'
fi
runs=200
cli_one=$(seconds $runs "$cli" 2 + 3 × 4 =)
bc_one=$(seconds $runs sh -c 'echo "2 + 3 * 4" | bc -l')
bc_bare=$(seconds $runs bc -l /dev/null)
cli_batch=$(seconds 5 sh -c "\"$cli\" <\"$work/cli.txt\"")
bc_batch=$(seconds 5 sh -c "bc -l <\"$work/bc.txt\"")
if command -v valgrind >/dev/null; then
    instructions() { valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null | sed -n 's/.*Collected : //p'; }
    echo "instructions of one invocation: quillet-cli $(instructions "$cli" 2 + 3 × 4 =)   bc -l $(instructions bc -l /dev/null)"
fi
printf 'one invocation:  quillet-cli %.2f ms   bc -l %.2f ms (bc -l alone, no pipe: %.2f ms)\n' \
    "$(echo "$cli_one * 1000" | bc -l)" "$(echo "$bc_one * 1000" | bc -l)" "$(echo "$bc_bare * 1000" | bc -l)"
printf '10,000 lines:    quillet-cli %.2f ms   bc -l %.2f ms\n' \
    "$(echo "$cli_batch * 1000" | bc -l)" "$(echo "$bc_batch * 1000" | bc -l)"
