#!/usr/bin/env bash
# Rides a few seconds on every shipped track and checks the run picture: not uniform, sky at the top,
# the HUD bands, texts and speed bar where they belong, and F8 (view) and F9 (shadow) change it.
# KES_SHOT_DIR, when set, keeps the screenshots as PNG.
set -u
game=$(readlink -f "$1") root=$(readlink -f "$2")
source "$root/tests/support/display.sh"
trap kes_cleanup EXIT

[ -d "$root/data/tracks" ] || { echo "FAIL: no generated data in $root/data" >&2; exit 1; }
kes_scratch_copy "$root" || kes_fail "cannot copy the data"
kes_start_display || exit 1
tracks=$(ls data/tracks | wc -l)
[ "$tracks" -gt 0 ] || kes_fail "no track in data/tracks"

# Mean of one channel (0-255) over a box: pic x y w h channel(R|G|B).
mean() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -channel "$6" -separate -format '%[fx:int(255*mean)]' info:
}
# Darkest and brightest grey level in a box.
darkest() { convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace gray -format '%[fx:int(255*minima)]' info:; }
brightest() { convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace gray -format '%[fx:int(255*maxima)]' info:; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
# The same within a box: pic pic x y w h.
differing_in() {
    convert "$1" -crop "$5x$6+$3+$4" +repage box1.png && convert "$2" -crop "$5x$6+$3+$4" +repage box2.png &&
        differing box1.png box2.png
}

ride_track() {
    local i=$1 tag="track$1"
    rm -f data/prefs/user.prefs  # the last ride's track would be highlighted first and the count start there
    kes_launch "$game" "game$i.log"
    kes_key Return      # home: play
    sleep 1.5
    kes_key Return      # rider
    sleep 1.5
    for _ in $(seq "$i"); do kes_key Right; sleep 0.4; done
    kes_key Return      # track: ride
    sleep 6
    kill -0 $KES_GAME_PID 2>/dev/null || kes_fail "$tag: the game ended while loading: $(tail -3 game$i.log)"

    # waiting at the start the picture holds still: F8 and F9 must change it
    kes_shot "$tag-wait.png"
    kes_shot "$tag-wait2.png"
    kes_key F9
    kes_shot "$tag-disc.png"
    kes_key F9; kes_key F9
    kes_key F8
    kes_shot "$tag-view2.png"
    kes_key F8; kes_key F8
    # falling snow moves while the rider waits: the shadow is judged in the box round the rider's feet,
    # where few flakes pass, the view over the whole picture
    local still stillFeet f9 f8 feet="250 380 300 150"
    still=$(differing "$tag-wait.png" "$tag-wait2.png")
    f8=$(differing "$tag-wait.png" "$tag-view2.png")
    stillFeet=$(differing_in "$tag-wait.png" "$tag-wait2.png" $feet)
    f9=$(differing_in "$tag-wait.png" "$tag-disc.png" $feet)
    echo "$tag: still $still ($stillFeet at the feet), F9 $f9 at the feet, F8 $f8 pixels changed"
    [ -n "${KES_SHOT_DIR:-}" ] && mkdir -p "$KES_SHOT_DIR" && cp "$tag"-*.png "$KES_SHOT_DIR/"
    [ "$f9" -gt $((2 * stillFeet + 100)) ] || kes_fail "$tag: F9 did not change the shadow ($f9 vs $stillFeet)"
    [ "$f8" -gt $((2 * still + 5000)) ] || kes_fail "$tag: F8 did not change the view ($f8 vs $still)"

    # ride a few seconds pushing, then look
    kes_key space 0.3
    xdotool keydown Up
    sleep 4
    kes_shot "$tag-ride.png"
    xdotool keyup Up
    local pic="$tag-ride.png" colours
    colours=$(kes_colours "$pic")
    echo "$tag: $colours colours"
    [ "$colours" -gt 500 ] || kes_fail "$tag: picture nearly uniform ($colours colours)"
    # sky: the top strip between the HUD bands is the lit sky box, not the black clear colour (a dusk
    # sky is deep there: the sun, which used to stand in the strip, now stands where the light comes from)
    local r g b
    r=$(mean "$pic" 200 60 400 40 R); g=$(mean "$pic" 200 60 400 40 G); b=$(mean "$pic" 200 60 400 40 B)
    echo "$tag: top strip $r $g $b"
    [ $((r + g + b)) -ge 240 ] || kes_fail "$tag: no sky at the top ($r $g $b)"
    # bands: the slanted ends of the top-left and bottom-right bands are light
    [ "$(darkest "$pic" 118 14 6 4)" -ge 150 ] || kes_fail "$tag: no speed band at the top left"
    [ "$(darkest "$pic" 497 543 8 4)" -ge 150 ] || kes_fail "$tag: no time band at the bottom right"
    # texts: "Speed" on its band and "Time: ..." on its band have dark glyph edges on the light band
    [ "$(darkest "$pic" 18 8 90 28)" -lt 110 ] || kes_fail "$tag: no \"Speed\" text"
    [ "$(darkest "$pic" 530 540 260 28)" -lt 110 ] || kes_fail "$tag: no time text"
    # speed bar: green at its left end while riding
    r=$(mean "$pic" 2 66 4 10 R); g=$(mean "$pic" 2 66 4 10 G)
    [ "$g" -gt $((r + 40)) ] || kes_fail "$tag: no speed bar (red $r, green $g)"
    [ -n "${KES_SHOT_DIR:-}" ] && mkdir -p "$KES_SHOT_DIR" && cp "$tag"-*.png "$KES_SHOT_DIR/"

    kes_key Escape
    sleep 1
    kes_key Escape; sleep 0.5; kes_key Escape; sleep 0.5; kes_key Escape
    for _ in $(seq 50); do kill -0 $KES_GAME_PID 2>/dev/null || break; sleep 0.2; done
    kill $KES_GAME_PID 2>/dev/null
    wait $KES_GAME_PID 2>/dev/null
    KES_GAME_PID=
}

for i in $(seq 0 $((tracks - 1))); do ride_track "$i"; done
rm -rf "$work"
echo "run render: ok ($tracks tracks)"
