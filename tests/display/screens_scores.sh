#!/usr/bin/env bash
# A whole run as a player does it, then what follows it: ride the meadow track to the finish,
# ENTER, pick three initials on the letter grid, confirm with '#', see the score table, and back to
# the track screen. Checks the screens by their pictures, the track's "top.sc" and the saved initials.
# Set KES_SHOTS_DIR to keep the screenshots as PNG pictures.
set -u
game=$1 root=$2
source "$root/tests/support/display.sh"

[ -d "$root/data/tracks/meadow" ] || { echo "FAIL: no meadow track in $root/data/tracks" >&2; exit 1; }
[ -f "$root/data/gui/initials.bmp" ] && [ -f "$root/data/gui/scores.bmp" ] ||
    { echo "FAIL: no name-entry or score pictures in $root/data/gui" >&2; exit 1; }

kes_prepare "$root"
rm -f "$work/data/prefs/user.prefs" "$work"/data/tracks/*/top.sc
push=$(grep -v '^#' data/prefs/keys.map | sed -n 4p)   # the push key
meadow=$(ls data/tracks | grep -n '^meadow$' | cut -d: -f1)

kes_start_display || exit 1
kes_launch "$game" game.log

shot() { kes_shot "shots/$1.png"; }

# Share of the pixels of window WxH+X+Y that differ (by more than 10 %) from the same window of a
# menu picture, in percent.
unlike_picture() {
    convert "shots/$1.png" -crop "$3" +repage crop1.png
    convert "data/gui/$2" -crop "$3" +repage crop2.png
    local n total
    n=$(compare -fuzz 10% -metric AE crop1.png crop2.png null: 2>&1 | cut -d' ' -f1)
    total=$(convert crop1.png -format '%[fx:w*h]' info:)
    case "$n" in ''|*[!0-9]*) echo 100 ;; *) echo $(( n * 100 / total )) ;; esac
}

# A long hold: the grid cursor repeats while an arrow is held, up to the grid's edge.
hold() { kes_key "$1" 1; }

kes_key Return; sleep 0.5                               # Play
kes_key Return; sleep 0.5                               # the first rider
for _ in $(seq $(( meadow - 1 ))); do kes_key Right; done
kes_key Return                                          # ride
sleep 8
kes_key space                                           # the countdown
sleep 3
start=$(date +%s)
while [ $(( $(date +%s) - start )) -lt 100 ]; do
    xdotool keydown "$push"; sleep 5; xdotool keyup "$push"; sleep 5
done
shot finish
kes_key Return                                          # after the finish: name entry
sleep 1
shot name_entry
[ "$(unlike_picture name_entry initials.bmp 700x50+40+10)" -lt 10 ] ||
    kes_fail "no name entry after 100 s of riding (the run did not finish?)"

# Held arrows repeat and stop at the grid's edges, so each hold lands on a corner letter.
hold Right; kes_key Return                              # 'G' (the cursor starts on 'A')
hold Left; kes_key Return                               # 'A'
hold Down; kes_key Return                               # 'V'
hold Right                                              # back on '#'
sleep 0.3
shot name_typed
kes_key Return                                          # save
sleep 1
shot scores
[ "$(unlike_picture scores scores.bmp 700x50+40+10)" -lt 10 ] || kes_fail "no score table after '#'"
sc=data/tracks/meadow/top.sc
[ -f $sc ] || kes_fail "no $sc after the run"
[ "$(stat -c %s $sc)" = 2640 ] || kes_fail "$sc has $(stat -c %s $sc) bytes"
grep -qa 'GAV time= ' $sc || kes_fail "$sc holds no entry for GAV"
sleep 1
shot scores_later
kes_key Return                                          # back to the track screen
sleep 1
shot track_after
[ "$(unlike_picture track_after menus.bmp 700x50+40+10)" -lt 10 ] || kes_fail "no track screen after the score table"
kes_key Escape; sleep 0.5
kes_key Escape; sleep 0.5
kes_key Escape
for _ in $(seq 50); do kill -0 $KES_GAME_PID 2>/dev/null || break; sleep 0.2; done
kill -0 $KES_GAME_PID 2>/dev/null && kes_fail "ESC on the home menu did not quit"
wait $KES_GAME_PID; rc=$?
KES_GAME_PID=
[ $rc -eq 0 ] || kes_fail "exit status $rc: $(tail -3 game.log)"
[ "$(head -c 3 data/prefs/user.prefs)" = GAV ] || kes_fail "user.prefs initials are '$(head -c 3 data/prefs/user.prefs)'"
echo "screens scores: ok"
