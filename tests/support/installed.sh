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

# What an installed tree under PREFIX must hold, each file passing its own validator.
kes_check_install_tree() {
    local usr=$1 size warnings page
    [ -x "$usr/games/kestrune" ] || kes_fail "no program in $usr/games"
    [ -f "$usr/share/games/kestrune/gui/logo.bmp" ] || kes_fail "no data in $usr/share/games/kestrune"
    [ -f "$usr/share/games/kestrune/prefs/keys.map" ] || kes_fail "no default key map installed"
    [ -z "$(find "$usr/share/games/kestrune" \( -name top.sc -o -name '*.prefs' -o -name '.*' \))" ] ||
        kes_fail "player's or hidden files installed: $(find "$usr/share/games/kestrune" \( -name top.sc -o -name '*.prefs' -o -name '.*' \))"
    desktop-file-validate "$usr/share/applications/org.kestrune.Kestrune.desktop" ||
        kes_fail "the desktop entry does not validate"
    appstreamcli validate --no-net "$usr/share/metainfo/org.kestrune.Kestrune.metainfo.xml" >/dev/null ||
        kes_fail "the AppStream metadata does not validate: $(appstreamcli validate --no-net "$usr/share/metainfo/org.kestrune.Kestrune.metainfo.xml")"
    page=$(ls "$usr"/share/man/man6/kestrune.6* 2>/dev/null | head -1)     # compressed in the package
    [ -n "$page" ] || kes_fail "no manual page in $usr/share/man/man6"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || kes_fail "the manual page warns: $warnings"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q "^KEYS" ||
        kes_fail "the manual page does not render"
    for size in 128 256; do
        [ "$(identify -format '%wx%h %[channels]' "$usr/share/icons/hicolor/${size}x${size}/apps/kestrune.png")" = "${size}x${size} srgba" ] ||
            kes_fail "icon $size: $(identify "$usr/share/icons/hicolor/${size}x${size}/apps/kestrune.png")"
    done
}
