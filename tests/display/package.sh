#!/usr/bin/env bash
# The Debian package as a player gets it: built with debhelper from the install rules (reusing this
# build folder), unpacked into a scratch root, its files validated, then the installed program
# started from an unrelated folder with HOME at a scratch folder: home menu, ESC, and the
# preferences written under HOME and nothing into the installed tree.
set -u
game=$1 root=$2
build=$(dirname "$(readlink -f "$game")")
source "$root/tests/support/display.sh"
source "$root/tests/support/installed.sh"
trap 'kes_cleanup; rm -rf "${work:-}"' EXIT
work=$(mktemp -d)

rm -f "$build"/kestrune_*.deb
(cd "$root" && fakeroot debian/rules binary KESTRUNE_BUILD="$build") >"$work/deb.log" 2>&1 ||
    kes_fail "the package did not build: $(tail -5 "$work/deb.log")"
deb=$(ls "$build"/kestrune_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || kes_fail "no package in $build"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
dpkg-deb -f "$deb" Depends | grep -q liballegro4 || kes_fail "the package does not depend on Allegro"
dpkg-deb -x "$deb" "$work/root" || kes_fail "the package does not unpack"
grep -q '^Exec=/usr/games/kestrune$' "$work/root/usr/share/applications/org.kestrune.Kestrune.desktop" ||
    kes_fail "the desktop entry does not start /usr/games/kestrune"
kes_check_install_tree "$work/root/usr"
kes_start_display || exit 1
kes_play_installed "$work/root/usr" games/kestrune "$work/home.png"
echo "package: ok"
