#!/usr/bin/env bash
# Removes the files the content tool made in a data folder (those its ".generated" list names) and
# the folders left empty; whatever else is there belongs to the player (scores, preferences, an
# edited key map) and stays. Usage: scripts/cleandata.sh DATA
set -u
data=${1:?usage: cleandata.sh DATA}
[ -d "$data" ] || exit 0
rm -rf "$data/.kescontent-new"
if [ ! -f "$data/.generated" ]; then
    echo "$data has no list of generated files: left as it is" >&2
    exit 0
fi
while IFS= read -r f; do
    case $f in ''|/*|..|../*|*/../*|*/..) continue ;; esac   # only paths inside the folder
    rm -f -- "$data/$f"
done <"$data/.generated"
rm -f "$data/.generated"
find "$data" -mindepth 1 -depth -type d -empty -delete
rmdir "$data" 2>/dev/null
exit 0
