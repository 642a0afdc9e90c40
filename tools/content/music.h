// Instruments and the step sequencer behind the themes and background tunes.
#pragma once

#include "synth.h"

#include <vector>

enum Instrument {
    INS_PAD, INS_EPIANO, INS_BELL, INS_PLUCK, INS_CHIP, INS_BASS, INS_LEAD, INS_BRASS, INS_FLUTE,
    INS_KICK, INS_SNARE, INS_HAT, INS_SHAKER
};

// One note of an instrument, with its tail after the release: length held in seconds.
Wave renderNote(Instrument ins, float pitch, float held, float velocity, uint32_t seed);

struct Note {
    float beat, length; // in beats
    float pitch;        // MIDI note number (ignored by the drums)
    float velocity;
};

struct Part {
    Instrument instrument;
    float gain;
    float echo; // send to the dotted-eighth echo and the room
    std::vector<Note> notes;
};

// The parts mixed into a loop of totalBeats: tails wrap round to the start, echoes and room run
// round the loop until they settle, so the end leads into the beginning without a seam.
Wave renderLoop(const std::vector<Part>& parts, float bpm, int totalBeats);

// A tune as the sequencer writes it: key, chords and patterns of sixteen steps a bar.
struct SongRecipe {
    float bpm;
    int bars;
    int tonic;              // MIDI note of the key's root in the third octave
    const int* mode;        // seven semitone offsets
    const char* chords;     // one scale degree (1-7) a bar, repeated over the tune
    const char* sections;   // one letter a four-bar block: A calm, B groove, C full, D no arpeggio
    Instrument chordIns, arpIns, bassIns, leadIns;
    const char* bassSteps;  // R root, F fifth, O octave, '-' hold, '.' rest
    const char* arpSteps;   // 0-3 chord tone, '.' rest
    const char* kickSteps;  // x hit, o soft hit, '.' rest
    const char* snareSteps;
    const char* hatSteps;
    const char* leadRhythm; // two bars: x note, '-' hold, '.' rest
    float swing;            // delay of the off-beat eighths, in sixteenths
    uint32_t seed;
};

Wave renderSong(const SongRecipe& song);
float songSeconds(const SongRecipe& song);
