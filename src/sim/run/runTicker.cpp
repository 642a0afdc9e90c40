// Takes the seconds between drawn frames and the input sampled at each; runs the run's ticks as they fall due.
#include "run/runTicker.h"

#include <cmath>

#include "run/runFrame.h"
#include "run/runState.h"
#include "run/runTick.h"

// Sums of frame lengths that should land on a tick (three frames of 1/30 s, two ticks of 1/60 s)
// must not miss it by a rounding.
static const double tickRoundingSlack = 1e-9;

RunTicker runTicker;

void startRunTicker(RunTicker& t, long startMs)
{
    t = RunTicker();
    t.startMs = startMs;
}

long tickClockMs(const RunTicker& t, long n) { return t.startMs + lround(n * runTickSeconds * 1000.0); }

static void gather(RunTicker& t, const RunInput& sampled)
{
    if (!t.anySample) {
        t.gathered = sampled;
        t.anySample = 1;
        return;
    }
    for (int b = 0; b < RB_COUNT; b++) t.gathered.held[b] = t.gathered.held[b] || sampled.held[b];
}

int ticksDue(RunTicker& t, double elapsedSeconds)
{
    if (!(elapsedSeconds >= 0)) elapsedSeconds = 0;
    if (elapsedSeconds > maxFrameSeconds) elapsedSeconds = runTickSeconds;
    t.frameSeconds = elapsedSeconds;
    t.residual += elapsedSeconds;
    int due = 0;
    while (t.residual + tickRoundingSlack >= runTickSeconds) {
        t.residual -= runTickSeconds;
        due++;
    }
    if (t.residual < 0) t.residual = 0;
    return due;
}

static void countTickRate(RunTicker& t, int ran)
{
    t.windowSeconds += t.frameSeconds;
    t.windowTicks += ran;
    if (t.windowSeconds >= 1.0) {
        t.ticksPerSecondSeen = (float)(t.windowTicks / t.windowSeconds);
        t.windowSeconds = 0;
        t.windowTicks = 0;
    }
}

int runDrawnFrame(RunTicker& t, RunState& run, TrackModel& groundRaisedByBomb, double elapsedSeconds, const RunInput& sampled, const std::function<void()>& afterTick)
{
    t.frames++;
    int due = ticksDue(t, elapsedSeconds);
    gather(t, sampled);
    for (int ran = 0; ran < due; ran++) {
        RunInput in = ran == 0 ? t.gathered : sampled;
        in.clockMs = tickClockMs(t, ++t.ticks);
        in.frameps = sampled.frameps;
        simulateGameFrame(run, groundRaisedByBomb, in);
        if (afterTick) afterTick();
    }
    countTickRate(t, due);
    if (due) t.anySample = 0;
    return due;
}

float tickFraction(const RunTicker& t)
{
    float f = (float)(t.residual / runTickSeconds);
    return f < 0 ? 0.0f : f > 1 ? 1.0f : f;
}
