#!/usr/bin/env bash
# The run's feel, old against new: rides every shipped track with the autopilot and with the
# determinism test's trick sequence at a drawn rate (default 60), on a tree from before the fixed
# clock and on this one, and prints finish time, trick points, collectables, highest flight and
# time in the air side by side. By hand only (a minute or so).
#   scripts/feelTable.sh OLD_TREE [FPS] [TICKS_PER_SECOND]
# OLD_TREE is a checkout from before the fixed clock; its simulation library is built in
# OLD_TREE/build-feel, this tree's is taken from build/ (make data first). TICKS_PER_SECOND rides
# the new tree at another tick length (120 to compare the two). CLKOFF=0.5 shifts the old
# millisecond clock by half a millisecond: the spread that alone gives is the old game's own noise.
set -euo pipefail
old=${1:?usage: scripts/feelTable.sh OLD_TREE [FPS] [TICKS_PER_SECOND]}
fps=${2:-60}
ticks=${3:-60}
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -S "$old" -B "$old/build-feel" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$old/build-feel" -j 2 --target kestrune_sim >/dev/null
g++ -O2 -std=c++17 -DOLD_CLOCK -I"$old/src" "$here/scripts/feelRide.cpp" "$old/build-feel/libkestrune_sim.a" \
    $(ls "$old"/build-feel/libkestrune_{fileio,core,maths}.a 2>/dev/null) -o "$work/old"
g++ -O2 -std=c++17 -I"$here/src" -I"$here/src/sim" "$here/scripts/feelRide.cpp" "$here/build/libkestrune_sim.a" \
    "$here/build/libkestrune_fileio.a" "$here/build/libkestrune_core.a" -o "$work/new"
for track in $(ls "$here/data/tracks"); do
    for seq in autopilot tricks; do
        for rider in loaded bare; do
            o=$("$work/old" "$here/data" "$track" $seq "$fps" $rider)
            n=$(CLKOFF= "$work/new" "$here/data" "$track" $seq "$fps" $rider "$ticks")
            printf '%-11s %-9s %-6s old %s\n%-28s new %s\n' "$track" $seq $rider "${o#*: }" "" "${n#*: }"
        done
    done
done
