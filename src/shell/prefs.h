// The player's preferences kept in "./data/prefs/user.prefs": initials, camera view, difficulty, then
// (each optional, so an older file still loads) whether the ghost is shown and the last track's folder.
#pragma once

extern char playerName[4];
#include "track/trackLoader.h"  // viewChoice
extern int level;
extern short ghostShown;        // byte 7 (absent: shown)
extern char lastTrackDir[256];  // byte 8 its length L, then L bytes (absent or empty: none)

const int minViewChoice = 1;
const int maxViewChoice = 3;

// 1 when the file cannot be opened (the values stay), else 0.
int loadPrefsFile(const char* path);
// Replaces the file whole (temporary file, then rename): 1 on any failure, path untouched, the system's
// reason in why (FILE_WHY_CHARS) when it is given.
int savePrefsFile(const char* path, char* why = nullptr);
