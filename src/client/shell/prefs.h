// The player's preferences kept in "./data/prefs/user.prefs": initials, camera view, difficulty, then
// (each optional, so an older file still loads) whether the ghost is shown, the last track's folder,
// the sound settings, the run's key hints and whether the lesson has been ridden.
#pragma once

#include "track/trackLoader.h"  // viewChoice

// The file's fields but the view (viewChoice, bytes 3-4): the initials are bytes 0-2, the level 5-6.
struct UserPrefs {
    char playerName[4] = "---";
    int level = 0;
    short ghostShown = 1;        // byte 7 (absent: shown)
    char lastTrackDir[256] = ""; // byte 8 its length L, then L bytes (absent or empty: none)
    // Then, one byte each from byte 9 + L: music percent, effects percent, mute (soundSettings of
    // sound/SndWrapper.h), key hints, lesson done.
    short keyHintsShown = 1;     // the fading band of the main keys at a run's start (absent: shown)
    // The lesson was ridden or skipped. No file at all is a new player (0); a file without the byte is a
    // player from before the lesson, who is not sent to it (1).
    short lessonDone = 0;
};
extern UserPrefs userPrefs;

const int minViewChoice = 1;
const int maxViewChoice = 3;

// 1 when the file cannot be opened (the values stay), else 0.
int loadPrefsFile(const char* path);
// Replaces the file whole (temporary file, then rename): 1 on any failure, path untouched, the system's
// reason in why (FILE_WHY_CHARS) when it is given.
int savePrefsFile(const char* path, char* why = nullptr);
