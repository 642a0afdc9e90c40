#!/usr/bin/env bash
# The ghost of a best run: a finished run that takes first place leaves best.run beside top.sc, R on
# the score table replays it, V films it (an ffmpeg that stops half way and an ESC during the making
# each leave nothing and bring the table back), and the next run on the same track races it. The rider waits at the start while the ghost pushes off, so
# the ghost is ahead on the screenshot (kept in build/ghost/ to be looked at), with the gap on the HUD.
set -u
game=$1 root=$2
ride_seconds=${KES_RIDE_SECONDS:-70}
source "$root/tests/support/display.sh"
kes_prepare "$root"
rm -f "$work"/data/tracks/*/top.sc "$work"/data/tracks/*/best.run "$work/data/prefs/user.prefs"
kes_start_display || exit 1
# Differing pixels of two screenshots.
differing() {
    local n
    n=$(compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1)
    case "$n" in ''|*[!0-9]*) echo 0 ;; *) echo "$n" ;; esac
}
alive() { kill -0 $KES_GAME_PID 2>/dev/null || kes_fail "the game ended during: $1 ($(tail -3 game.log))"; }

# From the track screen: ENTER, then the run loads and the rider waits at the start.
ride_again() {
    kes_press Return; sleep 6
    alive "loading the run"
}

# The game's ffmpeg stops half way while ./stop is there and is the real one otherwise.
mkdir fake
printf '#!/bin/sh\n[ -f stop ] && { head -c 400000 >/dev/null; echo "stopped on purpose" >&2; exit 1; }\nexec %s "$@"\n' \
    "$(command -v ffmpeg)" >fake/ffmpeg
chmod +x fake/ffmpeg
real_path=$PATH
PATH=$PWD/fake:$PATH
kes_launch "$game" game.log 4
PATH=$real_path
said() {
    for _ in $(seq 150); do grep -q "$1" game.log && return 0; alive "waiting for '$1'"; sleep 0.2; done
    kes_fail "the game never said '$1': $(tail -3 game.log)"
}
kes_press Up 4; kes_press Return; sleep 1          # Play: rider screen
kes_press Return; sleep 1                          # track screen
kes_press Right; sleep 1                           # the second track, the shortest ride
ride_again
kes_key space 0.3; sleep 2
kes_push_for "$ride_seconds"
kes_key Return; sleep 1.5                          # name entry
kes_enter_initials; sleep 1                        # score table: first place
mkdir -p "$root/build/ghost"
best=$(ls data/tracks/*/best.run 2>/dev/null | head -1)
[ -n "$best" ] || kes_fail "a first place left no best.run ($(tail -3 game.log))"
[ "$(head -c 4 "$best")" = KRUN ] || kes_fail "$best does not start with its magic"

# R on the score table plays the best run back with the chase camera; F8 changes the view; ESC
# comes back to the table.
kes_key r; sleep 3
kes_shot replay.png
kes_key F8; sleep 1
kes_shot replay_view.png
# P pauses it: the rider, his spray and the bonuses on the track hold still; Left jumps
# 5 s back while paused; P again plays on. Once the list of keys has faded.
sleep 3
kes_key p; sleep 0.5
kes_shot replay_paused.png
sleep 1
kes_shot replay_paused_later.png
[ "$(differing replay_paused.png replay_paused_later.png)" -eq 0 ] || kes_fail "the paused replay moved on"
kes_key Left; sleep 0.5
kes_shot replay_back.png
[ "$(differing replay_paused.png replay_back.png)" -gt 4800 ] || kes_fail "Left did not jump the replay back"
kes_key p; sleep 1
kes_shot replay_resumed.png
[ "$(differing replay_back.png replay_resumed.png)" -gt 4800 ] || kes_fail "the replay did not play on after P"
kes_key Escape; sleep 1
alive "leaving the replay"
kes_shot back_to_table.png
[ "$(kes_colours replay.png)" -gt 16 ] || kes_fail "the replay screenshot is nearly uniform"
touch stop
kes_key v
said "Film not made: ffmpeg stopped: stopped on purpose"
kes_grab film_stopped.png
rm stop
kes_key Return; sleep 1
kes_key v; sleep 1.5
kes_grab film_progress.png
kes_key Escape
said "Film cancelled: nothing was kept"
kes_key Return; sleep 1
alive "leaving the film screen"
[ -z "$(ls -A videos 2>/dev/null)" ] || kes_fail "a film that was not made left $(ls -A videos)"
mkdir -p "$root/build/ghost" && convert film_progress.png -crop 800x600+0+0 "$root/build/ghost/film_progress.png"
cp replay.png replay_view.png replay_paused.png replay_back.png back_to_table.png "$best" "$root/build/ghost/" 2>/dev/null || mkdir -p "$root/build/ghost"
kes_press Return; sleep 1                          # track screen, the same track
said_before=$(wc -l <game.log)                     # the first run had no best run to race
ride_again
refusal=$(tail -n +$((said_before + 1)) game.log | grep "refused\|not loaded")
[ -z "$refusal" ] || kes_fail "the best run was not raced: $refusal"
kes_key space 0.3; sleep 2.5                       # the ghost pushes off, the rider stands
kes_shot ghost.png
[ "$(kes_colours ghost.png)" -gt 16 ] || kes_fail "the ghost screenshot is nearly uniform"
kes_key Escape; sleep 1.5                          # abandoned: track screen
alive "abandoning the run"
mkdir -p "$root/build/ghost" && cp ghost.png "$root/build/ghost/"

kes_key Escape; sleep 1; kes_key Escape; sleep 1        # home menu
kes_key Escape
for _ in $(seq 50); do kill -0 $KES_GAME_PID 2>/dev/null || break; sleep 0.2; done
KES_GAME_PID=
echo "ghost: ok"
