#!/usr/bin/env bash
# Each shipped track's run scene at mid-course, drawn by the game's own drawing (kesview's shots at
# 800x600): the snow is not a near-uniform field and the sky holds more than a gradient.
# Snow: the luminance's standard deviation over the ground either side of the rider, from just under
# the horizon to the bottom (3.7 to 5.8 on the white plane the tracks were, 6.5 to 12 with the world's
# light, powder, marks and banks). Sky: the root mean square of what is left of the top of the sky once
# each row's mean is taken away (a plain gradient leaves 0; clouds and peaks 3 to 19).
# KES_SHOT_DIR, when set, keeps the pictures.
set -u
game=$(readlink -f "$1") root=$(readlink -f "$2")
viewer=$(dirname "$game")/tools/kesview
source "$root/tests/support/display.sh"
trap kes_cleanup EXIT
SNOW_LEAST=6.0 SKY_LEAST=2.0

[ -x "$viewer" ] || kes_fail "no kesview beside the game ($viewer)"
[ -d "$root/data/tracks" ] || kes_fail "no generated data in $root/data"
kes_scratch_copy "$root" || kes_fail "cannot copy the data"
kes_start_display || exit 1
"$viewer" shots shots size=800x600 >viewer.log 2>&1 || kes_fail "kesview failed: $(tail -3 viewer.log)"

snow_spread() {
    convert "$1" \( -clone 0 -crop 320x270+0+300 +repage \) \( -clone 0 -crop 320x270+480+300 +repage \) -delete 0 \
        +append -colorspace gray -format '%[fx:standard_deviation*255]' info:
}
sky_beyond_gradient() {
    convert "$1" -crop 800x100+0+10 +repage -colorspace gray sky.miff
    convert sky.miff -scale '1x100!' -scale '800x100!' rows.miff
    compare -metric RMSE sky.miff rows.miff null: 2>&1 | sed 's/.*(\(.*\))/\1/' | awk '{printf "%.2f", $1 * 255}'
}

tracks=0
for t in $(ls data/tracks); do
    tga=shots/shot_${t}_mid.tga
    [ -f "$tga" ] || kes_fail "$t: no mid-course picture"
    convert "$tga" -auto-orient "$t.png" || kes_fail "$t: the picture does not convert"
    snow=$(snow_spread "$t.png") sky=$(sky_beyond_gradient "$t.png")
    echo "$t: snow spread $snow, sky beyond its gradient $sky"
    awk -v v="$snow" -v m="$SNOW_LEAST" 'BEGIN { exit !(v >= m) }' || kes_fail "$t: the snow is a near-uniform field ($snow)"
    awk -v v="$sky" -v m="$SKY_LEAST" 'BEGIN { exit !(v >= m) }' || kes_fail "$t: the sky is a bare gradient ($sky)"
    tracks=$((tracks + 1))
done
[ "$tracks" -gt 0 ] || kes_fail "no track"
[ -n "${KES_SHOT_DIR:-}" ] && mkdir -p "$KES_SHOT_DIR" && cp ./*.png "$KES_SHOT_DIR/"
cd / && rm -rf "$work"
echo "world look: ok ($tracks tracks)"
