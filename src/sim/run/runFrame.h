// One frame of a run: the frame's input record and the track in, the run state out (a fired bomb
// raises the track's ground). Draws nothing.
#pragma once

struct RunInput;

// One tick of the run: everything it changes, in order. The record is all it reads of keys and
// clock; a tick is always runTickSeconds long (runTicker decides when ticks are due).
struct RunState;
struct TrackModel;

void simulateGameFrame(RunState& run, TrackModel& groundRaisedByBomb, const RunInput& in);

// The run start state at the track's start line (the track must be loaded); nowMs starts the run
// clock, and the run's ticks count from it (runTicker).
void placeSkierAtStart(RunState& run, const TrackModel& track, long nowMs);

void setChute(RunState& run, short fall);
// The rider's up and forward vectors turned by his rotations, into skierNormaleVector / skierFrontVector.
void computeSkierVectors(RunState& run);
