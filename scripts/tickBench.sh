#!/usr/bin/env bash
# One simulated tick of the busiest track, before the fixed clock and now: builds the benchmark of
# a tree from before it (in OLD_TREE/build-feel) and this tree's (in build/), then runs the two in
# turn ROUNDS times from this tree (its data/), with the machine's load before each. By hand only.
#   scripts/tickBench.sh OLD_TREE [ROUNDS]
set -euo pipefail
old=${1:?usage: scripts/tickBench.sh OLD_TREE [ROUNDS]}
rounds=${2:-3}
here=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$old" -B "$old/build-feel" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$old/build-feel" -j 2 --target kestrune_bench >/dev/null
cmake --build "$here/build" -j 2 --target kestrune_bench >/dev/null
cd "$here"
for i in $(seq "$rounds"); do
    for tree in old new; do
        bench=$([ $tree = old ] && echo "$old/build-feel/bench/kestrune_bench" || echo "$here/build/bench/kestrune_bench")
        echo "$tree, $(uptime | sed 's/.*load/load/')"
        "$bench" --benchmark_filter=BM_SimulateGameFrame 2>/dev/null | awk '/_median/ { print "  " $1, $2, $3, "(cpu " $4, $5 ")" }'
    done
done
