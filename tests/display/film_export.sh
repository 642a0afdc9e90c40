#!/usr/bin/env bash
# The film of a best run. Meadow's finish is brought a few rows from its start and the headless
# rider's push down it kept as its best run (a ride of some 3.5 s). From the command line,
# `kestrune --export-video meadow --size 640x360 --fps 30` makes the film in videos/: ffprobe finds
# that size, the run's time x 30 frames (+-1), a sound track, and frames that change; --png-frames
# makes its pictures in a folder. Without ffmpeg, with an ffmpeg that stops half way, with a videos
# folder that cannot be made and when interrupted, it says why in a line and leaves no file. (The
# game's own film screen is tried in display_ghost.) A frame of the film is kept in build/film/.
set -u
game=$1 root=$2
kesride=$(dirname "$game")/kesride
source "$root/tests/support/display.sh"
kes_prepare "$root"
shots=$root/build/film
mkdir -p "$shots"
rm -f data/tracks/*/top.sc data/tracks/*/best.run data/prefs/user.prefs
# The finish (a big-endian float after the 256-byte title and 84 header bytes): 10 rows down the grid.
printf '\x46\x83\x90\x00' | dd of=data/tracks/meadow/meadow.btrk bs=1 seek=340 conv=notrunc status=none
"$kesride" --data data --track meadow --autopilot --save-best-run data/tracks/meadow/best.run >/dev/null ||
    kes_fail "the headless rider kept no best run"
run_time=$("$kesride" --data data --best-run data/tracks/meadow/best.run | grep -o '"recordedTime":[0-9.]*' | cut -d: -f2)
[ -n "$run_time" ] || kes_fail "the best run does not ride again"
kes_start_display || exit 1

# Only the named files are in videos/: nothing partial, nothing more.
videos_hold() {
    local now
    now=$(ls -A videos 2>/dev/null | sort | tr '\n' ' ')
    [ "$now" = "$1" ] || kes_fail "$2: videos/ holds '$now', not '$1'"
}
film_cmd() { "$game" --export-video meadow --size 640x360 --fps 30 "$@"; }

# From the command line.
"$game" --help | grep -q -- "--export-video TRACK" || kes_fail "--help does not tell --export-video"
"$game" --export-video meadow --fps 0 >bad.log 2>&1
[ $? -eq 2 ] && grep -q "frames a second" bad.log || kes_fail "a bad rate was not refused with 2: $(cat bad.log)"
start=$(date +%s.%N)
film_cmd >cmd.log 2>&1 || kes_fail "the film was not made: $(tail -2 cmd.log)"
seconds=$(awk "BEGIN { printf \"%.1f\", $(date +%s.%N) - $start }")
film=$(cd videos && ls meadow_tolvek_*.mp4 2>/dev/null)
[ "$(echo "$film" | wc -w)" = 1 ] || kes_fail "videos/ holds '$film'"
grep -q "Film saved: .*/videos/$film" cmd.log || kes_fail "the command did not say where: $(tail -1 cmd.log)"
probe() { ffprobe -v error -count_frames -select_streams "$1" -show_entries "stream=$2" -of csv=p=0 "videos/$film"; }
[ "$(probe v:0 width,height)" = "640,360" ] || kes_fail "the film is $(probe v:0 width,height)"
frames=$(probe v:0 nb_read_frames)
echo "film: $frames frames for a run of $run_time s, made in $seconds s"
awk "BEGIN { d = $frames - $run_time * 30; exit !(d <= 1 && d >= -1) }" ||
    kes_fail "$frames frames for a run of $run_time s at 30 frames a second"
[ "$(probe a:0 codec_name)" = aac ] || kes_fail "the film has no sound track"
ffmpeg -v error -ss 0.2 -i "videos/$film" -frames:v 1 first.png &&
    ffmpeg -v error -sseof -0.3 -i "videos/$film" -frames:v 1 last.png ||
    kes_fail "no frames could be taken out of the film"
changed=$(compare -metric AE first.png last.png null: 2>&1 | cut -d' ' -f1)
[ "${changed%%.*}" -gt 5000 ] 2>/dev/null || kes_fail "the film's frames hardly change ($changed pixels)"
cp first.png last.png "$shots/"
videos_hold "$film " "after the film"

PATH=/nonexistent "$game" --export-video meadow --size 320x180 --fps 10 --png-frames >png.log 2>&1 ||
    kes_fail "no frames made: $(tail -2 png.log)"
folder=$(ls -d videos/meadow_tolvek_*/ 2>/dev/null | head -1)
[ "$(ls "$folder" | grep -c '^frame.*\.png$')" -ge 30 ] && [ -f "$folder/sound.wav" ] ||
    kes_fail "the frames' folder holds $(ls "$folder" | wc -l) files"
rm -rf "$folder"

# A best run that no longer rides to its own score is filmed from its samples. (Its score, the u32
# after magic 4, version 2, "meadow" 7, "tolvek" 7 and the count 4, made another.)
cp data/tracks/meadow/best.run kept.run
printf '\x7f' | dd of=data/tracks/meadow/best.run bs=1 seek=24 conv=notrunc status=none
"$game" --export-video meadow --size 320x180 --fps 10 --out "$PWD/samples.mp4" >samples.log 2>&1 ||
    kes_fail "a best run that does not ride again was not filmed: $(tail -2 samples.log)"
grep -q "filmed from its samples" samples.log || kes_fail "not filmed from its samples: $(tail -3 samples.log)"
sampled=$(ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 samples.mp4)
awk "BEGIN { d = $sampled - $run_time * 10; exit !(d <= 1 && d >= -1) }" || kes_fail "$sampled frames from the samples"
mv kept.run data/tracks/meadow/best.run

# Failures: one line, no file, no temporary.
PATH=/nonexistent film_cmd >none.log 2>&1 && kes_fail "a film was made without ffmpeg"
grep -q "ffmpeg is not installed" none.log || kes_fail "no ffmpeg was not said: $(cat none.log)"
mkdir fake
printf '#!/bin/sh\nhead -c 400000 >/dev/null; echo "the encoder gave up" >&2; exit 1\n' >fake/ffmpeg
chmod +x fake/ffmpeg
PATH=$PWD/fake:$PATH film_cmd >dies.log 2>&1 && kes_fail "a film was made by an ffmpeg that stopped"
grep -q "Film not made: ffmpeg stopped: the encoder gave up" dies.log || kes_fail "not said: $(tail -1 dies.log)"
videos_hold "$film " "after the failures"
mv videos kept && touch videos
film_cmd >folder.log 2>&1 && kes_fail "a film was made where videos/ is a file"
grep -q "Film not made: can't write in the folder of videos/" folder.log || kes_fail "not said: $(tail -1 folder.log)"
rm videos && mv kept videos

# Ctrl-C cancels: nothing kept.
"$game" --export-video meadow --size 640x360 --fps 30 >int.log 2>&1 &
pid=$!
# Sent once the film's temporaries are in videos/: a fixed wait raced a fast machine to the end.
for _ in $(seq 400); do
    ls videos/*.part >/dev/null 2>&1 && break
    kill -0 $pid 2>/dev/null || break
    sleep 0.05
done
kill -INT $pid
wait $pid
status=$?
[ $status -ne 0 ] || kes_fail "an interrupted film was made"
grep -q "Film cancelled: nothing was kept" int.log || kes_fail "the cancel was not said: $(tail -1 int.log)"
videos_hold "$film " "after the cancel"
echo "film_export: ok"
