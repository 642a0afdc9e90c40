// The player's preferences kept in "./data/prefs/user.prefs": initials, camera view, difficulty.
#pragma once

extern char playerName[4];
extern int viewChoice;
extern int level;

const int minViewChoice = 1;
const int maxViewChoice = 3;

// Both return 1 when the file cannot be opened; save returns whether closing failed otherwise.
int loadPrefsFile(const char* path);
int savePrefsFile(const char* path);
