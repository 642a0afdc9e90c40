// The rider's key map: 13 Allegro key codes read from "keys.map" (KEYS_MAP_FILE of platform/gameFolders.h).
#pragma once

enum KeymapSlot {
    KM_LEFT = 0, KM_RIGHT, KM_DOWN, KM_UP, KM_LEFT_SIDE, KM_RIGHT_SIDE,
    KM_TRICK1, KM_TRICK2, KM_TRICK3, KM_TRICK4, KM_TRICK5, KM_TRICK6,
    KM_BOMB, KM_SLOTS
};

const int BOMB_KEY_CODE = 103;

extern int currentKeymap[KM_SLOTS];

// Returns 1 when the file cannot be opened (the key map is then unchanged), 0 otherwise.
int initKeymap(const char* path);
void getCurrentKeymap(int out[KM_SLOTS]);
void printKeymap();
