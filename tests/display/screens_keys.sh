#!/usr/bin/env bash
# The key set-up screen as a player uses it: Options, Return, pick a line, give it a key already used
# (the two swap), try P (refused on screen), leave: keys.map holds the new keys with its comments, and
# the help page shows them. Set KES_SHOTS_DIR to keep the screenshots as PNG pictures.
set -u
game=$1 root=$2
source "$root/tests/support/display.sh"

kes_prepare "$root"
rm -f "$work/data/prefs/user.prefs"
printf '# my own comment\ns\nf\nd\ne\nw\nr\nj\nk\nl\nu\ni\no\n' >data/prefs/keys.map

kes_start_display || exit 1
kes_launch "$game" game.log

shot() {
    kes_shot "shots/$1.png"
    [ "$(kes_colours "shots/$1.png")" -gt 1 ] || kes_fail "the $1 screenshot is uniform"
}

kes_press Down 3
kes_key Return                # Options
sleep 0.5
shot options_keys_hint
kes_key Return                # the key set-up screen
sleep 0.5
shot keys_list
kes_key Down                  # right
kes_key Return
sleep 0.3
shot keys_waiting
kes_key p                     # the pause key: refused, still waiting
sleep 0.3
shot keys_refused
kes_key j                     # trick 1's key: right and trick 1 swap
sleep 0.3
shot keys_swapped
kes_key Escape                # save and back to Options
sleep 0.5
kes_key Escape                # home
sleep 0.5
grep -q '^# my own comment$' data/prefs/keys.map || kes_fail "the comment of keys.map was lost: $(cat data/prefs/keys.map)"
got=$(grep -v '^#' data/prefs/keys.map | tr -d '\n')
[ "$got" = "sjdewrfkluio" ] || kes_fail "keys.map holds $got, not sjdewrfkluio"
kes_press Up 3
kes_press Down 1
kes_key Return                # Help
sleep 0.5
shot help_keys
kes_key Escape
sleep 0.3
kes_key Escape                # quit
for _ in $(seq 50); do kill -0 "$KES_GAME_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$KES_GAME_PID" 2>/dev/null && kes_fail "the game did not quit"
grep -q "Impossible\|Can't" game.log && kes_fail "the game reported an error: $(grep "Impossible\|Can't" game.log)"
echo "key set-up: ok"
