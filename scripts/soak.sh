#!/usr/bin/env bash
# Soak test by hand (not part of make test): the game under Xvfb for MINUTES (default 30) with random
# keys in every screen. Each game start first rides a whole run on Iron Park, through the name entry and
# the score table, which gives the memory baseline (the first run loads the track, and the first pass
# through each screen grows the software renderer's caches); then random keys, restarting the game
# when a key quits it. Fails on a crash or when a game's resident memory ends more than 10 % above its
# baseline. With the sanitizer build (GAME_BINARY build-san/kestrune) it also fails on any line of a
# sanitizer's report, all of which it prints. Usage: scripts/soak.sh [MINUTES] [GAME_BINARY]
set -u
minutes=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
game=${2:-$root/build/kestrune}
source "$root/tests/support/display.sh"
trap kes_cleanup EXIT
# A sanitizer build reports into the game's log and goes on where it can. Leaks are left to the memory
# check: the system's GL and X libraries keep what they allocate until the process ends.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=0}
sanitizer_lines() {
    grep -E 'runtime error:|(Address|Leak|Memory|Thread|UndefinedBehavior)Sanitizer|^ +#[0-9]+ 0x' game.log 2>/dev/null
}
sanitizer_check() {
    local found; found=$(sanitizer_lines)
    [ -z "$found" ] || { printf '%s\n' "$found"; kes_fail "sanitizer reports $1 ($(printf '%s\n' "$found" | grep -c 'runtime error:\|ERROR:') reports)"; }
}

[ -d "$root/data/prefs" ] || { echo "no generated data in $root/data: run make data first" >&2; exit 1; }
kes_scratch_copy "$root" || kes_fail "cannot copy the data"
kes_start_display || exit 1

keys=(Left Right Up Down Left Right Up Down Return Return space s f d e w r j k l u i o b F7 F8 F9 a c)
end=$(( $(date +%s) + minutes * 60 ))
starts=0 presses=0 base_rss= last_rss= worst=0 next_report=$(( $(date +%s) + 300 ))

rss() { awk '/VmRSS/ {print $2}' /proc/$KES_GAME_PID/status 2>/dev/null; }

# Set-up dialog, Play, the rider, Iron Park (the second track, the shortest ride) pushed to the finish,
# the initials, the score table and back to the track screen.
start_game() {
    kes_launch "$game" game.log 4
    starts=$((starts + 1))
    rm -f data/tracks/ironpark/top.sc
    kes_press Up 4; kes_press Return; sleep 1; kes_press Return; sleep 1
    kes_press Left 8; kes_press Right; kes_press Return; sleep 6
    kes_key space 0.3; sleep 3
    kes_push_for 70
    kes_key Return; sleep 1.5
    kes_enter_initials; sleep 1.5
    kes_press Return; sleep 2
    grep -q AGV data/tracks/ironpark/top.sc 2>/dev/null || kes_fail "the first run did not reach the score table"
    started_at=$(date +%s)
    base_rss=$(rss) last_rss=$base_rss
}

# Prints one game's figures and keeps the largest growth seen.
game_report() {
    local growth
    growth=$(awk -v a="$base_rss" -v b="$last_rss" 'BEGIN { printf "%.1f", (b - a) * 100 / a }')
    echo "game $starts: $(( $(date +%s) - started_at )) s of random keys, $base_rss kB after the first run, $last_rss kB at the end ($growth %)"
    worst=$(awk -v w="$worst" -v g="$growth" 'BEGIN { print (g > w) ? g : w }')
}

start_game
while [ "$(date +%s)" -lt "$end" ]; do
    if ! kill -0 $KES_GAME_PID 2>/dev/null; then
        wait $KES_GAME_PID; rc=$?
        [ $rc -eq 0 ] || { sanitizer_lines; kes_fail "the game ended with status $rc after $presses keys: $(tail -5 game.log)"; }
        sanitizer_check "in game $starts"
        game_report
        start_game
        continue
    fi
    # ESC now and then walks back through the screens (and sometimes quits from the home menu); rare
    # enough that one game lives long enough for its memory to tell.
    if [ $((RANDOM % 150)) -eq 0 ]; then k=Escape; else k=${keys[RANDOM % ${#keys[@]}]}; fi
    hold=$(awk -v r=$RANDOM 'BEGIN { printf "%.2f", 0.08 + (r % 60) / 100 }')
    xdotool keydown "$k"; sleep "$hold"; xdotool keyup "$k"
    presses=$((presses + 1))
    r=$(rss)
    [ -n "$r" ] && last_rss=$r   # empty when the game has just quit: keep its last reading
    if [ "$(date +%s)" -ge "$next_report" ]; then
        echo "game $starts after $(( $(date +%s) - started_at )) s: $last_rss kB"
        next_report=$(( next_report + 300 ))
    fi
done
game_report
sanitizer_check "at the end"
echo "soak: $minutes min, $presses keys, $starts game starts, largest growth $worst %, no sanitizer report"
awk -v w="$worst" 'BEGIN { exit (w > 10) }' || kes_fail "resident memory grew by more than 10 %"
rm -rf "$work"
