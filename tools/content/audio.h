// Every sound and tune the content tool makes, each with the recipe that synthesizes it.
#pragma once

#include "synth.h"

struct AudioPiece {
    const char* file; // under the data directory
    bool loops;       // played looped: its last sample must lead smoothly into its first
    Wave (*make)();
};

// The game's samples, AIFF, under "sounds/".
extern const AudioPiece soundEffects[];
extern const int NB_SOUND_EFFECTS;
// The two looping menu themes (AIFF, "sounds/themes/") and the background tunes (FLAC, "bgmusics/").
extern const AudioPiece musicThemes[];
extern const int NB_MUSIC_THEMES;
extern const AudioPiece musicTunes[];
extern const int NB_MUSIC_TUNES;

// Writes each piece under data; 1 when a file could not be written.
int writePieces(const std::string& data, const AudioPiece* pieces, int count, int format);
