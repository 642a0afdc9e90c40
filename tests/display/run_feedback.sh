#!/usr/bin/env bash
# A jump as a player makes it on the first track: pushes carry the rider over the kicker near the
# start with a trick key held; the HUD names the pose in the air, with the points under way, on their
# dark band at the left; the key is let go before the touch-down and the HUD says "Landed +N" on its
# dark band in the top middle while the score grows.
# The run is stepped a fifth of a second at a time between pauses, so however slowly the screen is
# grabbed, each look falls inside the flight. Set KES_SHOTS_DIR to keep the screenshots.
set -u
game=$1 root=$2
source "$root/tests/support/display.sh"
kes_prepare "$root"
rm -f "$work/data/prefs/user.prefs"
kes_start_display || exit 1

MESSAGE_AREA=200x30+300+12   # the message's band, between the speed and the title bands
SCORE_AREA=240x30+560+55     # "Score: N" under the title
JUMP_EDGE=3x40+8+208         # the left margin of the band of the jump's points, under the counters
# Per cent of the message area that is dark: the band behind a message; bare sky is bright.
dark() {
    convert "shots/$1.png" -crop "$MESSAGE_AREA" +repage -colorspace Gray -threshold 30% \
        -format "%[fx:int(100*(1-mean))]" info:
}
# Mean grey (0-1000) of the jump band's left margin, where it has no text: the band darkens the
# slopes behind it to less than half.
jump_edge() {
    convert "shots/$1.png" -crop "$JUMP_EDGE" +repage -colorspace Gray -format "%[fx:int(1000*mean)]" info:
}
# Whether the score differs from the one in the air (a collectable on the way in changes it too).
score_changed() {
    local n
    n=$(compare -metric AE -crop "$SCORE_AREA" "shots/$1.png" shots/pose.png null: 2>&1 | cut -d' ' -f1)
    case "$n" in ''|*[!0-9]*) return 1 ;; *) [ "$n" -gt 50 ] ;; esac
}
alive() { kill -0 "$KES_GAME_PID" 2>/dev/null || kes_fail "the game ended during $1: $(tail -3 game.log)"; }
# Rides a fifth of a second pushing, then pauses and grabs the frozen frame as shots/NAME.png.
step() {
    xdotool keydown e; sleep 0.2; kes_key p 0.05; xdotool keyup e
    sleep 0.2
    alive "the run"
    kes_grab "shots/$1.png"
}

kes_launch "$game" game.log 4
kes_press Up 4; kes_press Return; sleep 1    # Play, the rider screen
kes_press Return; sleep 1                    # this rider; the track screen on the first track
kes_press Return; sleep 6                    # loading, the rider at the start
kes_key space 0.3; sleep 2                   # the countdown
kes_key p 0.05; sleep 0.3
kes_grab shots/start.png
[ "$(dark start)" -lt 10 ] || kes_fail "a message band before any jump ($(dark start) % dark)"
ground=$(jump_edge start)                    # the slopes behind the jump's place, with no band on them
kes_key p 0.05

# A pose is shown only in the air; a pose still held at the touch-down is a fall, so after a fall the
# key is held again for the next kicker.
landed=
for i in $(seq 120); do
    [ -z "${holding:-}" ] && { xdotool keydown j; holding=1; }
    step s$i
    if [ -n "${holding:-}" ] && [ "$(jump_edge s$i)" -lt $((ground / 2)) ]; then
        cp shots/s$i.png shots/pose.png
        xdotool keyup j                      # let go in the air, while paused
        holding=
        for k in $(seq 30); do
            kes_key p 0.05
            step s$i-$k
            [ "$(dark s$i-$k)" -gt 20 ] && score_changed s$i-$k && { landed=s$i-$k; break; }
        done
        [ -n "$landed" ] && break
    fi
    kes_key p 0.05
done
xdotool keyup j
[ -f shots/pose.png ] || kes_fail "no pose name shown in the air"
[ -n "$landed" ] || kes_fail "no \"Landed\" after letting the pose go"
kes_shot shots/landed.png                    # the game's own picture of the paused frame
[ "$(dark landed)" -gt 20 ] || kes_fail "the game's screenshot shows no message band"
kes_key p 0.05
sleep 1
alive "the end of the run"
echo "run feedback: ok (pose at $(ls shots/pose.png), landed at $landed)"
