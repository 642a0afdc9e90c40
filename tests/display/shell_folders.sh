#!/usr/bin/env bash
# Where the game finds its data and puts the player's files, started as a player would: a program
# with no data anywhere says where it looked; an installed tree (program in usr/games, data in
# usr/share/games/kestrune) started from an unrelated folder plays and writes only under HOME.
set -u
game=$1 root=$2
source "$root/tests/support/display.sh"
source "$root/tests/support/installed.sh"
trap 'kes_cleanup; rm -rf "${work:-}"' EXIT

[ -f "$root/data/gui/logo.bmp" ] || { echo "FAIL: no generated data in $root/data" >&2; exit 1; }
work=$(mktemp -d)

mkdir -p "$work/lone/bin" "$work/empty"
cp "$game" "$work/lone/bin/kestrune"
(cd "$work/empty" && "$work/lone/bin/kestrune" >"$work/lone.log" 2>&1); rc=$?
[ $rc -eq 2 ] || kes_fail "without data the game ended with $rc: $(cat "$work/lone.log")"
grep -q "gui/logo.bmp" "$work/lone.log" && grep -q "$work/lone/share/games/kestrune" "$work/lone.log" ||
    kes_fail "the message does not name the places looked at: $(cat "$work/lone.log")"

tree=$work/root
mkdir -p "$tree/usr/games" "$tree/usr/share/games"
cp "$game" "$tree/usr/games/kestrune"
cp -rL "$root/data" "$tree/usr/share/games/kestrune"
rm -f "$tree"/usr/share/games/kestrune/prefs/*.prefs "$tree"/usr/share/games/kestrune/tracks/*/top.sc
kes_start_display || exit 1
kes_play_installed "$tree" usr/games/kestrune "$work/home.png"
[ -n "${KES_SHOTS_DIR:-}" ] && mkdir -p "$KES_SHOTS_DIR" && cp "$work/home.png" "$KES_SHOTS_DIR/installed-home.png"
echo "shell folders: ok"
