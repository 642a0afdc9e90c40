// The rider's controls of one frame as one record in; the run's view of it (held, edges, clock) out.
// The platform layer fills a record from the keyboard through the key map; a test or a recording
// fills it directly. The simulation reads nothing else: no key array, no clock.
#pragma once

#include "run/keyDetector.h"
#include "core/AnimationTimer.h"

struct RunState;

// The pace the run's scaled amounts are stated at (frameScale turns them into amounts per tick).
const float referenceFrameRate = 20.0f;

enum RunButton {
    RB_LEFT, RB_RIGHT, RB_UP, RB_DOWN, RB_LEFT_SIDE, RB_RIGHT_SIDE,
    RB_TRICK1, RB_TRICK2, RB_TRICK3, RB_TRICK4, RB_TRICK5, RB_TRICK6,
    RB_JUMP, RB_BOMB, RB_ENTER,
    RB_COUNT
};

struct RunInput {
    short held[RB_COUNT] = {};  // 1 while the button is held in this frame
    long clockMs = 0;           // the run clock of this tick, in milliseconds
    float frameps = 1.0f;       // drawn frames counted in the last whole second (shown by F7 only)
};

// Every detector and timer the run keeps over its records; reset before each run.
struct RunInputState {
    RunInput current;
    KeyDetector press[RB_COUNT];
    KeyDetector release[RB_COUNT];
    KeyDetector heldTime[RB_COUNT];
    AnimationTimer afterTurn;  // time since the last turn pose ended
    float lastMeasuredRate = referenceFrameRate;  // drawnFrameScale's rate while frameps holds no measurement
};

void resetRunInput(RunState& run);
// The record of the frame being simulated (simulateGameFrame takes it first).
void setRunInput(RunState& run, const RunInput& in);

short runHeld(const RunState& run, RunButton b);
// Newly pressed, released, seconds held: each asked once a frame by one caller.
short runPressed(RunState& run, RunButton b);
short runReleased(RunState& run, RunButton b);
// Let go since the release detector last looked, without being its look: for a rule that must know
// before the detector's own caller in the same tick.
short runReleasePending(const RunState& run, RunButton b);
double runHeldTime(RunState& run, RunButton b);
// The clock of the frame being simulated.
long runClock(const RunState& run);
