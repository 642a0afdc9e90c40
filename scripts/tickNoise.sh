#!/usr/bin/env bash
# The run at 60 ticks a second against 120, measured past its own sensitivity: every shipped track
# ridden by the autopilot (loaded and bare rider) with the rider's weight changed by 0, 1, 2 ...
# parts in 100,000, a change no player could feel that still moves a crest's take-off within its
# tick (and a booster's last 1/60 s kick). Prints, per track and rider, the first ride's highest
# flight at both tick lengths, then the mean and standard error over the N rides of the highest
# flight, finish and score, and 120's mean against 60's. By hand only (a third of a second a ride;
# 8 rides of the four tracks at both lengths, some 40 s). Needs build/ (make data first).
#   scripts/tickNoise.sh [N] [TRACK ...]
set -euo pipefail
n=${1:-8}
shift || true
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -O2 -std=c++17 -I"$here/src" -I"$here/src/sim" "$here/scripts/feelRide.cpp" "$here/build/libkestrune_sim.a" \
    "$here/build/libkestrune_fileio.a" "$here/build/libkestrune_core.a" -o "$work/ride"
tracks=${*:-$(ls "$here/data/tracks")}
for track in $tracks; do
    for rider in loaded bare; do
        for k in $(seq 0 $((n - 1))); do
            scale=$(awk -v k="$k" 'BEGIN { printf "%.5f", 1 + k * 1e-5 }')
            for hz in 60 120; do
                echo "$hz $("$work/ride" "$here/data" "$track" autopilot 60 $rider $hz "$scale")"
            done
        done | awk -v t="$track" -v r="$rider" '
            function field(k,   i) { for (i = 1; i < NF; i++) if ($i == k) return $(i + 1) }
            { h = field("highest"); f = field("finish"); s = field("score"); c = $1
              if (!(c in first)) first[c] = h
              m[c] += h; q[c] += h * h; fs[c] += f; ss[c] += s; cnt[c]++ }
            function mean(a, c) { return a[c] / cnt[c] }
            function se(c,   mu) { mu = mean(m, c); return sqrt((q[c] / cnt[c] - mu * mu) / (cnt[c] - 1)) }
            END { printf "%-11s %-6s first %5.0f / %5.0f  highest %5.0f+-%-3.0f / %5.0f+-%-3.0f %+5.1f %%  finish %+5.2f %%  score %+5.1f %%\n",
                  t, r, first[60], first[120], mean(m, 60), se(60), mean(m, 120), se(120),
                  100 * (mean(m, 120) / mean(m, 60) - 1), 100 * (mean(fs, 120) / mean(fs, 60) - 1),
                  100 * (mean(ss, 120) / mean(ss, 60) - 1) }'
    done
done
