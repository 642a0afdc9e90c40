#!/bin/bash
# kesride writes a ride as a best run and rides it again to the same line, matched; the same file with
# its score changed rides again unmatched, and one cut short is refused with status 2.
set -u
kesride=$1
root=$2
data=$root/data
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
best=$work/best.run
ridden=$("$kesride" --data "$data" --track ironpark --draw-rate 144 --input "$root/tests/rides/tricks.ride" \
    --save-best-run "$best") || fail "the ride was not kept: status $?"
echo "$ridden"
again=$("$kesride" --data "$data" --best-run "$best") || fail "the best run did not ride again: status $?"
echo "$again"
echo "$again" | grep -q '"matched":true' || fail "the re-ride does not match: $again"
field() { echo "$1" | grep -o "\"$2\":[^,}]*"; }
for f in score time collectables falls maxHeight airTime finished; do
    [ "$(field "$ridden" $f)" = "$(field "$again" $f)" ] || fail "$f differs: $(field "$ridden" $f) / $(field "$again" $f)"
done
# The score is the u32 after the two names: magic 4, version 2, "ironpark" 9, "tolvek" 7, count 4.
printf '\x7f' | dd of="$best" bs=1 seek=26 conv=notrunc status=none
edited=$("$kesride" --data "$data" --best-run "$best") || fail "an edited score was not ridden: status $?"
echo "$edited"
echo "$edited" | grep -q '"matched":false, "why":"it rides to another score"' || fail "an edited score matched: $edited"
head -c 300 "$best" > "$work/short.run"
"$kesride" --data "$data" --best-run "$work/short.run" >/dev/null 2>&1
[ $? -eq 2 ] || fail "a truncated best run was not refused with 2"
"$kesride" --help | grep -q -- "--best-run" || fail "--help does not tell --best-run"
echo "kesride: a best run rides again to its score and time"
