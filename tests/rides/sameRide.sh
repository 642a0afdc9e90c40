#!/bin/bash
# kesride gives the same ride at drawn rates 20, 30, 60 and 120 on every shipped track, for the
# autopilot and for a hand-written input; a bad input line is refused with its number and status 2.
set -u
kesride=$1
root=$2
data=$root/data
fail() { echo "FAIL: $*"; exit 1; }
strip() { sed 's/"drawRate":[0-9.]*, //'; }

tracks=$(ls "$data/tracks")
[ -n "$tracks" ] || fail "no tracks in $data"
for track in $tracks; do
    for input in --autopilot "--input $root/tests/rides/tricks.ride"; do
        first=""
        for rate in 20 30 60 120; do
            line=$("$kesride" --data "$data" --track "$track" --draw-rate $rate $input --max-seconds 150) ||
                fail "$track $input at $rate: status $?"
            echo "$line"
            [ -n "$first" ] || first=$(echo "$line" | strip)
            [ "$(echo "$line" | strip)" = "$first" ] || fail "$track $input at $rate differs from 20: $line"
        done
    done
done
"$kesride" --data "$data" --track meadow --autopilot | grep -q '"finished":true' || fail "the autopilot does not finish Meadow"

bad=$(mktemp)
trap 'rm -f "$bad"' EXIT
printf '0 jump\n# a comment\n100 up\n200 up sideways\n' > "$bad"
why=$("$kesride" --data "$data" --track meadow --input "$bad" 2>&1 >/dev/null)
status=$?
[ $status -eq 2 ] || fail "a bad line gave status $status"
echo "$why" | grep -q "line 4" || fail "the refusal does not name line 4: $why"
"$kesride" --help | grep -q -- "--draw-rate" || fail "--help does not tell --draw-rate"
"$kesride" --data "$data" >/dev/null 2>&1
[ $? -eq 2 ] || fail "a command line without a track is not refused with 2"
echo "kesride: the same ride at every drawn rate"
