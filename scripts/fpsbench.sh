#!/usr/bin/env bash
# Frame rate of a scripted run under Xvfb and Mesa's software renderer, with the 60 fps cap lifted.
# Builds the measurement-only game in build-fps, rides TRACK_INDEX (0 = first track in sorted order)
# pushing for SECONDS, leaves the run (ESC, or ENTER past the finish) and prints the mean frame rate the game reports.
# SIZE (WIDTHxHEIGHT, default 800x600) is the game window's, set through gfx.prefs.
# KES_BEST_RUN=FILE puts a best.run into every track of the scratch data, so that the run races its
# ghost when FILE belongs to the track ridden (to measure what drawing the ghost costs).
# KES_SMOOTH_HAZE=1 rides with both renderer settings on (smooth far textures and distance haze).
# Prints every whole second's frame count (seconds from the run's start:frames), then the mean.
# Usage: scripts/fpsbench.sh [TRACK_INDEX] [SECONDS] [SIZE]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
track=${1:-1} seconds=${2:-30} size=${3:-800x600}
cmake -S "$root" -B "$root/build-fps" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRUNE_NO_FRAME_CAP=ON \
    -DKESTRUNE_BENCH=OFF >/dev/null
cmake --build "$root/build-fps" -j "$(nproc)" --target kestrune kescontent >/dev/null
[ -d "$root/data/tracks" ] || cmake --build "$root/build-fps" --target data >/dev/null
source "$root/tests/support/display.sh"
trap kes_cleanup EXIT
kes_scratch_copy "$root" || kes_fail "cannot copy the data"
kes_gfx_prefs "$size" data/prefs/gfx.prefs "${KES_SMOOTH_HAZE:-0}"
rm -f data/tracks/*/best.run
if [ -n "${KES_BEST_RUN:-}" ]; then for t in data/tracks/*/; do cp "$KES_BEST_RUN" "$t/best.run"; done; fi
export KES_SCREEN=1920x1080 KES_GAME_SIZE=$size
kes_start_display || exit 1
kes_launch "$root/build-fps/kestrune" game.log 4
kes_press Up 4; kes_press Return; sleep 1; kes_press Return; sleep 1
kes_press Left 8; kes_press Right "$track"; kes_press Return; sleep 6
kes_key space 0.3; sleep 3
kes_push_for "$seconds"
kes_key Escape; sleep 2
# Past the finish ESC no longer leaves the run; ENTER does, once the rider is on the ground.
for _ in 1 2 3; do grep -q "run frames" game.log && break; kes_key Return; sleep 2; done
# each whole second's frames, "at:frames", so that a slow second can be placed in the run
grep "run slow frame" game.log | head -20
grep "run second" game.log | awk '{printf "%s:%s ", $4, $6} END {print ""}'
grep "run frames" game.log || { tail -5 game.log; kes_fail "no frame rate reported"; }
rm -rf "$work"
