// The rider's key map: 13 Allegro key codes read from "keys.map" (KEYS_MAP_FILE of fileio/gameFolders.h).
#pragma once

enum KeymapSlot {
    KM_LEFT = 0, KM_RIGHT, KM_DOWN, KM_UP, KM_LEFT_SIDE, KM_RIGHT_SIDE,
    KM_TRICK1, KM_TRICK2, KM_TRICK3, KM_TRICK4, KM_TRICK5, KM_TRICK6,
    KM_BOMB, KM_SLOTS
};

const int BOMB_KEY_CODE = 103;

extern int currentKeymap[KM_SLOTS];

// The arrow keys steer, brake and push beside the letters of slots left, right, down and up (in slot
// order); they are fixed, never in keys.map.
const int RIDER_ARROW_SLOTS = 4;
extern const int riderArrowKeys[RIDER_ARROW_SLOTS];

// Twelve lowercase letters of the default key map in slot order (left .. trick6): the content tool
// writes them into keys.map and the help page, and the game falls back on them.
extern const char DEFAULT_KEYS[13];

// Starts from the default keys, then takes each action's line of the file; a bad or missing line
// keeps that action's default, said in one line naming the file. Returns 1 when the file cannot be
// opened (all defaults), 0 otherwise. The bomb key is always BOMB_KEY_CODE.
int initKeymap(const char* path);
void getCurrentKeymap(int out[KM_SLOTS]);
// The capital letter a player reads on the key of a letter code ('?' for any other code).
char keyLetterOf(int code);
void printKeymap();
