// The gamepad through Allegro's joystick driver: its state each frame, turned into the pad's actions.
#pragma once

#include <allegro.h>

#include "shell/padMap.h"

// A stick pushed less than this far (of 128) counts as centred.
const int PAD_DEAD_ZONE = 48;

// The actions a pad state gives under a map: dead zone, every axis counted over the sticks in order,
// buttons, and the shift that turns trick1-3 into trick4-6.
void padActionsFrom(const JOYSTICK_INFO& pad, const PadMap& m, short held[PA_COUNT]);

// At start-up: finds the first pad and reads its map from mapPath; says in one line what it found.
// Returns 1 when a pad is there.
int installPad(const char* mapPath);
// Once a frame: reads the pad (nothing without one).
void pollPad();
// Whether the pad holds an action this frame (always 0 without a pad).
short padHeld(int action);
