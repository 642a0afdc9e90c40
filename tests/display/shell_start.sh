#!/usr/bin/env bash
# Starts the game as a player does: set-up dialog, ENTER, the OpenGL window, a screenshot with F10,
# ESC to quit. Checks the exit status and the preference files the first start writes.
set -u
game=$1 root=$2
source "$root/tests/support/display.sh"
trap kes_cleanup EXIT

[ -d "$root/data/prefs" ] || { echo "FAIL: no generated data in $root/data" >&2; exit 1; }
kes_scratch_copy "$root" || kes_fail "cannot copy the data"
rm -f "$work/data/prefs/gfx.prefs" "$work/data/prefs/user.prefs"

kes_start_display || exit 1
kes_start_game "$game" game.log || kes_start_game "$game" game.log || kes_fail "no set-up dialog"
sleep 1
kes_key Return
sleep 4
kill -0 $KES_GAME_PID 2>/dev/null || kes_fail "the game ended after the dialog: $(tail -3 game.log)"
win=$(kes_wait_game_window 20) ||
    kes_fail "no 800x600 game window: $(for w in $(xdotool search --class allegro); do xdotool getwindowgeometry $w; done)"
[ "$(xdotool getwindowname "$win")" = Kestrune ] || kes_fail "the game window is called '$(xdotool getwindowname "$win")'"
sleep 2                 # intro logo, then the home menu

kes_key F10
sleep 1
shot=$(ls screenshots/*.tga 2>/dev/null | head -1)
[ -n "$shot" ] || kes_fail "F10 wrote no screenshot"
[ "$(stat -c %s "$shot")" = 1440044 ] || kes_fail "screenshot $shot has $(stat -c %s "$shot") bytes"

kes_key Escape
for _ in $(seq 50); do kill -0 $KES_GAME_PID 2>/dev/null || break; sleep 0.2; done
kill -0 $KES_GAME_PID 2>/dev/null && kes_fail "ESC on the home menu did not quit"
wait $KES_GAME_PID; rc=$?
KES_GAME_PID=
[ $rc -eq 0 ] || kes_fail "exit status $rc: $(tail -3 game.log)"

gfx=$(od -An -tx1 -w32 data/prefs/gfx.prefs | tr -s ' ')
[ "$gfx" = " 20 00 20 00 00 00 20 03 58 02 00 00 00 00 3c 00 00 00" ] || kes_fail "gfx.prefs holds '$gfx'"
[ "$(stat -c %s data/prefs/user.prefs)" = 14 ] || kes_fail "user.prefs is not 14 bytes"
later=$(od -An -tx1 -j7 data/prefs/user.prefs | tr -s ' ')
# The ghost shown, no track, music and effects at 100 %, not muted, key hints on, lesson not ridden.
[ "$later" = " 01 00 64 64 00 01 00" ] ||
    kes_fail "user.prefs after the first seven bytes holds '$later', not the ghost shown, no track and today's sound"
user=$(od -An -tx1 -N3 data/prefs/user.prefs | tr -s ' ')
[ "$user" = " 2d 2d 2d" ] || kes_fail "user.prefs initials are '$user'"
rm -rf "$work"
echo "shell start: ok"
