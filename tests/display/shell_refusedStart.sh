#!/usr/bin/env bash
# Starts the game where it cannot run: with a data folder that lacks start-up files, then without a
# display (where no data is found at all is shell_folders' case). Each time
# it must leave at once with a non-zero status and one English line saying why, and open nothing.
set -u
game=$1 root=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Runs the game with a time limit; sets rc and out (what it printed).
start() {
    out=$(timeout 20 "$@" "$game" 2>&1); rc=$?
    [ $rc -ne 124 ] || fail "the game did not leave within 20 s: $out"
}

[ -f "$root/data/gui/logo.bmp" ] || fail "no generated data in $root/data"
mkdir -p data/gui
cp "$root/data/gui/logo.bmp" data/gui/   # enough to be taken for the data folder, not to start
start env DISPLAY=:0
[ $rc -eq 2 ] || fail "incomplete data: exit status $rc ($out)"
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || fail "incomplete data: more than one line: $out"
printf '%s\n' "$out" | grep -q "data folder .*data is incomplete (.*data/gui/Font.bmp is missing" ||
    fail "incomplete data: '$out'"

rm -rf data
ln -s "$root/data" data
start env -u DISPLAY
refused() { [ $rc -ne 0 ] && { [ $rc -lt 128 ] || [ $rc -eq 255 ]; }; }  # a status, not a signal
refused || fail "DISPLAY unset: exit status $rc ($out)"
printf '%s\n' "$out" | grep -q "^Kestrune cannot start: no display (DISPLAY is not set)$" || fail "DISPLAY unset: '$out'"

start env DISPLAY=:4999
refused || fail "no X server: exit status $rc ($out)"
printf '%s\n' "$out" | grep -q 'the X display ":4999" cannot be opened' || fail "no X server: '$out'"
echo "refused start: ok"
