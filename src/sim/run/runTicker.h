// The run's fixed clock: real time in, as many ticks of the run as are due out, each with the input
// gathered since the tick before. The drawing reads the fraction of a tick left over.
#pragma once

#include <functional>

#include "run/runInput.h"

struct RunState;
struct TrackModel;

// A stall longer than this (a slow load, a window dragged) is dropped, not caught up.
const double maxFrameSeconds = 0.25;

struct RunTicker {
    double residual = 0.0;      // seconds gathered and not yet ticked, under one tick
    long ticks = 0;             // ticks run since the run was loaded
    long frames = 0;            // drawn frames since the run was loaded
    long startMs = 0;           // the run clock at load: tick n runs at startMs + n ticks
    double frameSeconds = 0.0;  // the last drawn frame's length (what the drawing animates by)
    double windowSeconds = 0.0; // the tick-rate window being counted
    long windowTicks = 0;
    float ticksPerSecondSeen = 0.0f;  // ticks run in the last whole second of drawn frames (F7)
    RunInput gathered;          // every button seen held since the last tick
    short anySample = 0;        // gathered holds at least one sample
};

extern RunTicker runTicker;

// A run loaded at the given run clock: no tick due, nothing gathered.
void startRunTicker(RunTicker& t, long startMs);
// One drawn frame: the seconds since the previous one and the input sampled now. Runs the ticks
// due, calling afterTick after each (its events are there to take); returns how many ran. A key
// seen held by any sample since the last tick is held for the next tick; when one frame covers
// several ticks, the first has what was gathered and the others the latest sample.
int runDrawnFrame(RunTicker& t, RunState& run, TrackModel& groundRaisedByBomb, double elapsedSeconds, const RunInput& sampled,
                  const std::function<void()>& afterTick = nullptr);
// The ticks due after a drawn frame of that length (a stall dropped): the residual keeps the rest.
// runDrawnFrame runs them; a replay of recorded ticks runs its own.
int ticksDue(RunTicker& t, double elapsedSeconds);
// How far the drawn moment is past the last tick, in ticks (0 to 1).
float tickFraction(const RunTicker& t);
// The run clock of tick n.
long tickClockMs(const RunTicker& t, long n);
