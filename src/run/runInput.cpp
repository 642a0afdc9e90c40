// Takes the frame's input record; answers what the run asks of it, edges measured against earlier records.
#include "run/runInput.h"

RunInputState runInputState;

void resetRunInput()
{
    runInputState = RunInputState();
}

void setRunInput(const RunInput& in)
{
    runInputState.current = in;
}

static bool valid(RunButton b) { return b >= 0 && b < RB_COUNT; }

short runHeld(RunButton b)
{
    return valid(b) && runInputState.current.held[b] ? 1 : 0;
}

short runPressed(RunButton b)
{
    return valid(b) ? detectPress(runInputState.press[b], runHeld(b)) : 0;
}

short runReleased(RunButton b)
{
    return valid(b) ? detectRelease(runInputState.release[b], runHeld(b)) : 0;
}

short runReleasePending(RunButton b)
{
    return valid(b) && runInputState.release[b].pressed && !runHeld(b) ? 1 : 0;
}

double runHeldTime(RunButton b)
{
    return valid(b) ? detectHeldTime(runInputState.heldTime[b], runHeld(b), runClock()) : 0.0;
}

long runClock()
{
    return runInputState.current.clockMs;
}
