// Takes a run's start tick, its time and the film's rate; gives each frame's tick and fraction, its
// clock and its share of the sound.
#include "run/filmTiming.h"

#include <cmath>

#include "run/replayRide.h"
#include "run/runState.h"
#include "run/runTick.h"

// A frame exactly on a tick must land on it, not a rounding before it.
static const double TICK_SLACK = 1e-6;

FilmTiming filmTimingFor(long startTick, double runSeconds, int fps)
{
    FilmTiming t;
    t.startTick = startTick < 0 ? 0 : startTick;
    t.runSeconds = runSeconds > 0 ? runSeconds : 0;
    t.fps = fps > 0 ? fps : 1;
    // frame 0 shows the start, the last one the finish or the frame before it: the film lasts the
    // run's time and at most one frame more
    t.frames = (long)std::floor(t.runSeconds * t.fps + TICK_SLACK) + 1;
    return t;
}

void filmFrameMoment(const FilmTiming& t, long frame, long* tick, float* fraction)
{
    double ticks = (double)frame / t.fps / runTickSeconds;
    double whole = std::floor(ticks + TICK_SLACK);
    double past = ticks - whole;
    *tick = t.startTick + (long)whole;
    *fraction = past < 0 ? 0.0f : past >= 1 ? 1.0f : (float)past;
}

long filmFrameMs(const FilmTiming& t, long frame) { return (long)(frame * 1000LL / t.fps); }

long filmSoundFramesBefore(const FilmTiming& t, long frame, int rate) { return (long)((long long)frame * rate / t.fps); }

long rideToRunStart(RunState& run, TrackModel& rewoundTrack, ReplayRide* r)
{
    rideReplayTo(run, rewoundTrack, r, 0, 0);
    while (!run.timing.DEPART) {
        long before = r->ridden;
        if (rideReplayTo(run, rewoundTrack, r, before + 1, 0) == before) break;
    }
    return r->ridden;
}
