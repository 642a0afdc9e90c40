#!/usr/bin/env bash
# Runs kesview on a private X display beside ./data and converts its pictures to PNG.
# Usage: tools/viewer/kesview.sh BUILD_DIR OUTDIR [smooth] [haze]   (from the directory holding ./data)
set -u
viewer=$(readlink -f "$1/tools/kesview") out=$2
root=$(dirname "$(readlink -f "$0")")/../..
source "$root/tests/support/display.sh"
trap kes_cleanup EXIT
kes_start_display || exit 1
mkdir -p "$out"
"$viewer" "$out" "${@:3}" || exit 1
for t in "$out"/*.tga; do convert "$t" -auto-orient "${t%.tga}.png" && rm -f "$t"; done
