// Takes the rider's key map and the old "keys.map" text; returns and writes the new text.
#pragma once

#include <string>

#include "shell/keymap.h"

const int KEYMAP_FILE_SLOTS = KM_BOMB; // the bomb key is fixed and never written

// The comment lines that open a fresh key map (the content tool writes them too).
extern const char keymapFileHeader[];

// The old file's text with its key lines (every line that is neither a comment nor blank, in order)
// given the letters of `keys`; comments, blank lines and the rest of each key line are kept, missing
// key lines are added at the end. An empty `previous` gives the header and twelve lines.
std::string keymapFileText(const std::string& previous, const int keys[KEYMAP_FILE_SLOTS]);

// Writes currentKeymap into `to` through a temporary file and a rename, keeping the comments of the map
// read from `from` (the player's copy, or the shipped default before the first save). 0 when written.
int saveKeymap(const char* from, const char* to);
