// What must hold before the game opens any window: its data folder with the start-up files, and a display.
#pragma once

const int START_WHY_CHARS = 512;

// True when folder holds every file start-up cannot do without; otherwise one English line in why
// (START_WHY_CHARS) naming the folder and the first file missing.
bool checkDataFolder(const char* folder, char* why);
// True when an X display answers; otherwise why (START_WHY_CHARS) says what was tried.
bool checkDisplay(char* why);
