#!/usr/bin/env bash
# A whole evening's road through the game, keys sent to the real window as a player presses them:
# set-up dialog, intro, Play, another rider and back, a track, the run with pushes and a held trick over
# the finish, three initials, the score table, back to the home menu and out. Then a second start that
# abandons its run with ESC and must not reach the name entry.
set -u
game=$1 root=$2
ride_seconds=${KES_RIDE_SECONDS:-70}
source "$root/tests/support/display.sh"
kes_prepare "$root"
rm -f "$work"/data/tracks/*/top.sc "$work/data/prefs/user.prefs"
kes_start_display || exit 1

shots=0
# F10 writes screenshots/screenshotN.tga; checks it appeared with the full-window size and is not uniform.
screenshot() {
    kes_key F10
    local tga=screenshots/screenshot$shots.tga
    for _ in $(seq 50); do [ -f "$tga" ] && break; sleep 0.1; done   # a loaded machine draws slowly
    [ -f "$tga" ] || kes_fail "no $tga after F10 on the $1"
    sleep 0.3               # the game may still be writing it
    [ "$(stat -c %s "$tga")" = 1440044 ] || kes_fail "$tga is $(stat -c %s "$tga") bytes"
    convert "$tga" -auto-orient "$1.png"
    [ "$(kes_colours "$1.png")" -gt 16 ] || kes_fail "the $1 screenshot is nearly uniform"
    shots=$((shots + 1))
}
alive() { kill -0 $KES_GAME_PID 2>/dev/null || kes_fail "the game ended during: $1 ($(tail -3 game.log))"; }

quit_game() {
    kes_key Escape
    for _ in $(seq 50); do kill -0 $KES_GAME_PID 2>/dev/null || break; sleep 0.2; done
    kill -0 $KES_GAME_PID 2>/dev/null && kes_fail "ESC on the home menu did not quit"
    wait $KES_GAME_PID; local rc=$?
    KES_GAME_PID=
    [ $rc -eq 0 ] || kes_fail "exit status $rc"
}

kes_launch "$game" game.log 4   # intro logo, textures, home menu
screenshot home
kes_to_run
kes_key space 0.3       # countdown
sleep 3
# Ride: pushes, one jump with a trick held in the air and released before landing, then pushes to the end.
for _ in $(seq 10); do kes_key e 0.3; done
xdotool keydown space; sleep 0.8; xdotool keyup space
sleep 0.2; xdotool keydown j; sleep 0.5; xdotool keyup j
screenshot run
# Push on until well past the time the autopilot needs on the first track, then ENTER once.
kes_push_for "$ride_seconds"
screenshot finish
kes_key Return; sleep 1.5  # name entry
screenshot name-entry
kes_enter_initials
sleep 1
screenshot scores
kes_press Return; sleep 1   # track screen
kes_press Escape; sleep 1   # rider screen
kes_press Escape; sleep 1   # home menu
quit_game

grep -l "AGV" data/tracks/*/top.sc >/dev/null || kes_fail "no top.sc holds the initials AGV"
[ "$(head -c 3 data/prefs/user.prefs)" = AGV ] || kes_fail "user.prefs holds '$(head -c 3 data/prefs/user.prefs)'"

# Second evening: a run abandoned with ESC goes back to the track screen, never to the name entry.
before=$(md5sum data/tracks/*/top.sc | md5sum)
kes_launch "$game" game.log 4   # intro logo, textures, home menu
kes_to_run
kes_key space 0.3; sleep 3
for _ in $(seq 5); do kes_key e 0.3; done
kes_key Escape; sleep 1.5   # abandoned: track screen
alive "abandoning the run"
kes_press Escape; sleep 1; kes_press Escape; sleep 1
quit_game
[ "$(md5sum data/tracks/*/top.sc | md5sum)" = "$before" ] || kes_fail "an abandoned run changed a score table"
mkdir -p "$root/build/playthrough" && cp home.png run.png finish.png name-entry.png scores.png "$root/build/playthrough/"
echo "play-through: ok"
