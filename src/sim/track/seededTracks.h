// Seeds and dates in, seeded tracks' folder names, the list's order and which old days' tracks go out.
#pragma once

#include <string>
#include <vector>

// Longest seed a player may type.
const int SEED_MAX_LENGTH = 12;
// A seeded track's folder: this prefix and the seed in lower case.
extern const char* const SEEDED_TRACK_PREFIX;
// The player's folder keeps this many days' tracks, the newest, and every one with a score besides.
const int DAY_TRACKS_KEPT = 30;

// True for 1 to SEED_MAX_LENGTH letters and digits (letters in either case: "Powder" is "powder").
bool validTrackSeed(const std::string& seed);
// The folder and file name of a seed's track: "seed" and the seed in lower case; "" for a bad seed.
std::string seededTrackName(const std::string& seed);
// True for a folder name seededTrackName gives.
bool isSeededTrackName(const std::string& dir);

// A day as YYYYMMDD (20261210); 0 is no day.
// The day's seed: its eight digits, so every copy of the game builds the same track on the same day.
std::string daySeed(int day);
// True for a real calendar day (leap years counted) from 1970 to 9999.
bool validDay(int day);
// The day of a day's track folder ("seed20261210" gives 20261210), 0 for any other folder.
int trackDay(const std::string& dir);
// "2026-12-10"; "" for no day.
std::string dayText(int day);

// Seeded folders in list order: the days' tracks newest first, then the typed seeds by name.
std::vector<std::string> orderSeededTracks(std::vector<std::string> dirs);

struct DayTrackFound {
    std::string dir;
    bool scored; // a top ten entry or a best run was set on it
};
// The days' tracks to remove, oldest first: past the `kept` newest days' tracks, those without a
// score. Folders that are no day's track are never named.
std::vector<std::string> dayTracksToRemove(const std::vector<DayTrackFound>& found, int kept);

// The track screen's list: the data folder's tracks in their order, then the seeded ones in theirs, at
// most `capacity` names; leftOut counts the rest (the player's folder keeps them all the same).
std::vector<std::string> trackListOrder(const std::vector<std::string>& shipped, const std::vector<std::string>& seeded,
                                        int capacity, int& leftOut);

// What the track screen calls a seeded track above its title: "Track of the day, 2026-12-10" for
// today's, "Track of 2026-12-09" for an older day's, "Your seed: powder" for a typed one; "" for any other.
std::string seededTrackLabel(const std::string& dir, int today);
