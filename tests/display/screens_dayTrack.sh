#!/usr/bin/env bash
# The track of the day: the track screen builds today's track (UTC) into the player's folder, lists it
# after the shipped tracks under its gold label, and it is ridden like any track. Then a typed seed is
# built and highlighted. KES_SHOTS_DIR, when set, keeps the screenshots.
set -u
game=$(readlink -f "$1") root=$(readlink -f "$2")
source "$root/tests/support/display.sh"
kes_prepare "$root"
kes_start_display || exit 1
rm -rf data/tracks/seed* data/prefs/user.prefs   # a fresh player: today's track is missing
shipped=$(ls data/tracks | wc -l)
today=seed$(date -u +%Y%m%d)

# Pixels of the label's gold (bright red and green, little blue) in a box: pic x y w h.
gold() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -fx 'r>0.8 && g>0.6 && b<0.45 ? 1 : 0' -format '%[fx:int(w*h*mean)]' info:
}
# Mean of one channel (0-255) over a box: pic x y w h channel(R|G|B).
mean() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -channel "$6" -separate -format '%[fx:int(255*mean)]' info:
}

kes_launch "$game" game.log
kes_key Return; sleep 1.5          # home: play
start=$(date +%s.%N)
kes_key Return; sleep 1.5          # rider: the track screen opens on the first track
for _ in $(seq 100); do [ -f "data/tracks/$today/$today.btrk" ] && break; sleep 0.1; done
[ -f "data/tracks/$today/$today.btrk" ] || kes_fail "no $today built within 10 s: $(tail -3 game.log)"
echo "today's track $today there $(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }') s after the track screen opened"
[ -d data/.trackbuild ] && sleep 1
[ -d data/.trackbuild ] && kes_fail "the build's staging folder was left behind"
sleep 1
kes_shot shots/track-first.png
for _ in $(seq "$shipped"); do kes_key Right; sleep 0.4; done
sleep 0.5
kes_shot shots/track-day.png
firstGold=$(gold shots/track-first.png 100 300 500 120) dayGold=$(gold shots/track-day.png 100 300 500 120)
echo "gold label pixels: $firstGold on the first track, $dayGold on the day's"
[ "$dayGold" -gt $((firstGold + 200)) ] || kes_fail "the day's track has no gold label ($dayGold vs $firstGold)"

kes_key Return; sleep 6           # ride it
kill -0 "$KES_GAME_PID" 2>/dev/null || kes_fail "the game ended loading the day's track: $(tail -3 game.log)"
grep -q "Can't ride" game.log && kes_fail "the day's track was refused: $(tail -3 game.log)"
kes_shot shots/day-wait.png
kes_key space 0.3
xdotool keydown Up; sleep 4
kes_shot shots/day-ride.png
xdotool keyup Up
colours=$(kes_colours shots/day-ride.png)
r=$(mean shots/day-ride.png 2 66 4 10 R) g=$(mean shots/day-ride.png 2 66 4 10 G)
echo "run on $today: $colours colours, speed bar red $r green $g"
[ "$colours" -gt 500 ] || kes_fail "the run's picture is nearly uniform ($colours colours)"
[ "$g" -gt $((r + 40)) ] || kes_fail "the rider is not moving on the day's track (speed bar red $r, green $g)"

kes_key Escape; sleep 1.5          # abandoned: the track screen, the day's track still highlighted
kes_key s; sleep 0.3
for k in p o w d e r; do kes_press "$k"; done
kes_shot shots/track-typing.png
kes_key Return
for _ in $(seq 100); do [ -f data/tracks/seedpowder/seedpowder.btrk ] && break; sleep 0.1; done
[ -f data/tracks/seedpowder/seedpowder.btrk ] || kes_fail "the typed seed built no track: $(tail -3 game.log)"
sleep 1
kes_shot shots/track-typed.png
[ "$(gold shots/track-typed.png 100 300 500 120)" -gt 200 ] || kes_fail "the typed seed's track is not highlighted"
kes_key Escape; sleep 1; kes_key Escape; sleep 1; kes_key Escape
for _ in $(seq 50); do kill -0 "$KES_GAME_PID" 2>/dev/null || break; sleep 0.2; done
echo "day track: ok"
