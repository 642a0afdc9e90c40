// The names of the rider's actions as the pad map and the ride files write them, and the run's
// button of each. One list for every file that names an action.
#pragma once

#include "run/runInput.h"

// The first twelve follow the key map's slots; then the pad's own.
enum PadAction {
    PA_LEFT, PA_RIGHT, PA_DOWN, PA_UP, PA_LEFT_SIDE, PA_RIGHT_SIDE,
    PA_TRICK1, PA_TRICK2, PA_TRICK3, PA_TRICK4, PA_TRICK5, PA_TRICK6,
    PA_JUMP, PA_BOMB, PA_ENTER, PA_BACK, PA_PAUSE,
    PA_SHIFT, // while held, trick1-3 give way to trick4-6 (a pad has few buttons)
    PA_COUNT
};

extern const char* const padActionNames[PA_COUNT]; // the names the files use

// The run's button of a named action; RB_COUNT for a name that is none of the run's buttons.
RunButton runButtonNamed(const char* name);
