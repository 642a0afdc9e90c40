// A run's input as it was ridden: the buttons held at every tick from the first after the run was
// loaded until its score was settled, kept as spans of ticks holding the same buttons, with what
// else the ride depended on (the rider's weight, the landing tolerances, the tick rate). Enough to
// ride it again.
#pragma once

#include <cstddef>
#include <vector>

#include "run/runInput.h"

// A run of ticks with the same buttons held: bit b of held is RunButton b.
struct HeldSpan {
    unsigned short held;
    unsigned long ticks;
};

// What the run read besides its input and its track.
struct RideConditions {
    int ticksPerSecond = 0;
    float weight = 0.0f;          // the weight the slope pulled with, in kilograms
    int tolerances[3] = {};       // right-and-left, front-and-back, side to side (degrees)
};

struct InputRecording {
    RideConditions ridden;
    std::vector<HeldSpan> spans;
    unsigned long ticks = 0;  // the spans' sum
    short full = 0;           // the bound was reached: the input is incomplete and cannot be ridden again
    short closed = 0;         // the score was settled (on the snow past the line): nothing more is added
};

// A run at its bound of recorded ticks (an hour) is no longer recorded; its ghost still is.
const unsigned long maxRecordedTicks = 3600ul * 60;
const unsigned short allHeldBits = (1u << RB_COUNT) - 1;

void clearInputRecording(InputRecording* rec);
// The input holds every tick of a run up to its settled score: it can be ridden again.
int wholeInput(const InputRecording& rec);
// The buttons of a record as bits, and back.
unsigned short heldBits(const RunInput& in);
void setHeldBits(unsigned short bits, RunInput* in);
// Adds one tick holding these buttons; the first tick also notes the ride's conditions. Nothing
// once closed or full.
void recordTickInput(InputRecording* rec, unsigned short held, const RideConditions& now);
// Adds a span of ticks as a file gives them: joined to the last span when it holds the same buttons.
void appendHeldSpan(InputRecording* rec, unsigned short held, unsigned long ticks);

// Reads a recording tick by tick, from its first.
struct InputCursor {
    const InputRecording* rec = nullptr;
    size_t span = 0;
    unsigned long inSpan = 0;  // ticks of that span already given
};
void startInputCursor(InputCursor* c, const InputRecording& rec);
// The next tick's buttons; 0 once every recorded tick was given.
int nextTickInput(InputCursor* c, unsigned short* held);
