#!/usr/bin/env bash
# Soak test by hand (not part of make test): the game under Xvfb for MINUTES (default 30) with random
# keys in every screen. Restarts the game when a key quits it, fails on a crash, and prints the resident
# memory of the last game process after its first minutes and at the end.
# Usage: scripts/soak.sh [MINUTES] [GAME_BINARY]
set -u
minutes=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
game=${2:-$root/build/kestrune}
source "$root/tests/support/display.sh"
trap kes_cleanup EXIT

[ -d "$root/data/prefs" ] || { echo "no generated data in $root/data: run make data first" >&2; exit 1; }
work=$(mktemp -d)
cp -rL "$root/data" "$work/data"
cd "$work"
kes_start_display || exit 1

keys=(Left Right Up Down Left Right Up Down Return Return space s f d e w r j k l u i o g F7 F8 F9 a b c)
end=$(( $(date +%s) + minutes * 60 ))
starts=0 presses=0 first_rss= last_rss=

start_game() {
    "$game" >>game.log 2>&1 &
    KES_GAME_PID=$!
    starts=$((starts + 1))
    kes_wait_window 20 >/dev/null || kes_fail "no set-up dialog"
    sleep 1
    kes_key Return
    sleep 3
    started_at=$(date +%s)
    first_rss=
}

rss() { awk '/VmRSS/ {print $2}' /proc/$KES_GAME_PID/status 2>/dev/null; }

start_game
while [ "$(date +%s)" -lt "$end" ]; do
    if ! kill -0 $KES_GAME_PID 2>/dev/null; then
        wait $KES_GAME_PID; rc=$?
        [ $rc -eq 0 ] || kes_fail "the game ended with status $rc after $presses keys: $(tail -5 game.log)"
        echo "game $starts quit after $(( $(date +%s) - started_at )) s: ${first_rss:-?} kB after 2 min, ${last_rss:-?} kB at its end"
        start_game
        continue
    fi
    # ESC now and then walks back through the screens (and sometimes quits from the home menu); rare
    # enough that one game lives long enough for its memory to tell.
    if [ $((RANDOM % 150)) -eq 0 ]; then k=Escape; else k=${keys[RANDOM % ${#keys[@]}]}; fi
    hold=$(awk -v r=$RANDOM 'BEGIN { printf "%.2f", 0.08 + (r % 60) / 100 }')
    xdotool keydown "$k"; sleep "$hold"; xdotool keyup "$k"
    presses=$((presses + 1))
    now=$(date +%s)
    r=$(rss)
    [ -n "$r" ] || continue     # the game has just quit: keep its last reading
    if [ -z "$first_rss" ] && [ $((now - started_at)) -ge 120 ]; then first_rss=$r; fi
    last_rss=$r
done
echo "soak: $minutes min, $presses keys, $starts game starts"
echo "resident memory of the last game: ${first_rss:-?} kB after 2 min, ${last_rss:-?} kB at the end"
if [ -n "$first_rss" ] && [ -n "$last_rss" ]; then
    awk -v a="$first_rss" -v b="$last_rss" 'BEGIN { d = (b - a) * 100 / a; printf "growth: %.1f %%\n", d; exit (d > 10) }' ||
        kes_fail "resident memory grew by more than 10 %"
fi
rm -rf "$work"
