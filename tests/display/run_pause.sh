#!/usr/bin/env bash
# P pauses a run: the PAUSED panel shows over a frame that stands still, P again goes on, and the run
# is ridden to the finish, the name entry and the score table. Set KES_SHOTS_DIR to keep the screenshots.
set -u
game=$1 root=$2
ride_seconds=${KES_RIDE_SECONDS:-70}
source "$root/tests/support/display.sh"
kes_prepare "$root"
rm -f "$work"/data/tracks/*/top.sc "$work/data/prefs/user.prefs"
kes_start_display || exit 1

shot() {
    kes_shot "shots/$1.png"
    [ "$(kes_colours "shots/$1.png")" -gt 16 ] || kes_fail "the $1 screenshot is nearly uniform"
}
# Differing pixels of two screenshots.
differing() {
    local n
    n=$(compare -metric AE "shots/$1.png" "shots/$2.png" null: 2>&1 | cut -d' ' -f1)
    case "$n" in ''|*[!0-9]*) echo 0 ;; *) echo "$n" ;; esac
}

kes_launch "$game" game.log 4
kes_to_run
kes_key space 0.3       # countdown
sleep 3
kes_push_for 4
shot riding
kes_key p
sleep 0.5
shot paused
kes_key j 0.3           # a trick key during the pause: nothing moves
sleep 2
shot paused_later
[ "$(differing paused paused_later)" -eq 0 ] || kes_fail "the paused frame changed"
[ "$(differing riding paused)" -gt 0 ] || kes_fail "no PAUSED panel"
kes_key p               # go on
sleep 1
shot resumed
[ "$(differing paused resumed)" -gt 0 ] || kes_fail "the run did not go on after P"
kes_push_for "$ride_seconds"
shot finish
kes_key Return; sleep 1.5  # name entry
kes_enter_initials
sleep 1
shot scores
grep -l "AGV" data/tracks/*/top.sc >/dev/null || kes_fail "the paused run was not scored"
kes_press Return; sleep 1; kes_press Escape; sleep 1; kes_press Escape; sleep 1
kes_key Escape
for _ in $(seq 50); do kill -0 "$KES_GAME_PID" 2>/dev/null || break; sleep 0.2; done
kill -0 "$KES_GAME_PID" 2>/dev/null && kes_fail "the game did not quit"
echo "pause: ok"
