// A recorded run ridden to any tick of a replay: on from where the run state is, or again from the
// start line when the tick is behind it (the run state - track, kickers, pickups - cannot be copied
// whole, and riding a whole run again takes a few tens of milliseconds).
#pragma once

#include <functional>

#include "run/reRide.h"

struct RunState;
struct TrackModel;

struct ReplayRide {
    ReRider rider;
    const InputRecording* input = nullptr;
    long ridden = 0;  // the recorded ticks the run state has ridden
    short riding = 0;
    float frameps = 60.0f;  // what the drawing is told of the frame rate (F7 only)
};

struct ReplayRideHooks {
    std::function<void()> fromStart;             // the run state is back on the start line
    std::function<void(short heard)> afterTick;  // its events are there to take (cleared after)
};

// The recording from its start line: 0 when no track is loaded. The input must outlive the ride.
int beginReplayRide(RunState& run, TrackModel& rewoundTrack, ReplayRide* r, const InputRecording& input);
// The run state at recorded tick target (the last recorded one at most): the ticks ridden on are heard
// when `heard` is set, those ridden again from the start to catch up never. Returns the tick reached.
long rideReplayTo(RunState& run, TrackModel& rewoundTrack, ReplayRide* r, long target, short heard, const ReplayRideHooks& hooks = {});
// The game's weight and tolerances back; the run state stays the replay's.
void endReplayRide(ReplayRide* r);
