// Takes the frame's input record; answers what the run asks of it, edges measured against earlier records.
#include "run/runInput.h"
#include "run/runState.h"


void resetRunInput()
{
    tickRun->input = RunInputState();
}

void setRunInput(const RunInput& in)
{
    tickRun->input.current = in;
}

static bool valid(RunButton b) { return b >= 0 && b < RB_COUNT; }

short runHeld(RunButton b)
{
    return valid(b) && tickRun->input.current.held[b] ? 1 : 0;
}

short runPressed(RunButton b)
{
    return valid(b) ? detectPress(tickRun->input.press[b], runHeld(b)) : 0;
}

short runReleased(RunButton b)
{
    return valid(b) ? detectRelease(tickRun->input.release[b], runHeld(b)) : 0;
}

short runReleasePending(RunButton b)
{
    return valid(b) && tickRun->input.release[b].pressed && !runHeld(b) ? 1 : 0;
}

double runHeldTime(RunButton b)
{
    return valid(b) ? detectHeldTime(tickRun->input.heldTime[b], runHeld(b), runClock()) : 0.0;
}

long runClock()
{
    return tickRun->input.current.clockMs;
}
