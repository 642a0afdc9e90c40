# Plays an installed game as a new player: from an unrelated folder, with HOME at a scratch folder.
# Source it after display.sh, with a display started.

# Starts TREE/PROGRAM from a scratch folder with HOME at another, reaches the home menu (its picture
# into SHOT), quits with ESC and checks that the preferences went under HOME and nothing into TREE
# nor into the folder it was started from.
kes_play_installed() {
    local tree=$1 program=$2 shot=$3 before after rc player
    local home elsewhere
    home=$(mktemp -d) elsewhere=$(mktemp -d)
    before=$(cd "$tree" && find . -printf "%p %s %T@ %m\n" | sort)
    export HOME=$home
    unset XDG_DATA_HOME
    player=$home/.local/share/kestrune
    cd "$elsewhere"
    kes_launch "$tree/$program" "$home/game.log"
    cd "$player" || kes_fail "no player folder $player after the start: $(tail -3 "$home/game.log")"
    kes_shot "$shot"
    [ "$(kes_colours "$shot")" -gt 1 ] || kes_fail "the home menu of the installed game is uniform"
    kes_key Escape
    for _ in $(seq 50); do kill -0 "$KES_GAME_PID" 2>/dev/null || break; sleep 0.2; done
    kill -0 "$KES_GAME_PID" 2>/dev/null && kes_fail "ESC on the home menu did not quit"
    wait "$KES_GAME_PID"; rc=$?
    KES_GAME_PID=
    [ $rc -eq 0 ] || kes_fail "the installed game ended with $rc: $(tail -3 "$home/game.log")"
    [ "$(stat -c %s "$player/prefs/gfx.prefs" 2>/dev/null)" -ge 6 ] || kes_fail "no gfx.prefs under $player"
    [ "$(stat -c %s "$player/prefs/user.prefs" 2>/dev/null)" -ge 7 ] || kes_fail "no user.prefs under $player"
    after=$(cd "$tree" && find . -printf "%p %s %T@ %m\n" | sort)
    [ "$before" = "$after" ] || kes_fail "the game wrote into its installed tree $tree: $(diff <(echo "$before") <(echo "$after") | head -5)"
    [ -z "$(ls -A "$elsewhere")" ] || kes_fail "the game wrote into the folder it was started from: $(ls -A "$elsewhere")"
    rm -rf "$home" "$elsewhere"
}
