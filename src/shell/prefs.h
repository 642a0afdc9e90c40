// The player's preferences kept in "./data/prefs/user.prefs": initials, camera view, difficulty.
#pragma once

extern char playerName[4];
extern int viewChoice;
extern int level;

const int minViewChoice = 1;
const int maxViewChoice = 3;

// 1 when the file cannot be opened (the values stay), else 0.
int loadPrefsFile(const char* path);
// Replaces the file whole (temporary file, then rename): 1 on any failure, path untouched, the system's
// reason in why (FILE_WHY_CHARS) when it is given.
int savePrefsFile(const char* path, char* why = nullptr);
