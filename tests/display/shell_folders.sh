#!/usr/bin/env bash
# Where the game finds its data and puts the player's files, started as a player would: a program
# with no data anywhere says where it looked; the install rules (cmake --install into a scratch
# DESTDIR) give a valid desktop entry, AppStream metadata, manual page and icons, and the installed
# game, started from an unrelated folder, plays and writes only under HOME; with no player's folder
# to be had it still plays and says what it could not save.
set -u
game=$1 root=$2
build=$(dirname "$(readlink -f "$game")")
source "$root/tests/support/display.sh"
source "$root/tests/support/installed.sh"
trap 'kes_cleanup; rm -rf "${work:-}"' EXIT
work=$(mktemp -d)

mkdir -p "$work/lone/bin" "$work/empty"
cp "$game" "$work/lone/bin/kestrune"
(cd "$work/empty" && "$work/lone/bin/kestrune" >"$work/lone.log" 2>&1); rc=$?
[ $rc -eq 2 ] || kes_fail "without data the game ended with $rc: $(cat "$work/lone.log")"
grep -q "gui/logo.bmp" "$work/lone.log" && grep -q "$work/lone/share/games/kestrune" "$work/lone.log" ||
    kes_fail "the message does not name the places looked at: $(cat "$work/lone.log")"

cmake --build "$build" --target dist >"$work/dist.log" 2>&1 || kes_fail "the dist target failed: $(tail -5 "$work/dist.log")"
tree=$work/root
DESTDIR=$tree cmake --install "$build" >"$work/install.log" 2>&1 || kes_fail "install failed: $(tail -5 "$work/install.log")"
usr=$tree$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
kes_check_install_tree "$usr"
kes_start_display || exit 1
kes_play_installed "$usr" games/kestrune "$work/home.png"
# A player's folder that cannot be made: the game plays all the same and says what it could not save.
export HOME=$work/blocked
mkdir -p "$HOME/.local" && echo "a file where the folder should be" >"$HOME/.local/share"
cd "$work/empty"
kes_launch "$usr/games/kestrune" "$work/blocked.log"
kes_key Escape
for _ in $(seq 50); do kill -0 "$KES_GAME_PID" 2>/dev/null || break; sleep 0.2; done
wait "$KES_GAME_PID"; rc=$?
KES_GAME_PID=
[ $rc -eq 0 ] || kes_fail "with no player's folder the game ended with $rc: $(tail -3 "$work/blocked.log")"
grep -q "Could not save the preferences in $HOME/.local/share/kestrune/prefs/user.prefs: Not a directory" "$work/blocked.log" ||
    kes_fail "no word on the preferences that could not be saved: $(tail -3 "$work/blocked.log")"
[ -n "${KES_SHOTS_DIR:-}" ] && mkdir -p "$KES_SHOTS_DIR" && cp "$work/home.png" "$KES_SHOTS_DIR/installed-home.png"
echo "shell folders: ok"
