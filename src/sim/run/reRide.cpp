// Takes a recorded input and the loaded track; rides the run again tick by tick and tells whether it
// came to the recorded score and time.
#include "run/reRide.h"

#include <cmath>
#include <cstdio>

#include "run/ghostRun.h"
#include "run/landing.h"
#include "run/runEvents.h"
#include "run/runFrame.h"
#include "run/runScore.h"
#include "run/runState.h"
#include "run/runTick.h"
#include "run/runTicker.h"
#include "run/trickInput.h"
#include "skier/skierCar.h"
#include "track/bombstuff.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

static void applyConditions(const RideConditions& c)
{
    if (theTrasher) theTrasher->weight = c.weight;
    toleranceAngleRightAndLeft = c.tolerances[0];
    toleranceAngleFrontAndBack = c.tolerances[1];
    toleranceAngleLeftSideAndRightSide = c.tolerances[2];
}

static RideConditions currentConditions()
{
    RideConditions c = rideConditionsNow();
    if (theTrasher) c.weight = theTrasher->weight;  // the card's own, even when it holds none
    return c;
}

int freshRunOnLoadedTrack(RunState& run, TrackModel& rewoundTrack)
{
    videPileBoutons(run);
    reinitGameVar(run, rewoundTrack);
    if (!restoreLoadedTrack(rewoundTrack)) return 0;
    resetCollectedBomb(run, rewoundTrack.bombsQty);
    return 1;
}

int beginReRide(RunState& run, TrackModel& rewoundTrack, ReRider* r, const InputRecording& input)
{
    r->kept = currentConditions();
    applyConditions(input.ridden);
    r->riding = 1;
    startInputCursor(&r->cursor, input);
    if (!freshRunOnLoadedTrack(run, rewoundTrack)) {
        endReRide(r);
        return 0;
    }
    placeSkierAtStart(run, rewoundTrack, 0);
    clearRunEvents(run);
    return 1;
}

int reRideTick(RunState& run, TrackModel& groundRaisedByBomb, ReRider* r, float frameps)
{
    unsigned short held;
    if (!r->riding || !nextTickInput(&r->cursor, &held)) return 0;
    RunInput in;
    setHeldBits(held, &in);
    in.clockMs = tickClockMs(runTicker, ++runTicker.ticks);
    in.frameps = frameps;
    simulateGameFrame(run, groundRaisedByBomb, in);
    return 1;
}

void endReRide(ReRider* r)
{
    if (!r->riding) return;
    applyConditions(r->kept);
    r->riding = 0;
}

const char* reRideBestRun(RunState& run, TrackModel& rewoundTrack, const BestRun& best, const std::function<void()>& afterTick)
{
    const InputRecording& input = best.rec.input;
    if (!wholeInput(input)) return "no input to ride";
    if (input.ridden.ticksPerSecond != rideConditionsNow().ticksPerSecond) return "ridden at another tick rate";
    ReRider r;
    if (!beginReRide(run, rewoundTrack, &r, input)) return "no track to ride it on";
    while (reRideTick(run, rewoundTrack, &r, (float)input.ridden.ticksPerSecond)) {
        if (afterTick) afterTick();
        clearRunEvents(run);
    }
    endReRide(&r);
    if (!run.motion.skieurArrive) return "it rides short of the finish";
    if (runScoreSoFar(run) != best.finalScore) return "it rides to another score";
    if (run.timing.totalTime != best.finalTime) return "it rides to another time";
    return nullptr;
}

void bestRunRefusalLine(char* out, size_t size, const char* why, const char* whatIsLost)
{
    snprintf(out, size, "best.run refused, %s, %s", why, whatIsLost);
}
