// Takes the frame's input record; answers what the run asks of it, edges measured against earlier records.
#include "run/runInput.h"
#include "run/runState.h"


void resetRunInput(RunState& run)
{
    run.input = RunInputState();
}

void setRunInput(RunState& run, const RunInput& in)
{
    run.input.current = in;
}

static bool valid(RunButton b) { return b >= 0 && b < RB_COUNT; }

short runHeld(const RunState& run, RunButton b)
{
    return valid(b) && run.input.current.held[b] ? 1 : 0;
}

short runPressed(RunState& run, RunButton b)
{
    return valid(b) ? detectPress(run.input.press[b], runHeld(run, b)) : 0;
}

short runReleased(RunState& run, RunButton b)
{
    return valid(b) ? detectRelease(run.input.release[b], runHeld(run, b)) : 0;
}

short runReleasePending(const RunState& run, RunButton b)
{
    return valid(b) && run.input.release[b].pressed && !runHeld(run, b) ? 1 : 0;
}

double runHeldTime(RunState& run, RunButton b)
{
    return valid(b) ? detectHeldTime(run.input.heldTime[b], runHeld(run, b), runClock(run)) : 0.0;
}

long runClock(const RunState& run)
{
    return run.input.current.clockMs;
}
