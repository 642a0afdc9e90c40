// Putting a fallen, lost or rescued rider back on the track.
#pragma once

struct RunState;
struct TrackModel;

// Moves the rider to the rescue point chosen by findFirstReplace; leaves him where he is
// when the track has no rescue point.
void replaceSkierOperation(RunState& run, const TrackModel& track);
