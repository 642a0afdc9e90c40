// The key set-up screen reached from Options: the rider's twelve keys, chosen one at a time.
#pragma once

#include "shell/keymap.h"
#include "shell/screenFlow.h"

const int KEY_SETUP_LINES = 12;

// The keys the screen hands to its step in one frame (newKey: the first key code pressed, or 0).
struct KeySetupKeys {
    short up, down, enter, esc;
    int newKey;
};

struct KeySetupState {
    int line;            // highlighted action, 0 .. 11 (the key map's slot)
    short waiting;       // Return was pressed: the next key goes to that line
    short saveFailed;    // the last attempt to leave could not write the map
    const char* message; // shown under the list, nullptr when none
};

extern KeySetupState keySetup;

// What the screen shows for each line.
extern const char* const keySetupLabels[KEY_SETUP_LINES];

// Why a key cannot be given to a rider action, or nullptr when it can.
const char* keyRefusal(int code);
// Gives `code` to `slot`; an action that already had it takes the slot's old key.
void assignKey(int map[KM_SLOTS], int slot, int code);
// One frame of the screen's rules on `map`. Returns 1 when the player asks to leave (ESC, no wait).
int keySetupStep(const KeySetupKeys& in, int map[KM_SLOTS]);
// Leaving: `saved` says whether the map was written. Returns 1 when the screen closes.
int keySetupLeave(short saved);
// Back to the first line with no wait and no message (entering the screen).
void keySetupReset();

// One frame of the screen (keys, rules, drawing): keySetupClosed once it is left. And its drawing.
ScreenEvent ecranTouches();
void displayEcranTouches(const KeySetupState& s, const int map[KM_SLOTS]);
