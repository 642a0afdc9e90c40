#!/usr/bin/env bash
# The game's ends from outside. SIGTERM in the set-up dialog, SIGTERM on the home menu and SIGINT in a
# run each end it within a few seconds with status 128 + the signal, the preferences saved as on ESC
# (none from the dialog, which saves nothing) and no temporary file left. Then the X server goes away
# under the home menu: the game ends within 2 s with status 1 and one line saying so.
set -u
game=$1 root=$2
source "$root/tests/support/display.sh"
kes_prepare "$root"
kes_start_display || exit 1

# Sends signal $1 and waits up to $2 seconds for the game to end; sets rc and took (in tenths of a second).
signal_and_wait() {
    local start=$(date +%s%N) i
    kill -"$1" $KES_GAME_PID
    for i in $(seq $(( $2 * 10 ))); do kill -0 $KES_GAME_PID 2>/dev/null || break; sleep 0.1; done
    kill -0 $KES_GAME_PID 2>/dev/null && kes_fail "SIG$1: the game was still running $2 s later"
    wait $KES_GAME_PID; rc=$?; KES_GAME_PID=
    took=$(( ($(date +%s%N) - start) / 100000000 ))
}
no_temporaries() {
    local left; left=$(find data -name '*.tmp')
    [ -z "$left" ] || kes_fail "$1: temporary files left: $left"
}
fresh_prefs() { rm -f data/prefs/user.prefs data/prefs/gfx.prefs; }

fresh_prefs
kes_start_game "$game" dialog.log || kes_start_game "$game" dialog.log || kes_fail "no set-up dialog"
sleep 1
signal_and_wait TERM 5
[ $rc -eq 143 ] || kes_fail "SIGTERM in the set-up dialog: exit status $rc: $(tail -3 dialog.log)"
[ ! -e data/prefs/gfx.prefs ] || kes_fail "SIGTERM in the set-up dialog saved the display settings"

fresh_prefs
kes_launch "$game" home.log
signal_and_wait TERM 5
[ $rc -eq 143 ] || kes_fail "SIGTERM on the home menu: exit status $rc: $(tail -3 home.log)"
# Saved whole as ESC saves it: the initials first, then the later fields (at least the seven first bytes).
[ -f data/prefs/user.prefs ] && [ "$(stat -c %s data/prefs/user.prefs)" -ge 7 ] &&
    [ "$(head -c 3 data/prefs/user.prefs)" = "---" ] || kes_fail "SIGTERM on the home menu: user.prefs not saved"
grep -q Aborted home.log && kes_fail "SIGTERM on the home menu aborted: $(tail -3 home.log)"
no_temporaries "SIGTERM"

fresh_prefs
kes_launch "$game" run.log
kes_to_run
track=$(ls data/tracks | sed -n 2p)
signal_and_wait INT 5
[ $rc -eq 130 ] || kes_fail "SIGINT in a run: exit status $rc: $(tail -3 run.log)"
# As on a normal exit the last track ridden is kept in it.
grep -q "$track" data/prefs/user.prefs || kes_fail "SIGINT in a run: user.prefs lacks the track $track"
no_temporaries "SIGINT"

kes_launch "$game" lost.log
before=$(wc -l <lost.log)
start=$(date +%s%N)
kill $KES_XVFB_PID; KES_XVFB_PID=
for _ in $(seq 50); do kill -0 $KES_GAME_PID 2>/dev/null || break; sleep 0.1; done
kill -0 $KES_GAME_PID 2>/dev/null && kes_fail "the game outlived its X server by 5 s"
wait $KES_GAME_PID; rc=$?; KES_GAME_PID=
took=$(( ($(date +%s%N) - start) / 1000000 ))
[ $took -le 2000 ] || kes_fail "the game took $took ms to end after its X server"
[ $rc -eq 1 ] || kes_fail "the lost display gave exit status $rc: $(tail -3 lost.log)"
said=$(tail -n +$((before + 1)) lost.log)
[ "$said" = "Kestrune: the X display was lost; the game ends" ] || kes_fail "the lost display said: '$said'"
echo "signals: ok"
