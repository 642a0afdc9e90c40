// The gamepad's map "pad.map": which button or stick direction gives each action. Text in, table out.
// No Allegro here: the reader is fuzzed and tested alone.
#pragma once

#include <cstddef>
#include <string>

#include "run/actionNames.h"


enum PadBindingKind { PB_NONE, PB_BUTTON, PB_AXIS };
struct PadBinding {
    int kind;  // PadBindingKind
    int index; // button number, or axis number counted over every stick of the pad in order
    int sign;  // axis direction, +1 or -1
};

const int PAD_BINDINGS_PER_ACTION = 2; // e.g. the left stick and the cross
const int PAD_MAX_BUTTONS = 32;
const int PAD_MAX_AXES = 15;

struct PadMap {
    PadBinding bind[PA_COUNT][PAD_BINDINGS_PER_ACTION];
};

extern const char* const PAD_MAP_FILE; // "prefs/pad.map", beside the key map

// The defaults: a common two-stick pad as Linux reports it (A B X Y = buttons 0 1 2 3, LB RB = 4 5,
// Back Start = 6 7; left stick axes 0 1, left trigger 2, right stick 3 4, right trigger 5, cross 6 7).
void defaultPadMap(PadMap& m);

// Lines "ACTION BINDING [BINDING]", BINDING being "button N", "axis N +", "axis N -" or "none";
// '#' starts a comment. Each action keeps its default unless a line sets it. Returns the number of
// lines that could not be read; `complaints` gets one line for each, naming it.
int readPadMapText(const char* text, size_t size, PadMap& m, std::string& complaints);
// The file at path (the defaults, and 1, when it cannot be opened); complaints go to standard output.
int loadPadMap(const char* path, PadMap& m);
// The text of a map, with the comments that explain it (the content tool writes the defaults so).
std::string padMapText(const PadMap& m);
