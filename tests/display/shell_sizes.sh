#!/usr/bin/env bash
# The game at 800 x 600, 1280 x 720 and 1920 x 1080 (gfx.prefs bytes 6-9): one start per size, then
# the home menu, the track screen and a run. 1280 x 720 is chosen in the set-up dialog, starting from an
# old six-byte gfx.prefs, and must be kept in the file with both renderer settings ticked there (the
# run at that size is drawn with them; the others keep them off). Checks the window and screenshot sizes, that the menu
# pictures' side bands take the colour of the picture's edges, that the 3-D view fills the window
# and that the HUD's corner items sit whole in the window's corners.
# KES_SHOT_DIR, when set, keeps the screenshots as PNG.
set -u
game=$(readlink -f "$1") root=$(readlink -f "$2")
source "$root/tests/support/display.sh"
trap kes_cleanup EXIT

[ -d "$root/data/tracks" ] || { echo "FAIL: no generated data in $root/data" >&2; exit 1; }
kes_scratch_copy "$root" || kes_fail "cannot copy the data"
export KES_SCREEN=1920x1080
kes_start_display || exit 1

darkest() { convert "$1" -crop "$2" +repage -colorspace gray -format '%[fx:int(255*minima)]' info:; }
mean() { convert "$1" -crop "$2" +repage -colorspace gray -format '%[fx:int(255*mean)]' info:; }
channel() { convert "$1" -crop "$2" +repage -channel "$3" -separate -format '%[fx:int(255*mean)]' info:; }

# Crop geometry of a HUD box given in 640 x 480 overlay units from a window corner: corner (LT, RT,
# LB, RB), distance from the vertical edge and from the horizontal edge to the box, box width and
# height. The overlay is scaled to the window's height.
hud_box() {
    awk -v W="$W" -v H="$H" -v c="$1" -v ux="$2" -v uy="$3" -v uw="$4" -v uh="$5" 'BEGIN {
        s = H / 480; w = uw * s; h = uh * s
        x = substr(c, 1, 1) == "L" ? ux * s : W - (ux + uw) * s
        y = substr(c, 2, 1) == "T" ? uy * s : H - (uy + uh) * s
        printf "%dx%d+%d+%d\n", w + 0.5, h + 0.5, x + 0.5, y + 0.5 }'
}

# Each side band of a menu screenshot against the picture's own edge next to it (mean grey level).
check_bands() {
    local pic=$1 bw=$(( (W - H * 4 / 3) / 2 )) band edge
    [ "$bw" -gt 0 ] || return 0
    band=$(mean "$pic" "${bw}x${H}+0+0"); edge=$(mean "$pic" "2x${H}+${bw}+0")
    [ $(( band - edge )) -le 8 ] && [ $(( edge - band )) -le 8 ] || kes_fail "$pic: left band $band, picture edge $edge"
    band=$(mean "$pic" "${bw}x${H}+$(( W - bw ))+0"); edge=$(mean "$pic" "2x${H}+$(( W - bw - 2 ))+0")
    [ $(( band - edge )) -le 8 ] && [ $(( edge - band )) -le 8 ] || kes_fail "$pic: right band $band, picture edge $edge"
}

check_size() {
    [ "$(identify -format %wx%h "$1")" = "${W}x${H}" ] || kes_fail "$1 is $(identify -format %wx%h "$1"), not ${W}x${H}"
}

check_hud() {
    local pic=$1
    # the 3-D view reaches both side edges (sky and snow, no black margin)
    [ "$(mean "$pic" "4x$((H / 2))+0+$((H / 2))")" -ge 100 ] || kes_fail "$pic: dark left edge"
    [ "$(mean "$pic" "4x$((H / 2))+$((W - 4))+$((H / 2))")" -ge 100 ] || kes_fail "$pic: dark right edge"
    # top left: the speed band from the edge to its slanted end, "Speed" on it, the green speed bar,
    # the bomb logo
    [ "$(darkest "$pic" "$(hud_box LT 2 10 6 4)")" -ge 150 ] || kes_fail "$pic: speed band cut at the left"
    [ "$(darkest "$pic" "$(hud_box LT 94.4 11.2 4.8 3.2)")" -ge 150 ] || kes_fail "$pic: speed band end"
    [ "$(darkest "$pic" "$(hud_box LT 14.4 6.4 72 22.4)")" -lt 110 ] || kes_fail "$pic: no \"Speed\""
    local r g
    r=$(channel "$pic" "$(hud_box LT 1.6 52.8 3.2 8)" R); g=$(channel "$pic" "$(hud_box LT 1.6 52.8 3.2 8)" G)
    [ "$g" -gt $((r + 40)) ] || kes_fail "$pic: no speed bar (red $r, green $g)"
    [ "$(darkest "$pic" "$(hud_box LT 6 118 20 16)")" -lt 60 ] || kes_fail "$pic: no bomb logo"
    # top right: the track title's last letters
    [ "$(darkest "$pic" "$(hud_box RT 12 8 30 20)")" -lt 110 ] || kes_fail "$pic: track title cut"
    # bottom right: the time band's slanted end and its text, the "J" of the jump gauge
    [ "$(darkest "$pic" "$(hud_box RB 236 42.4 6.4 3.2)")" -ge 150 ] || kes_fail "$pic: time band end"
    [ "$(darkest "$pic" "$(hud_box RB 8 25.6 208 22.4)")" -lt 110 ] || kes_fail "$pic: no time text"
    [ "$(darkest "$pic" "$(hud_box RB 24 70 18 18)")" -lt 110 ] || kes_fail "$pic: no jump gauge"
}

for size in 800x600 1280x720 1920x1080; do
    W=${size%x*} H=${size#*x}
    dialog_keys=
    if [ "$size" = 1280x720 ]; then
        printf '\x20\x00\x20\x00\x02\x00' >data/prefs/gfx.prefs
        # from Ok past Exit, ticking both renderer settings, past the screen sync and the frame cap to
        # the resolution list, three rows down, back to Ok
        dialog_keys="Tab Tab space Tab space Tab Tab Tab Down Down Down Tab Tab Tab Tab"
    else
        kes_gfx_prefs "$size" data/prefs/gfx.prefs
    fi
    KES_DIALOG_KEYS=$dialog_keys KES_GAME_SIZE=$size kes_launch "$game" "game$size.log" 4
    kes_shot "home$size.png"
    check_size "home$size.png"; check_bands "home$size.png"
    kes_press Return; sleep 1            # play
    kes_press Return; sleep 1            # rider
    kes_shot "track$size.png"
    check_size "track$size.png"; check_bands "track$size.png"
    kes_press Return; sleep 6            # the first track
    kill -0 "$KES_GAME_PID" 2>/dev/null || kes_fail "$size: the game ended while loading: $(tail -3 "game$size.log")"
    kes_key space 0.3
    kes_push_for 3
    kes_shot "run$size.png"
    check_size "run$size.png"; check_hud "run$size.png"
    echo "$size: home, track screen and run checked"
    [ -n "${KES_SHOT_DIR:-}" ] && mkdir -p "$KES_SHOT_DIR" && cp ./*"$size".png "$KES_SHOT_DIR/"
    kes_key Escape; sleep 1
    kes_press Escape; sleep 0.5; kes_press Escape; sleep 0.5; kes_key Escape
    for _ in $(seq 50); do kill -0 "$KES_GAME_PID" 2>/dev/null || break; sleep 0.2; done
    kill "$KES_GAME_PID" 2>/dev/null
    wait "$KES_GAME_PID" 2>/dev/null
    KES_GAME_PID=
    gfx=$(od -An -tx1 -j6 -N4 data/prefs/gfx.prefs | tr -s ' ')
    [ "$gfx" = "$(kes_gfx_prefs "$size" /dev/stdout | od -An -tx1 -j6 -N4 | tr -s ' ')" ] ||
        kes_fail "$size: gfx.prefs keeps the size as '$gfx'"
    settings=$(od -An -tx1 -j10 -N4 data/prefs/gfx.prefs | tr -s ' ')
    expected=" 00 00 00 00"
    [ "$size" = 1280x720 ] && expected=" 01 00 01 00"
    [ "$settings" = "$expected" ] || kes_fail "$size: gfx.prefs keeps the renderer settings as '$settings'"
done
rm -rf "$work"
echo "shell sizes: ok"
