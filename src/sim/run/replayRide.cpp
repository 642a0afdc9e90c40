// Takes a recorded input and a tick of its replay; rides the run state there, forward or again from the start.
#include "run/replayRide.h"

#include "run/runEvents.h"

int beginReplayRide(RunState& run, TrackModel& rewoundTrack, ReplayRide* r, const InputRecording& input)
{
    r->input = &input;
    r->ridden = 0;
    r->riding = (short)beginReRide(run, rewoundTrack, &r->rider, input);
    return r->riding;
}

static void fromStartLine(RunState& run, TrackModel& rewoundTrack, ReplayRide* r, const ReplayRideHooks& hooks)
{
    endReRide(&r->rider);
    r->riding = (short)beginReRide(run, rewoundTrack, &r->rider, *r->input);
    r->ridden = 0;
    if (hooks.fromStart) hooks.fromStart();
}

long rideReplayTo(RunState& run, TrackModel& rewoundTrack, ReplayRide* r, long target, short heard, const ReplayRideHooks& hooks)
{
    if (!r->input) return 0;
    if (target < r->ridden) {
        fromStartLine(run, rewoundTrack, r, hooks);
        heard = 0;
    }
    while (r->riding && r->ridden < target) {
        if (!reRideTick(run, rewoundTrack, &r->rider, r->frameps)) break;
        r->ridden++;
        if (hooks.afterTick) hooks.afterTick(heard);
        clearRunEvents(run);
    }
    return r->ridden;
}

void endReplayRide(ReplayRide* r)
{
    if (r->riding) endReRide(&r->rider);
    r->riding = 0;
    r->input = nullptr;
}
