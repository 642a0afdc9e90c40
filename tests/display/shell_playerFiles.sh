#!/usr/bin/env bash
# Player files the game must neither hang on nor be killed by. First a pipe stands where every player
# file should be (preferences, key and pad maps, a track's scores and best run): the game starts, says
# the refusals on the home menu, rides that track, leaves with status 0 and leaves every pipe as it was.
# Then a file-size limit of 0 blocks every write: the game starts, rides nothing, leaves with status 0,
# and no file or temporary file is left. Set KES_SHOTS_DIR to keep the screenshots.
set -u
game=$1 root=$2
source "$root/tests/support/display.sh"
kes_prepare "$root"
kes_start_display || exit 1

track=$(ls data/tracks | sed -n 2p)   # the one kes_to_run rides
pipes="data/prefs/user.prefs data/prefs/gfx.prefs data/prefs/keys.map data/prefs/pad.map
       data/tracks/$track/top.sc data/tracks/$track/best.run"
for p in $pipes; do rm -f "$p"; mkfifo "$p"; done

# Waits up to $1 seconds for the game to end; sets rc.
wait_exit() {
    local i
    for i in $(seq $(( $1 * 5 ))); do kill -0 $KES_GAME_PID 2>/dev/null || break; sleep 0.2; done
    kill -0 $KES_GAME_PID 2>/dev/null && kes_fail "$2: the game did not leave within $1 s"
    wait $KES_GAME_PID; rc=$?; KES_GAME_PID=
}
quit_from_track_screen() {
    kes_press Escape; sleep 1; kes_press Escape; sleep 1; kes_press Escape; sleep 1   # run, track, rider screens
    kes_press Escape
}
no_temporaries() {
    local left; left=$(find data -name '*.tmp')
    [ -z "$left" ] || kes_fail "$1: temporary files left: $left"
}

kes_launch "$game" pipes.log
kes_shot shots/pipes_home.png
kes_to_run
kes_shot shots/pipes_run.png   # the run draws: nothing waits on the best run's pipe
quit_from_track_screen
wait_exit 15 "pipes"
[ $rc -eq 0 ] || kes_fail "with pipes for player files: exit status $rc: $(tail -3 pipes.log)"
for f in user.prefs keys.map gfx.prefs best.run; do   # (pad.map is read only with a pad plugged in)
    grep -q "$f.*(a pipe, not a file)" pipes.log || kes_fail "the refusal of $f was not said: $(cat pipes.log)"
done
for p in $pipes; do [ -p "$p" ] || kes_fail "$p was written over"; done
no_temporaries "pipes"

for p in $pipes; do rm -f "$p"; done
cp "$root/data/prefs/keys.map" "$root/data/prefs/pad.map" data/prefs/
printf '#!/bin/sh\nulimit -f 0\nexec "%s"\n' "$game" >limited.sh
chmod +x limited.sh
kes_launch ./limited.sh limited.log
kes_grab shots/limited_home.png   # F10 could not write its picture either
kes_press Escape
wait_exit 15 "file-size limit"
[ $rc -eq 0 ] || kes_fail "under a file-size limit: exit status $rc"
[ ! -e data/prefs/gfx.prefs ] && [ ! -e data/prefs/user.prefs ] || kes_fail "a preference file was written past the limit"
no_temporaries "file-size limit"
echo "player files: ok"
