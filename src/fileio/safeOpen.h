// Opens a file the game reads without ever blocking: regular files only, no larger than a bound per kind.
#pragma once

#include <cstddef>
#include <cstdio>

// Bounds per kind of file, far above what the game itself writes.
const size_t PREFS_FILE_BOUND = 4 * 1024;           // user.prefs, gfx.prefs
const size_t KEYS_FILE_BOUND = 64 * 1024;           // keys.map, pad.map, a track description
const size_t SCORE_FILE_BOUND = 64 * 1024;          // top.sc (2640 bytes)
const size_t CONTENT_FILE_BOUND = 64 * 1024 * 1024; // tracks, models, poses, pictures, sounds

const int OPEN_WHY_CHARS = 128;

enum OpenOutcome { openedFine, openMissing, openRefused };

// Opens path for reading ("rb" and "r" are the same here). A path that is not there gives openMissing; a
// FIFO, device, folder or socket, a file past maxBytes or one that cannot be read gives openRefused:
// why (OPEN_WHY_CHARS, may be null) then says why in a few words and the path is remembered as refused.
// The open never waits for a writer.
FILE* openBounded(const char* path, size_t maxBytes, OpenOutcome* outcome = nullptr, char* why = nullptr);

// openBounded for a caller that only cares whether it got the file: a refusal is printed in one line.
FILE* openBoundedOrSay(const char* path, size_t maxBytes);

// Why this process refused to read path, or null when it did not: a refused file is never written over.
// Cleared by forgetRefusals.
const char* refusalOf(const char* path);
void forgetRefusals();
