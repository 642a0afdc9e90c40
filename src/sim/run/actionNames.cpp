// Takes an action's name; returns the run's button for it.
#include "run/actionNames.h"

#include <cstring>

const char* const padActionNames[PA_COUNT] = {
    "left",   "right",  "down",   "up",    "leftSide", "rightSide", "trick1", "trick2", "trick3",
    "trick4", "trick5", "trick6", "jump",  "bomb",     "enter",     "back",   "pause",  "shift"};

static const RunButton buttonOfAction[PA_ENTER + 1] = {
    RB_LEFT,   RB_RIGHT,  RB_DOWN,   RB_UP,     RB_LEFT_SIDE, RB_RIGHT_SIDE, RB_TRICK1, RB_TRICK2,
    RB_TRICK3, RB_TRICK4, RB_TRICK5, RB_TRICK6, RB_JUMP,      RB_BOMB,       RB_ENTER};

RunButton runButtonNamed(const char* name)
{
    for (int a = 0; a <= PA_ENTER; a++)
        if (strcmp(name, padActionNames[a]) == 0) return buttonOfAction[a];
    return RB_COUNT;
}
