#!/usr/bin/env bash
# Walks the front end as a player does: home, rider screen (the highlight moves and the turning
# rider changes), track screen (the thumbnail pans), options (the level changes), back home, quit.
# Takes F10 screenshots on the way and checks that none is uniform and that the moving parts move.
# Set KES_SHOTS_DIR to keep the screenshots as PNG pictures.
set -u
game=$1 root=$2
source "$root/tests/support/display.sh"

[ -d "$root/data/prefs" ] || { echo "FAIL: no generated data in $root/data" >&2; exit 1; }
[ -f "$root/data/models/tolvek/tolvek.3d" ] || { echo "FAIL: no default rider tolvek in $root/data/models" >&2; exit 1; }
riders=$(ls -d "$root"/data/models/*/ 2>/dev/null | wc -l)
tracks=$(ls -d "$root"/data/tracks/*/ 2>/dev/null | wc -l)
[ "$tracks" -ge 1 ] || { echo "FAIL: no track in $root/data/tracks" >&2; exit 1; }

kes_prepare "$root"
rm -f "$work/data/prefs/user.prefs"

kes_start_display || exit 1
kes_launch "$game" game.log

# F10, then the screenshot is moved to shots/<name>.png; it must not be uniform.
shot() {
    kes_shot "shots/$1.png"
    [ "$(kes_colours "shots/$1.png")" -gt 1 ] || kes_fail "the $1 screenshot is uniform"
}

# Differing pixels of two screenshots inside a WxH+X+Y window (top-left origin).
differing() {
    convert "shots/$1.png" -crop "$3" +repage crop1.png
    convert "shots/$2.png" -crop "$3" +repage crop2.png
    local n
    n=$(compare -metric AE crop1.png crop2.png null: 2>&1 | cut -d' ' -f1)
    case "$n" in ''|*[!0-9]*) echo 0 ;; *) echo "$n" ;; esac
}

RIDER_AREA=232x192+520+270   # around the turning rider
THUMB_AREA=200x150+540+292   # the track thumbnail

shot home
kes_key Return                # Play
sleep 1
shot rider_first
sleep 1
shot rider_first_later
[ "$(differing rider_first rider_first_later $RIDER_AREA)" -gt 0 ] || kes_fail "the rider does not turn"
if [ "$riders" -ge 2 ]; then
    kes_key Left   # tolvek, the rider loaded at start, is last in the list
    sleep 1
    shot rider_second
    [ "$(differing rider_first rider_second $RIDER_AREA)" -gt 0 ] || kes_fail "moving the highlight left the rider unchanged"
fi
kes_key Return                # choose the rider
sleep 1
shot track
sleep 1.5
shot track_later
# The thumbnail shows through its frame picture: without the frame it is covered.
[ "$(differing track track_later $THUMB_AREA)" -gt 0 ] || kes_fail "the track thumbnail does not pan"
kes_key Escape                # back to the rider screen
sleep 0.5
shot rider_back
kes_key Escape                # back home
sleep 0.5
for _ in 1 2 3; do kes_key Down; done
kes_key Return                # Options
sleep 1
shot options
kes_key Right
sleep 0.5
shot options_low
[ "$(differing options options_low 200x60+560+330)" -gt 0 ] || kes_fail "the level name did not change"
kes_key Escape
sleep 0.5
shot home_back
kes_key Up                    # Credits
kes_key Return
sleep 1.5
shot credits
kes_key Escape
sleep 0.5
kes_key Up                    # Help
kes_key Return
sleep 0.5
shot help
kes_key Escape
sleep 0.5
kes_key Escape
for _ in $(seq 50); do kill -0 $KES_GAME_PID 2>/dev/null || break; sleep 0.2; done
kill -0 $KES_GAME_PID 2>/dev/null && kes_fail "ESC on the home menu did not quit"
wait $KES_GAME_PID; rc=$?
KES_GAME_PID=
[ $rc -eq 0 ] || kes_fail "exit status $rc: $(tail -3 game.log)"
# The level chosen on the options screen is kept in the user preferences (last byte).
lvl=$(od -An -tu1 -j6 -N1 data/prefs/user.prefs | tr -d ' ')
[ "$lvl" = 1 ] || kes_fail "user.prefs holds level '$lvl' after one step right"

echo "screens walk: ok"
